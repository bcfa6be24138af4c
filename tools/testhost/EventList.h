// Events a host sends to a plug-in with effProcessEvents: owns the events and
// builds the VstEvents record that points at them.
//
// Thread use: one thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "VstInterface.h"

namespace testhost {

class EventList {
 public:
  // A MIDI event as hosts send it: byteSize 32, every other field zero.
  void AddMidi(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2);
  // Any event record, copied as given (the generic size covers every type
  // this host sends).
  void AddEvent(const VstEvent& event);
  void AddMidiEvent(const VstMidiEvent& event);
  // A null entry in the pointer array, which a plug-in must skip.
  void AddNull();
  void Clear();

  int32_t Size() const { return static_cast<int32_t>(mKinds.size()); }

  // The record to pass as effProcessEvents' ptr. Valid until the list is
  // changed or destroyed; its numEvents may be overwritten by the caller.
  VstEvents* Get();

 private:
  std::vector<VstEvent> mEvents;
  std::vector<bool> mKinds;    // per entry: true for an event, false for a null entry
  std::vector<void*> mRecord;  // storage for VstEvents with its pointer array
};

}  // namespace testhost
