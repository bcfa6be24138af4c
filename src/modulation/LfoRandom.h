// The random oscillator: a new value from its own generator on every tick,
// scaled by the depth, whatever the rate. Owns its generator state; created
// by Lfo::Create and ticked by the modulation tick.
#pragma once

#include "dsp/MwcRandom.h"
#include "modulation/Lfo.h"

class LfoRandom : public Lfo {
 public:
  LfoRandom(int shape, float skew, float rate) : Lfo(shape, skew, rate) {}

  // Ignores the number of samples.
  void Tick(int samples) override;
  void Recalc() override {}
  void Rewind() override {}

 private:
  MwcRandom mRandom;
};
