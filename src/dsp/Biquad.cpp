#include "dsp/Biquad.h"

#include "dsp/PortableMath.h"

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

namespace {
// Two doubles that the compiler keeps in one SSE register; each operation
// is the plain double operation on both lanes.
typedef double Lanes __attribute__((vector_size(16)));

struct SectionLanes {
  Lanes b0, b1, b2, a1, a2, x1, x2, y1, y2;

  SectionLanes(const Biquad& left, const Biquad& right)
      : b0{left.mB0, right.mB0},
        b1{left.mB1, right.mB1},
        b2{left.mB2, right.mB2},
        a1{left.mA1, right.mA1},
        a2{left.mA2, right.mA2},
        x1{left.mX1, right.mX1},
        x2{left.mX2, right.mX2},
        y1{left.mY1, right.mY1},
        y2{left.mY2, right.mY2} {}

  Lanes Process(Lanes x) {
    const Lanes y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }

  void Store(Biquad& left, Biquad& right) const {
    left.mX1 = x1[0];
    left.mX2 = x2[0];
    left.mY1 = y1[0];
    left.mY2 = y2[0];
    right.mX1 = x1[1];
    right.mX2 = x2[1];
    right.mY1 = y1[1];
    right.mY2 = y2[1];
  }
};
}  // namespace

void Biquad::ProcessStereoCascade(Biquad& firstLeft, Biquad& secondLeft, Biquad& firstRight,
                                  Biquad& secondRight, double* left, double* right, int n) {
  SectionLanes first(firstLeft, firstRight), second(secondLeft, secondRight);
  for (int k = 0; k < n; ++k) {
    const Lanes y = second.Process(first.Process(Lanes{left[k], right[k]}));
    left[k] = y[0];
    right[k] = y[1];
  }
  first.Store(firstLeft, firstRight);
  second.Store(secondLeft, secondRight);
}
