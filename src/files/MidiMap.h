// The MIDI map: which parameter a note or a controller drives, and on which
// channels. Two tables of 128 entries, by note number and by controller
// number. Nothing fills them yet (no map file format exists), so in use
// every message maps to nothing and is only passed on to the host.
//
// Owned by the plug-in; read on the thread that delivers MIDI, under the
// instance mutex.
#pragma once

#include <cstdint>

#include "MidiMessage.h"

struct MidiMapEntry {
  int mParamIdx = -1;           // the parameter to drive, -1 for none
  std::uint32_t mChannels = 0;  // bit c: reacts on MIDI channel c (0..15)
};

class MidiMap {
 public:
  static const int NUM_ENTRIES = 128;

  // The parameter and normalised value a message maps to: a note on (also
  // with velocity 0) gives 1, a note off 0, a controller its value / 127.
  // False for anything unmapped, and for every other kind of message.
  bool Map(const MidiMessage& message, int* paramIdx, double* normalized) const;

  MidiMapEntry mControllers[NUM_ENTRIES];
  MidiMapEntry mNotes[NUM_ENTRIES];
};
