// The triangle oscillator and its two ramps: rises from 0 to 1 over the first
// skew part of the period and falls back over the rest. Skew 0.5 is the
// triangle, 0 the falling ramp, 1 the rising ramp. Owns its position in the
// cycle and the derived peak and slopes; created by Lfo::Create and ticked by
// the modulation tick.
#pragma once

#include "modulation/Lfo.h"

class LfoTriangle : public Lfo {
 public:
  LfoTriangle(int shape, float skew, float rate) : Lfo(shape, skew, rate) {}

  void Tick(int samples) override;
  void Recalc() override;
  void Rewind() override;

 private:
  int mPosition = 0;   // samples into the cycle
  int mPeak = 0;       // position of the top: integer part of period x skew
  float mRise = 0.0f;  // output per sample up to the peak; 0 when there is no rise
  float mFall = 0.0f;  // output per sample after it (negative); 0 when there is no fall
};
