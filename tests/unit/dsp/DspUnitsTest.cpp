// The per-sample units of the signal path: filters, clipper, limiter,
// meters and the mixer's formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "dsp/Biquad.h"
#include "dsp/DelayLimiter.h"
#include "dsp/LevelMeter.h"
#include "dsp/PortableMath.h"
#include "dsp/SoftClip.h"
#include "engine/MixerFormulas.h"

static const double kPi = 3.14159265358979323846;
namespace {

// Steady-state gain for a sine of an integer frequency: settle for 0.1 s,
// then project one second (a whole number of cycles) of the output onto the
// sine and the cosine.
double MeasuredGain(Biquad filter, int rate, int freq) {
  const double w = 2 * kPi * freq / rate;
  for (int k = 0; k < rate / 10; ++k) filter.Process(std::sin(w * k));
  double s = 0, c = 0;
  for (int k = 0; k < rate; ++k) {
    double y = filter.Process(std::sin(w * k));
    s += y * std::sin(w * k);
    c += y * std::cos(w * k);
  }
  return 2 * std::sqrt(s * s + c * c) / rate;
}

// The analog prototypes 1 / (s^2 + s/Q + 1) and s^2 / (s^2 + s/Q + 1) under
// the bilinear transform with the cutoff prewarped.
double AnalyticGain(BiquadDesign design, double rate, double cutoff, double freq) {
  double q = design == BIQUAD_LOW_PASS ? 1.0 : 1 / std::sqrt(2.0);
  double omega = std::tan(kPi * freq / rate) / std::tan(kPi * cutoff / rate);
  double den = std::hypot(1 - omega * omega, omega / q);
  return (design == BIQUAD_LOW_PASS ? 1.0 : omega * omega) / den;
}

Biquad Designed(BiquadDesign design, double rate, double cutoff) {
  Biquad f;
  f.Design(design, rate, cutoff);
  return f;
}

void FeedConstant(LevelMeter& meter, double x, int n) {
  for (int i = 0; i < n; ++i) meter.Feed(x);
}

}  // namespace

TEST(Biquad, ResponsesMatchTheAnalyticMagnitude) {
  struct Case {
    BiquadDesign design;
    int rate;
    double cutoff;
    int freq;
  };
  const Case cases[] = {
      {BIQUAD_LOW_PASS, 48000, 1000, 100},   {BIQUAD_LOW_PASS, 48000, 1000, 1000},
      {BIQUAD_LOW_PASS, 48000, 1000, 3000},  {BIQUAD_LOW_PASS, 48000, 1000, 12000},
      {BIQUAD_HIGH_PASS, 48000, 1000, 100},  {BIQUAD_HIGH_PASS, 48000, 1000, 1000},
      {BIQUAD_HIGH_PASS, 48000, 1000, 3000}, {BIQUAD_HIGH_PASS, 44100, 100, 50},
      {BIQUAD_LOW_PASS, 44100, 20000, 1000}, {BIQUAD_LOW_PASS, 44100, 20000, 20000},
  };
  for (const Case& c : cases) {
    double expected = AnalyticGain(c.design, c.rate, c.cutoff, c.freq);
    EXPECT_NEAR(MeasuredGain(Designed(c.design, c.rate, c.cutoff), c.rate, c.freq), expected, 1e-4 * expected)
        << c.design << " " << c.rate << " " << c.cutoff << " " << c.freq;
  }
  // At the cutoff the low-pass (Q = 1) passes at unity, the high-pass is 3 dB down.
  EXPECT_NEAR(AnalyticGain(BIQUAD_LOW_PASS, 48000, 1000, 1000), 1.0, 1e-12);
  EXPECT_NEAR(AnalyticGain(BIQUAD_HIGH_PASS, 48000, 1000, 1000), std::sqrt(0.5), 1e-12);
}

TEST(Biquad, RedesignKeepsTheStateSoTheOutputDoesNotJump) {
  Biquad f = Designed(BIQUAD_LOW_PASS, 44100, 1000);
  double y = 0;
  for (int i = 0; i < 44100; ++i) y = f.Process(1.0);
  ASSERT_NEAR(y, 1.0, 1e-9);
  // Settled on DC: any low-pass with unity DC gain continues at 1 from the
  // same state; a cleared state would restart near 0.
  f.SetCutoff(300);
  EXPECT_NEAR(f.Process(1.0), 1.0, 1e-9);
  f.SetSampleRate(96000);
  EXPECT_NEAR(f.Process(1.0), 1.0, 1e-9);
}

TEST(Biquad, HighPassAtZeroPassesEverything) {
  Biquad f = Designed(BIQUAD_HIGH_PASS, 44100, 0);
  for (int k = 0; k < 10000; ++k) {
    double x = std::sin(0.05 * k);
    ASSERT_NEAR(f.Process(x), x, 1e-9) << k;
  }
}

// Regression: the default 20 kHz low-passes at a 22.05 or 32 kHz host rate
// used to be designed above half the rate and blew up to Inf and NaN.
TEST(Biquad, LowSampleRatesStayStableWithTwentyKilohertzLowPass) {
  for (int rate : {22050, 32000}) {
    Biquad f = Designed(BIQUAD_LOW_PASS, rate, 20000);
    EXPECT_NEAR(MeasuredGain(f, rate, 1000), 1.0, 0.01) << rate;
    std::uint32_t noise = 12345;
    for (int k = 0; k < 200000; ++k) {
      noise = noise * 1664525u + 1013904223u;
      double x = k < 100000 ? (noise >> 8) / 8388608.0 - 1.0 : (k % 2 ? 1.0 : -1.0);
      double y = f.Process(x);
      ASSERT_TRUE(std::fabs(y) < 4.0) << rate << " " << k;
    }
  }
  // The requested cutoff is kept: back at 44.1 kHz the section is the exact
  // 20 kHz design again (unity gain at its cutoff).
  Biquad f = Designed(BIQUAD_LOW_PASS, 22050, 20000);
  f.SetSampleRate(44100);
  EXPECT_NEAR(MeasuredGain(f, 44100, 20000), 1.0, 1e-4);
}

TEST(SoftClip, PassesBendsAndHolds) {
  EXPECT_EQ(SoftClip(0.5), 0.5);
  EXPECT_EQ(SoftClip(-0.899), -0.899);
  EXPECT_NEAR(SoftClip(0.95), 0.94, 1e-12);
  EXPECT_DOUBLE_EQ(SoftClip(2.0), 0.95);
  EXPECT_DOUBLE_EQ(SoftClip(-1.0), -0.95);
  EXPECT_DOUBLE_EQ(SoftClip(1e300), 0.95);
  EXPECT_LE(std::fabs(SoftClip(NAN)), 0.95);
  // The bend's peak, just below full scale, never rounds above the limit.
  for (double x = 0.99; x < 1.0; x += 1e-7) {
    ASSERT_LE(SoftClip(x), 0.95) << x;
    ASSERT_GE(SoftClip(-x), -0.95) << x;
  }
  // Continuous at both joints, odd, and never decreasing.
  EXPECT_NEAR(SoftClip(0.9 - 1e-12), SoftClip(0.9), 1e-9);
  EXPECT_NEAR(SoftClip(1 - 1e-12), SoftClip(1.0), 1e-9);
  // (Just below full scale the bend's top rounds one unit in the last place
  // above the held value.)
  double previous = SoftClip(-1.5);
  for (double x = -1.5; x <= 1.5; x += 1e-4) {
    ASSERT_EQ(SoftClip(-x), -SoftClip(x));
    ASSERT_GE(SoftClip(x), previous - 1e-15) << x;
    ASSERT_LE(std::fabs(SoftClip(x)), 0.95 + 1e-15) << x;
    previous = SoftClip(x);
  }
  EXPECT_LE(SoftClip(1 - 1e-12), 0.95 + 1e-15);
}

TEST(DelayLimiter, SkipsOnlyWorkWhoseResultIsKnown) {
  // Quiet stretches skip the logarithm and, once the envelope is back near
  // its floor, the exponential: the result is the full computation's, bit
  // for bit.
  DelayLimiter limiter;
  limiter.SetSampleRate(44100);
  double envelope = DelayLimiter::FLOOR;
  const double attack = limiter.mAttackCoef, release = limiter.mReleaseCoef;
  int settled = 0;
  for (int k = 0; k < 4 * 44100; ++k) {
    const double level = (k / 11025) % 8 ? 0.3 : 1.6;  // a quarter second loud, then quiet
    double left = level * std::sin(k * 0.05), right = -0.5 * left;
    double x = std::fmax(std::fabs(left), std::fabs(right));
    double over = std::fmax(8.68588924407959 * PortableMath::Log(x + 1e-25), 0) + 1e-25;
    envelope = over + (envelope - over) * (over > envelope ? attack : release);
    const double gain = PortableMath::Exp(-(envelope - 1e-25) * 0.115129254758358);
    const double expectedLeft = left * gain, expectedRight = right * gain;
    limiter.Process(left, right);
    ASSERT_EQ(expectedLeft, left) << k;
    ASSERT_EQ(expectedRight, right) << k;
    settled += limiter.mEnvelope - DelayLimiter::FLOOR < 1e-17;
  }
  EXPECT_GT(settled, 44100);  // the envelope did come back near its floor
}

TEST(DelayLimiter, FullScaleSinePassesUnchanged) {
  DelayLimiter limiter;
  limiter.SetSampleRate(44100);
  for (int k = 0; k < 44100; ++k) {
    double left = std::sin(2 * kPi * 1000 * k / 44100), right = -left;
    double l = left, r = right;
    limiter.Process(l, r);
    ASSERT_EQ(l, left) << k;
    ASSERT_EQ(r, right) << k;
  }
}

TEST(DelayLimiter, PullsExcessBackWithATenMillisecondTimeConstant) {
  DelayLimiter limiter;
  limiter.SetSampleRate(44100);
  // A constant 6 dB over: after 10 ms (441 samples) 1/e of the excess
  // remains (2.2 dB: 1.29), and it settles at 0 dBFS.
  double left = 0, right = 0;
  for (int k = 0; k < 441; ++k) {
    left = 2.0;
    right = 0.5;
    limiter.Process(left, right);
  }
  EXPECT_NEAR(left, 1.29, 0.02);
  EXPECT_DOUBLE_EQ(right, left / 4);  // both channels take the same gain
  for (int k = 0; k < 5000; ++k) {
    left = 2.0;
    right = 0.0;
    limiter.Process(left, right);
  }
  EXPECT_NEAR(left, 1.0, 1e-4);
  // Released with the same time constant once the level drops.
  for (int k = 0; k < 441; ++k) {
    left = 0.5;
    limiter.Process(left, right);
  }
  EXPECT_NEAR(left, 0.5 * std::pow(10, -6.02 / std::exp(1.0) / 20), 0.01);

  // A +6 dB sine: attack and release being equal, the envelope settles at
  // the mean of the excess over the cycle (2.8 dB), which leaves the peaks
  // at +3.2 dB; most of the way there within the first 10 ms.
  DelayLimiter sine;
  sine.SetSampleRate(44100);
  double early = 0, peak = 0;
  for (int k = 0; k < 44100 / 5; ++k) {
    double l = 2 * std::sin(2 * kPi * 1000 * k / 44100), r = 0;
    sine.Process(l, r);
    if (k >= 441 && k < 882) early = std::fmax(early, std::fabs(l));  // 10..20 ms
    if (k >= 44100 / 10) peak = std::fmax(peak, std::fabs(l));
  }
  EXPECT_LT(early, 1.7);
  EXPECT_NEAR(peak, 1.447, 0.01);
}

TEST(LevelMeter, ShowsSilenceAsZeroAndAFullScaleSquareAsOne) {
  LevelMeter meter;
  meter.Resize(44100);
  ASSERT_EQ(meter.Length(), 13230);  // 300 ms
  EXPECT_EQ(meter.DisplayValue(), 0.0);
  FeedConstant(meter, 0.0, 20000);
  EXPECT_EQ(meter.DisplayValue(), 0.0);
  for (int i = 0; i < 13230; ++i) meter.Feed(i % 2 ? 1.0 : -1.0);
  EXPECT_NEAR(meter.DisplayValue(), 1.0, 1e-12);
  // The window slides: one sample of the square left after 13229 zeros is
  // a mean square of 1/13230 (-41.2 dB); one more zero and nothing is left.
  FeedConstant(meter, 0.0, 13229);
  EXPECT_NEAR(meter.DisplayValue(), (10 * std::log10(1.0 / 13230) + 42) / 42, 1e-9);
  meter.Feed(0.0);
  EXPECT_EQ(meter.DisplayValue(), 0.0);
}

TEST(LevelMeter, DisplayThresholds) {
  struct Case {
    double db;
    double shown;
  };
  const Case cases[] = {{-91, 0.0},      {-89, 0.125}, {-42.5, 0.125},
                        {-41, 1.0 / 42}, {-21, 0.5},   {3, 45.0 / 42}};
  for (const Case& c : cases) {
    LevelMeter meter;
    meter.Resize(44100);
    FeedConstant(meter, std::pow(10, c.db / 20), meter.Length());
    EXPECT_NEAR(meter.DisplayValue(), c.shown, 1e-9) << c.db;
  }
}

TEST(LevelMeter, ResizeKeepsALargerRingAndClears) {
  LevelMeter meter;
  meter.Resize(10);
  EXPECT_EQ(meter.Length(), LevelMeter::MIN_LENGTH);
  meter.Resize(96000);
  EXPECT_EQ(meter.Length(), 28800);
  int capacity = meter.Capacity();
  EXPECT_GE(capacity, 28800 + 64);
  FeedConstant(meter, 1.0, 1000);
  meter.Resize(44100);
  EXPECT_EQ(meter.Capacity(), capacity);
  EXPECT_EQ(meter.DisplayValue(), 0.0);
  // The window is right across many wraps of the larger ring.
  FeedConstant(meter, 1.0, 3 * capacity + 17);
  EXPECT_NEAR(meter.DisplayValue(), 1.0, 1e-9);
  FeedConstant(meter, 0.0, 13229);
  EXPECT_NEAR(meter.DisplayValue(), (10 * std::log10(1.0 / 13230) + 42) / 42, 1e-9);
  meter.Clear();
  EXPECT_EQ(meter.DisplayValue(), 0.0);
  FeedConstant(meter, 1.0, 13230);
  EXPECT_NEAR(meter.DisplayValue(), 1.0, 1e-9);
}

TEST(MixerFormulas, GainsSmoothingAndTapGain) {
  EXPECT_EQ(GainFromDecibels(-120), 0.0);
  EXPECT_NEAR(GainFromDecibels(-119.99), 1.0012e-6, 1e-9);
  EXPECT_EQ(GainFromDecibels(0), 1.0);
  EXPECT_NEAR(GainFromDecibels(20), 10.0, 1e-14);
  EXPECT_NEAR(GainFromDecibels(-6), 0.501187233627, 1e-12);
  EXPECT_NEAR(GainFromDecibels(24), 15.8489319246, 1e-9);

  EXPECT_EQ(TapSmoothingFromParam(0), 0.0);
  EXPECT_NEAR(TapSmoothingFromParam(0.9), 0.99 * 0.999999, 1e-15);
  EXPECT_LT(TapSmoothingFromParam(0.999999), 1.0);
  // Smoothing 0 jumps to the set time; otherwise the delay glides.
  EXPECT_EQ(SmoothTapDelay(10, 44100, 0.0, 123.0), 441.0);
  EXPECT_EQ(SmoothTapDelay(10, 44100, 0.5, 0.0), 220.5);

  EXPECT_EQ(TapFeedbackGain(0), 1.0);
  EXPECT_EQ(TapFeedbackGain(1), 1.0);
  EXPECT_NEAR(TapFeedbackGain(2), 0.621, 5e-4);
  EXPECT_NEAR(TapFeedbackGain(10), 0.148, 5e-4);
  EXPECT_NEAR(TapFeedbackGain(200), 1.1508 * std::pow(200, -0.8895), 1e-14);
}
