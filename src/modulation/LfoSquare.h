// The square oscillator: 0 for the first skew part of the period, 1 for the
// rest. Owns its position in the cycle and the derived switch point; created
// by Lfo::Create and ticked by the modulation tick.
#pragma once

#include "modulation/Lfo.h"

class LfoSquare : public Lfo {
 public:
  LfoSquare(int shape, float skew, float rate) : Lfo(shape, skew, rate) {}

  void Tick(int samples) override;
  void Recalc() override;
  void Rewind() override;

 private:
  int mPosition = 0;   // samples into the cycle
  int mThreshold = 0;  // last low position: integer part of period x skew
};
