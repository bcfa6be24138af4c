#include "DelayLimiter.h"

#include "PortableMath.h"

namespace {

const float MS_PER_SECOND = 1000.0f;
// 20 / ln 10 rounded to single precision: natural logarithm to decibels.
const double DB_PER_NEPER = 8.68588924407959;
// ln 10 / 20 rounded to single precision: decibels to natural exponent.
const double NEPER_PER_DB = 0.115129254758358;

float OnePoleCoefficient(double sampleRate, float timeMs) {
  float exponent = -MS_PER_SECOND / (static_cast<float>(sampleRate) * timeMs);
  return static_cast<float>(PortableMath::Exp(exponent));
}

}  // namespace

void DelayLimiter::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  mAttackCoef = OnePoleCoefficient(sampleRate, mAttackTime);
  mReleaseCoef = OnePoleCoefficient(sampleRate, mReleaseTime);
}

void DelayLimiter::Process(double& left, double& right) {
  double l = left < 0 ? -left : left;
  double r = right < 0 ? -right : right;
  double x = l > r ? l : r;
  double level = DB_PER_NEPER * PortableMath::Log(x + FLOOR) - mThreshold;
  double over = (level > 0 ? level : 0) + FLOOR;
  double c = over > mEnvelope ? mAttackCoef : mReleaseCoef;
  mEnvelope = over + (mEnvelope - over) * c;
  double gain = PortableMath::Exp((mSlope - 1) * (mEnvelope - FLOOR) * NEPER_PER_DB);
  left *= gain;
  right *= gain;
}
