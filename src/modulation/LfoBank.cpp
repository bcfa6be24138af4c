#include "modulation/LfoBank.h"

LfoBank::LfoBank() {
  for (int shape = 0; shape < NUM_LFO_SHAPES; ++shape)
    mShapes[shape] = Lfo::CreateAt(shape, &mStorage[shape]);
  mpCurrent = mShapes[LFO_SINE];
}

LfoBank::~LfoBank() {
  for (Lfo* lfo : mShapes) lfo->~Lfo();
}

Lfo* LfoBank::Start(int shape) {
  if (shape < 0 || shape >= NUM_LFO_SHAPES) shape = LFO_RANDOM;  // as Lfo::Create reads it
  mShapes[shape]->~Lfo();
  mShapes[shape] = Lfo::CreateAt(shape, &mStorage[shape]);
  mpCurrent = mShapes[shape];
  return mpCurrent;
}
