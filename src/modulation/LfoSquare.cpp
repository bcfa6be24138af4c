#include "modulation/LfoSquare.h"

void LfoSquare::Tick(int samples) {
  mPosition = (mPosition + samples) % mPeriod;
  mOutput = mPosition > mThreshold ? 1.0f : 0.0f;
}

void LfoSquare::Recalc() {
  mThreshold = static_cast<int>(mPeriod * mSkew);
  if (mPosition > mPeriod) mPosition = 0;
}

void LfoSquare::Rewind() {
  if (mPosition > mPeriod) mPosition = 0;
}
