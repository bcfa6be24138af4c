#include "dsp/LevelMeter.h"

#include <new>

#include "dsp/PortableMath.h"
#include "dsp/TimeUnits.h"

namespace {

// Keeps the ring size inside an int for any sample rate (300 ms at 56 MHz).
const int MAX_LENGTH = 1 << 24;
// Mean squares at or below -90 dB show nothing; up to -42 dB the bar shows
// its lowest segment; from there it rises linearly to 1 at 0 dB.
const double SILENCE_DB = -90.0;
const double FLOOR_DB = -42.0;
const double LOWEST_SEGMENT = 0.125;
const double POWER_DB_PER_DECADE = 10.0;

}  // namespace

void LevelMeter::Resize(double sampleRate) {
  mSampleRate = sampleRate;
  double window = mWindowTime * SECONDS_PER_MS * sampleRate;
  int length = window < MAX_LENGTH ? static_cast<int>(window) : MAX_LENGTH;
  if (length < MIN_LENGTH) length = MIN_LENGTH;
  if (mCapacity < length + MIN_SPARE) {
    double* fresh = new (std::nothrow) double[length + NEW_SPARE];
    if (fresh) {
      mpBuffer.reset(fresh);
      mCapacity = length + NEW_SPARE;
    } else {
      length = mCapacity - MIN_SPARE;
    }
  }
  mLength = length;
  mInvLength = 1.0 / length;
  mReadIndex = 0;
  mWriteIndex = length;
  Clear();
}

void LevelMeter::Clear() {
  double* ring = Ring();
  for (int i = 0; i < mCapacity; ++i) ring[i] = 0.0;
  mSum = 0.0;
}

double LevelMeter::DisplayValue() const {
  double m = mSum * mInvLength;
  if (m <= 0) return 0.0;
  double db = POWER_DB_PER_DECADE * PortableMath::Log10(m);
  if (db <= SILENCE_DB) return 0.0;
  if (db <= FLOOR_DB) return LOWEST_SEGMENT;
  return (db - FLOOR_DB) / -FLOOR_DB;
}

void LevelMeter::FeedStereo(LevelMeter& left, LevelMeter& right, const double* l, const double* r, int n) {
  double* ringL = left.Ring();
  double* ringR = right.Ring();
  double sumL = left.mSum, sumR = right.mSum;
  int readL = left.mReadIndex, writeL = left.mWriteIndex, readR = right.mReadIndex,
      writeR = right.mWriteIndex;
  const int capacityL = left.mCapacity, capacityR = right.mCapacity;
  for (int k = 0; k < n; ++k) {
    const double squareL = l[k] * l[k], squareR = r[k] * r[k];
    sumL = sumL - ringL[readL] + squareL;
    sumR = sumR - ringR[readR] + squareR;
    ringL[writeL] = squareL;
    ringR[writeR] = squareR;
    if (++readL == capacityL) readL = 0;
    if (++writeL == capacityL) writeL = 0;
    if (++readR == capacityR) readR = 0;
    if (++writeR == capacityR) writeR = 0;
  }
  left.mSum = sumL;
  right.mSum = sumR;
  left.mReadIndex = readL;
  left.mWriteIndex = writeL;
  right.mReadIndex = readR;
  right.mWriteIndex = writeR;
}
