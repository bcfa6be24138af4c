// One second-order filter section (direct form I) with a low-pass or a
// high-pass design.
//
// VrelsPlugin owns eight: the grain low-pass and high-pass and the feedback
// low-pass and high-pass, each for left and right. The audio thread runs
// Process once per sample; the cutoff handlers (GLpf, GHpf, DLpf) and
// ApplySampleRate redesign a section under the instance mutex. A redesign
// changes only the coefficients: the state carries on, so a cutoff sweep
// does not click. No allocation; decaying state relies on the processing
// call's flush-to-zero mode.
#pragma once

enum BiquadDesign : int {
  BIQUAD_LOW_PASS = 0,  // Q = 1
  BIQUAD_HIGH_PASS = 1  // Q = 1/sqrt(2)
};

struct Biquad {
  // Designs are limited to this fraction of the sample rate: at and above
  // half the rate the design formulas give unstable poles. At 44.1 kHz and
  // above every cutoff the plug-in sets (at most 20 kHz) lies below it.
  static constexpr double MAX_CUTOFF_RATIO = 0.49;

  BiquadDesign mDesign = BIQUAD_LOW_PASS;
  double mSampleRate = 0.0;
  double mCutoff = 0.0;  // Hz, as requested (the limit is applied in the design)
  double mX1 = 0.0;
  double mX2 = 0.0;
  double mY1 = 0.0;
  double mY2 = 0.0;
  // Initially a pass-through.
  double mB0 = 1.0;
  double mB1 = 0.0;
  double mB2 = 0.0;
  double mA1 = 0.0;
  double mA2 = 0.0;

  // Sets design, rate and cutoff and computes the coefficients.
  void Design(BiquadDesign design, double sampleRate, double cutoff);
  // Recomputes the coefficients for a new cutoff at the current rate.
  void SetCutoff(double cutoff);
  // Recomputes the coefficients for a new rate at the current cutoff.
  void SetSampleRate(double sampleRate);

  double Process(double x) {
    double y = mB0 * x + mB1 * mX1 + mB2 * mX2 - mA1 * mY1 - mA2 * mY2;
    mX2 = mX1;
    mX1 = x;
    mY2 = mY1;
    mY1 = y;
    return y;
  }

  // Two channels, each through two sections in series (first, then
  // second), n samples in place. The arithmetic of Process, done for both
  // channels at once: the same results, at the cost of one channel.
  static void ProcessStereoCascade(Biquad& firstLeft, Biquad& secondLeft, Biquad& firstRight,
                                   Biquad& secondRight, double* left, double* right, int n);

 private:
  void ComputeCoefficients();
};
