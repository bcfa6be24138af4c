#include "modulation/LfoSampleAndHold.h"

void LfoSampleAndHold::Tick(int samples) {
  mCounter = mCounter + samples;
  if (mCounter > mPeriod) {
    mOutput = static_cast<float>(mRandom.Next());
    mCounter = mCounter % mPeriod;
  }
}

void LfoSampleAndHold::Recalc() {
  // With the fixed skew of 0 this restarts the count.
  int start = static_cast<int>(mPeriod * mSkew);
  mCounter = start > mPeriod ? 0 : start;
}

void LfoSampleAndHold::Rewind() {
  if (mCounter > mPeriod) mCounter = 0;
}
