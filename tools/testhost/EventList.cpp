#include "EventList.h"

#include <cstddef>
#include <cstring>

namespace testhost {

static_assert(sizeof(VstMidiEvent) == sizeof(VstEvent), "a MIDI event fills a generic event");

void EventList::AddMidi(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2) {
  VstMidiEvent midi;
  std::memset(&midi, 0, sizeof midi);
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  midi.deltaFrames = deltaFrames;
  midi.midiData[0] = static_cast<char>(status);
  midi.midiData[1] = static_cast<char>(data1);
  midi.midiData[2] = static_cast<char>(data2);
  AddMidiEvent(midi);
}

void EventList::AddMidiEvent(const VstMidiEvent& event) {
  VstEvent generic;
  std::memcpy(&generic, &event, sizeof generic);
  AddEvent(generic);
}

void EventList::AddEvent(const VstEvent& event) {
  mEvents.push_back(event);
  mKinds.push_back(true);
}

void EventList::AddNull() {
  mKinds.push_back(false);
}

void EventList::Clear() {
  mEvents.clear();
  mKinds.clear();
}

VstEvents* EventList::Get() {
  // VstEvents declares two pointer slots; the real array has one per entry.
  const size_t count = mKinds.size() < 2 ? 2 : mKinds.size();
  const size_t bytes = offsetof(VstEvents, events) + count * sizeof(VstEvent*);
  mRecord.assign((bytes + sizeof(void*) - 1) / sizeof(void*), nullptr);
  VstEvents* record = reinterpret_cast<VstEvents*>(mRecord.data());
  record->numEvents = Size();
  record->reserved = 0;
  // Addressed from the record's start: the declared array is shorter.
  VstEvent** slots =
      reinterpret_cast<VstEvent**>(reinterpret_cast<char*>(record) + offsetof(VstEvents, events));
  size_t next = 0;
  for (size_t i = 0; i < mKinds.size(); ++i) {
    slots[i] = mKinds[i] ? &mEvents[next++] : nullptr;
  }
  return record;
}

}  // namespace testhost
