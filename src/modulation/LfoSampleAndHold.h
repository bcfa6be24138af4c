// The sample-and-hold oscillator: holds a value from its own generator and
// draws the next one each time its sample counter passes the period. Owns its
// generator state and counter; created by Lfo::Create and ticked by the
// modulation tick.
#pragma once

#include "dsp/MwcRandom.h"
#include "modulation/Lfo.h"

class LfoSampleAndHold : public Lfo {
 public:
  LfoSampleAndHold(int shape, float skew, float rate) : Lfo(shape, skew, rate) {}

  void Tick(int samples) override;
  void Recalc() override;
  void Rewind() override;

 private:
  MwcRandom mRandom;
  int mCounter = 0;  // samples since the last draw, less whole periods
};
