#include "dsp/DelayLimiter.h"

#include <cmath>

#include "dsp/PortableMath.h"
#include "dsp/TimeUnits.h"

namespace {

// 20 / ln 10 rounded to single precision: natural logarithm to decibels.
const double DB_PER_NEPER = 8.68588924407959;
// ln 10 / 20 rounded to single precision: decibels to natural exponent.
const double NEPER_PER_DB = 0.115129254758358;
// Below this magnitude exp(x) rounds to 1.
const double NEGLIGIBLE_EXPONENT = 1e-17;

float OnePoleCoefficient(double sampleRate, float timeMs) {
  float exponent = -static_cast<float>(MS_PER_SECOND) / (static_cast<float>(sampleRate) * timeMs);
  return static_cast<float>(PortableMath::Exp(exponent));
}

}  // namespace

void DelayLimiter::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  mAttackCoef = OnePoleCoefficient(sampleRate, mAttackTime);
  mReleaseCoef = OnePoleCoefficient(sampleRate, mReleaseTime);
}

namespace {
// One stereo sample against the envelope (dB of excess, smoothed).
inline void Limit(double& left, double& right, double& envelope, double threshold, double slope,
                  double attack, double release) {
  double l = left < 0 ? -left : left;
  double r = right < 0 ? -right : right;
  double x = l > r ? l : r;
  // At or below full scale (with the threshold at 0 dB) the level has no
  // excess, and the logarithm need not be taken.
  double sum = x + DelayLimiter::FLOOR;
  double over = DelayLimiter::FLOOR;
  if (sum > 1 || threshold < 0) {
    double level = DB_PER_NEPER * PortableMath::Log(sum) - threshold;
    over = (level > 0 ? level : 0) + DelayLimiter::FLOOR;
  }
  double c = over > envelope ? attack : release;
  envelope = over + (envelope - over) * c;
  // Once the envelope has settled near its floor the gain rounds to exactly
  // 1: the exponential of anything smaller than 2^-54 in magnitude does.
  double exponent = (slope - 1) * (envelope - DelayLimiter::FLOOR) * NEPER_PER_DB;
  if (exponent > -NEGLIGIBLE_EXPONENT && exponent < NEGLIGIBLE_EXPONENT) return;
  double gain = PortableMath::Exp(exponent);
  left *= gain;
  right *= gain;
}
}  // namespace

void DelayLimiter::Process(double& left, double& right) {
  Limit(left, right, mEnvelope, mThreshold, mSlope, mAttackCoef, mReleaseCoef);
}

void DelayLimiter::ProcessBlock(double* left, double* right, int n) {
  double envelope = mEnvelope;
  const double threshold = mThreshold, slope = mSlope, attack = mAttackCoef, release = mReleaseCoef;
  // A sample within full scale has no excess over a threshold at or above
  // 0 dB. After such a sample left the envelope as it was (a fixed point of
  // its release step) with a gain that rounds to 1, further ones change
  // nothing at all and are passed over.
  bool settled = false;
  for (int k = 0; k < n; ++k) {
    const bool quiet = threshold >= 0 && std::fabs(left[k]) <= 1 && std::fabs(right[k]) <= 1;
    if (settled && quiet) continue;
    const double before = envelope;
    Limit(left[k], right[k], envelope, threshold, slope, attack, release);
    const double exponent = (slope - 1) * (envelope - FLOOR) * NEPER_PER_DB;
    settled =
        quiet && envelope == before && exponent > -NEGLIGIBLE_EXPONENT && exponent < NEGLIGIBLE_EXPONENT;
  }
  mEnvelope = envelope;
}
