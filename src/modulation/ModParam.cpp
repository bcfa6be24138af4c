#include "modulation/ModParam.h"

#include "Assert.h"
#include "modulation/TempoSync.h"
#include "params/SwitchThreshold.h"

namespace {
// a if a > v, else b if v > b, else v.
double Clamp(double v, double a, double b) {
  return a > v ? a : (v > b ? b : v);
}
}  // namespace

void ModParam::Init(double min, double max, int displayKind) {
  *this = ModParam();
  mMin = min;
  mMax = max;
  mLow = min;
  mWidth = max - min;
  mDisplayKind = displayKind;
}

void ModParam::SetDepth(double depth) {
  mHalfWidth = (mMax - mMin) * depth;
  mLow = Clamp(mBase - mHalfWidth, mMin, mMax);
  mWidth = Clamp(mBase + mHalfWidth, mMin, mMax) - mLow;
}

void ModParam::SetCentre(double x) {
  mBase = x;
  mLow = Clamp(x - mHalfWidth, mMin, mMax);
  mWidth = Clamp(x + mHalfWidth, mMin, mMax) - mLow;
}

void ModParam::SetBase(double x) {
  mLow = Clamp(x - mHalfWidth, mMin, mMax);
  double top = Clamp(x + mHalfWidth, mMin, mMax);
  mBase = x;
  mWidth = top - mLow;
  mShownLow = mLow;
  mShownHigh = top;
  mKnobBase = x;
  mKnobLow = mLow;
  mKnobHigh = top;
}

void ModParam::SetTimedBase(double x, double normalized, double tempo) {
  mDivision = TimeDivisionForKnob(normalized);
  if (mSynced) x = TimeDivisionMs(mDivision, tempo);
  SetBase(x);
}

void ModParam::SetSync(double switchValue, double knobNormalized, double tempo) {
  double b = mBase;
  if (switchValue < SWITCH_THRESHOLD && mSynced) {
    mSynced = false;
    mMin = mFreeMin;
    mMax = mFreeMax;
    mLow = mFreeMin;
    mWidth = mFreeMax - mFreeMin;
    b = mFreeMin + (mFreeMax - mFreeMin) * knobNormalized;
  } else if (switchValue >= SWITCH_THRESHOLD && !mSynced) {
    mFreeMin = mMin;
    mFreeMax = mMax;
    mSynced = true;
    VRELS_ASSERT(tempo > 0);
    mDivision = TimeDivisionForKnob((b - mFreeMin) / (mFreeMax - mFreeMin));
    mMin = mLow = TimeDivisionMs(0, tempo);
    mMax = TimeDivisionMs(NUM_TIME_DIVISIONS - 1, tempo);
    mWidth = mMax - mMin;
    b = TimeDivisionMs(mDivision, tempo);
  }
  SetBase(b);
}

void ModParam::Retime(double knobNormalized, double tempo) {
  if (!mSynced) return;
  mMin = TimeDivisionMs(0, tempo);
  mMax = TimeDivisionMs(NUM_TIME_DIVISIONS - 1, tempo);
  SetTimedBase(mBase, knobNormalized, tempo);
}

void ModParam::SetSource(int source, double depthValue) {
  double depth = source == 0 ? 0 : depthValue;
  mSource = source;
  SetDepth(depth);
  mShownLow = mLow;
  mShownHigh = Top();
}

void ModParam::SetDepthFromKnob(double value, bool halved) {
  if (mSource == 0) return;
  double d = halved ? value / 2 : value;
  SetDepth(d * d);
  mShownLow = mLow;
  mShownHigh = Top();
}

void ModParam::ResetForPresetLoad(double ownMin, double ownMax) {
  mMin = ownMin;
  mMax = ownMax;
  mBase = 0;
  mHalfWidth = 0;
  mLow = mMin > 0 ? mMin : (mMax < 0 ? mMax : 0.0);
  mWidth = 0;
  mSource = 0;
  mSynced = false;
  mDivision = 0;
  mMatrixUsers = 0;
  mMatrixSum = 0;
  mShownLow = mShownHigh = 0;
  mFreeMin = mMin;
  mFreeMax = mMax;
}
