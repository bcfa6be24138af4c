#include "Biquad.h"

#include "PortableMath.h"

namespace {

// alpha = sin(w) / (2 Q).
const double LOW_PASS_TWO_Q = 2.0;              // Q = 1
const double HIGH_PASS_TWO_Q = 2 * 0.70710678;  // Q = 1/sqrt(2)

}  // namespace

void Biquad::Design(BiquadDesign design, double sampleRate, double cutoff) {
  mDesign = design;
  mSampleRate = sampleRate;
  mCutoff = cutoff;
  ComputeCoefficients();
}

void Biquad::SetCutoff(double cutoff) {
  mCutoff = cutoff;
  ComputeCoefficients();
}

void Biquad::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  ComputeCoefficients();
}

void Biquad::ComputeCoefficients() {
  // Without a usable rate (the plug-in never gives one) the section keeps
  // its coefficients rather than turning them into NaN.
  if (!(mSampleRate > 0.0)) return;
  double cutoff = mCutoff;
  double limit = MAX_CUTOFF_RATIO * mSampleRate;
  if (!(cutoff <= limit)) cutoff = limit;

  double w = 2 * PortableMath::PI * cutoff / mSampleRate;
  double cs = PortableMath::Cos(w);
  double sn = PortableMath::Sin(w);
  bool highPass = mDesign == BIQUAD_HIGH_PASS;
  double alpha = sn / (highPass ? HIGH_PASS_TWO_Q : LOW_PASS_TWO_Q);
  if (highPass) {
    mB0 = (1 + cs) / 2 / (1 + alpha);
    mB1 = -(1 + cs) / (1 + alpha);
  } else {
    mB0 = (1 - cs) / 2 / (1 + alpha);
    mB1 = (1 - cs) / (1 + alpha);
  }
  mB2 = mB0;
  mA1 = -2 * cs / (1 + alpha);
  mA2 = (1 - alpha) / (1 + alpha);
}
