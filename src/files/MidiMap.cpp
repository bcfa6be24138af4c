#include "files/MidiMap.h"

namespace {
const int kNoteOff = 0x8, kNoteOn = 0x9, kControlChange = 0xB;
const double kControllerSteps = 127.0;

bool ListensOn(const MidiMapEntry& entry, int channel) {
  return entry.mParamIdx >= 0 && (entry.mChannels >> channel & 1u) != 0;
}
}  // namespace

bool MidiMap::Map(const MidiMessage& message, int* paramIdx, double* normalized) const {
  if (message.mStatus < 0x80 || message.mStatus > 0xEF) return false;  // system messages
  const int kind = message.mStatus >> 4;
  const int channel = message.mStatus & 0x0F;
  const int number = message.mData1 & 0x7F;
  const MidiMapEntry* entry = nullptr;
  double value = 0.0;
  if (kind == kNoteOff || kind == kNoteOn) {
    entry = &mNotes[number];
    value = kind == kNoteOn ? 1.0 : 0.0;
  } else if (kind == kControlChange) {
    entry = &mControllers[number];
    value = (message.mData2 & 0x7F) / kControllerSteps;
  }
  if (!entry || !ListensOn(*entry, channel)) return false;
  *paramIdx = entry->mParamIdx;
  *normalized = value;
  return true;
}
