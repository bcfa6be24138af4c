#include "modulation/LfoTriangle.h"

void LfoTriangle::Tick(int samples) {
  mPosition = (mPosition + samples) % mPeriod;
  if (mPosition > mPeak) {
    mOutput = (mPosition - mPeak) * mFall + 1.0f;
  } else {
    mOutput = mPosition * mRise;
  }
}

void LfoTriangle::Recalc() {
  if (mPosition > mPeriod) mPosition = 0;
  mPeak = static_cast<int>(mPeriod * mSkew);
  mRise = mPeak == 0 ? 0.0f : 1.0f / mPeak;
  mFall = mPeak == mPeriod ? 0.0f : 1.0f / (mPeak - mPeriod);
}

void LfoTriangle::Rewind() {
  Recalc();
}
