#include "CallLog.h"

#include <cstddef>
#include <cstring>

namespace testhost {

static_assert(sizeof(VstMidiEvent) == sizeof(VstEvent), "a MIDI event fills a generic event");

VstMidiEvent RecordedEvent::AsMidi() const {
  VstMidiEvent midi;
  std::memcpy(&midi, &raw, sizeof midi);
  return midi;
}

void CallLog::RecordCall(int32_t opcode) {
  std::lock_guard<std::mutex> lock(mMutex);
  ++mCallCounts[opcode];
}

void CallLog::RecordAutomate(int32_t index, float value) {
  std::lock_guard<std::mutex> lock(mMutex);
  mAutomations.push_back({index, value});
  mEditCalls.push_back({EditCall::kAutomate, index, value, std::this_thread::get_id()});
}

void CallLog::RecordBeginEdit(int32_t index) {
  std::lock_guard<std::mutex> lock(mMutex);
  mBeginEdits.push_back(index);
  mEditCalls.push_back({EditCall::kBeginEdit, index, 0.0f, std::this_thread::get_id()});
}

void CallLog::RecordEndEdit(int32_t index) {
  std::lock_guard<std::mutex> lock(mMutex);
  mEndEdits.push_back(index);
  mEditCalls.push_back({EditCall::kEndEdit, index, 0.0f, std::this_thread::get_id()});
}

void CallLog::RecordEvents(const VstEvents* events) {
  std::vector<RecordedEvent> copies;
  if (events) {
    // Addressed from the record's start: the declared array is shorter than
    // the one the sender allocates.
    VstEvent* const* slots = reinterpret_cast<VstEvent* const*>(reinterpret_cast<const char*>(events) +
                                                                offsetof(VstEvents, events));
    for (int32_t i = 0; i < events->numEvents; ++i) {
      const VstEvent* event = slots[i];
      if (!event) continue;
      RecordedEvent copy;
      std::memcpy(&copy.raw, event, sizeof copy.raw);
      copy.type = event->type;
      copy.byteSize = event->byteSize;
      copy.deltaFrames = event->deltaFrames;
      copy.flags = event->flags;
      const VstMidiEvent midi = copy.AsMidi();
      std::memcpy(copy.midiData, midi.midiData, sizeof copy.midiData);
      copies.push_back(copy);
    }
  }
  std::lock_guard<std::mutex> lock(mMutex);
  mEventCalls.push_back(std::move(copies));
}

int CallLog::CallCount(int32_t opcode) const {
  std::lock_guard<std::mutex> lock(mMutex);
  const auto found = mCallCounts.find(opcode);
  return found == mCallCounts.end() ? 0 : found->second;
}

std::vector<AutomateCall> CallLog::Automations() const {
  std::lock_guard<std::mutex> lock(mMutex);
  return mAutomations;
}

std::vector<int32_t> CallLog::BeginEdits() const {
  std::lock_guard<std::mutex> lock(mMutex);
  return mBeginEdits;
}

std::vector<int32_t> CallLog::EndEdits() const {
  std::lock_guard<std::mutex> lock(mMutex);
  return mEndEdits;
}

std::vector<EditCall> CallLog::EditCalls() const {
  std::lock_guard<std::mutex> lock(mMutex);
  return mEditCalls;
}

std::vector<std::vector<RecordedEvent>> CallLog::EventCalls() const {
  std::lock_guard<std::mutex> lock(mMutex);
  return mEventCalls;
}

std::vector<RecordedEvent> CallLog::Events() const {
  std::lock_guard<std::mutex> lock(mMutex);
  std::vector<RecordedEvent> all;
  for (const auto& call : mEventCalls) all.insert(all.end(), call.begin(), call.end());
  return all;
}

void CallLog::Clear() {
  std::lock_guard<std::mutex> lock(mMutex);
  mCallCounts.clear();
  mAutomations.clear();
  mBeginEdits.clear();
  mEndEdits.clear();
  mEditCalls.clear();
  mEventCalls.clear();
}

}  // namespace testhost
