#include "LfoBank.h"

LfoBank::LfoBank() {
  for (int shape = 0; shape < NUM_LFO_SHAPES; ++shape) mShapes[shape] = Lfo::Create(shape);
  mpCurrent = mShapes[LFO_SINE].get();
}

Lfo* LfoBank::Start(int shape) {
  if (shape < 0 || shape >= NUM_LFO_SHAPES) shape = LFO_RANDOM;  // as Lfo::Create reads it
  Lfo* lfo = mShapes[shape].get();
  if (!lfo) return nullptr;
  Lfo::Renew(lfo);
  mpCurrent = lfo;
  return lfo;
}
