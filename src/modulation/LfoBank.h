// One LFO of the plug-in: storage for an oscillator of every shape, made
// with the plug-in, of which one is current. A shape change makes that
// shape's oscillator afresh in its own storage, so the shape handler
// allocates nothing on whichever thread the host sends the change from.
//
// Owned by the plug-in; used under the instance mutex.
#pragma once

#include <cstddef>

#include "modulation/Lfo.h"

class LfoBank {
 public:
  // Every shape made; the sine current.
  LfoBank();
  ~LfoBank();
  LfoBank(const LfoBank&) = delete;
  LfoBank& operator=(const LfoBank&) = delete;

  Lfo* Current() const { return mpCurrent; }
  // Makes the shape current, made afresh as Lfo::Create would make it; the
  // caller carries the settings over. Returns it.
  Lfo* Start(int shape);

 private:
  struct alignas(std::max_align_t) Storage {
    unsigned char mBytes[Lfo::STORAGE_SIZE];
  };
  Storage mStorage[NUM_LFO_SHAPES];
  Lfo* mShapes[NUM_LFO_SHAPES] = {};  // the oscillator in each storage
  Lfo* mpCurrent = nullptr;
};
