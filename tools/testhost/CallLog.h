// The record of what a plug-in instance asked of its host: every callback
// opcode counted, and the automation reports, edit gestures and outgoing
// events kept in order of arrival.
//
// Thread use: the plug-in may call its host from the audio thread and the
// GUI thread at once, so every member locks the log's own mutex; readers get
// copies.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "VstInterface.h"

namespace testhost {

struct AutomateCall {
  int32_t index;
  float value;
};

// One call of an edit gesture (begin-edit, automate, end-edit), kept with
// the others in order of arrival so that their sequence can be checked.
struct EditCall {
  enum Kind { kBeginEdit, kAutomate, kEndEdit };
  Kind kind;
  int32_t index;
  float value;             // the automated value; 0 for begin and end
  std::thread::id thread;  // the thread the plug-in called from
};

// One event as it was when the plug-in handed it over. `raw` is the event's
// first sizeof(VstEvent) bytes, which every event type has.
struct RecordedEvent {
  int32_t type;
  int32_t byteSize;
  int32_t deltaFrames;
  int32_t flags;
  uint8_t midiData[4];  // meaningful for kVstMidiType
  VstEvent raw;

  // The event read as a MIDI event (meaningful for kVstMidiType).
  VstMidiEvent AsMidi() const;
};

class CallLog {
 public:
  void RecordCall(int32_t opcode);
  void RecordAutomate(int32_t index, float value);
  void RecordBeginEdit(int32_t index);
  void RecordEndEdit(int32_t index);
  // Copies every non-null event of one audioMasterProcessEvents call.
  void RecordEvents(const VstEvents* events);

  // How often the plug-in called the host with `opcode`.
  int CallCount(int32_t opcode) const;
  std::vector<AutomateCall> Automations() const;
  std::vector<int32_t> BeginEdits() const;
  std::vector<int32_t> EndEdits() const;
  // Begin-edit, automate and end-edit calls, all in order of arrival.
  std::vector<EditCall> EditCalls() const;
  // One entry per audioMasterProcessEvents call, holding that call's events.
  std::vector<std::vector<RecordedEvent>> EventCalls() const;
  // Every recorded event, all calls in order.
  std::vector<RecordedEvent> Events() const;

  void Clear();

 private:
  mutable std::mutex mMutex;
  std::map<int32_t, int> mCallCounts;
  std::vector<AutomateCall> mAutomations;
  std::vector<int32_t> mBeginEdits;
  std::vector<int32_t> mEndEdits;
  std::vector<EditCall> mEditCalls;
  std::vector<std::vector<RecordedEvent>> mEventCalls;
};

}  // namespace testhost
