// The sine oscillator: a phase in radians advanced per sample and shaped by a
// parabolic sine approximation in single precision (cheaper than a library
// sine, and the same on every target). Owns its phase and step; created by
// Lfo::Create and ticked by the modulation tick.
#pragma once

#include "modulation/Lfo.h"

class LfoSine : public Lfo {
 public:
  LfoSine(int shape, float skew, float rate) : Lfo(shape, skew, rate) {}

  void Tick(int samples) override;
  void Recalc() override;
  void Rewind() override;

 private:
  float mPhase = 0.0f;  // radians, in -pi..pi after wrapping
  float mStep = 0.0f;   // radians per sample: 2 pi / period
};
