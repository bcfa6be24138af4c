#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <typeinfo>

#include "dsp/MwcRandom.h"
#include "modulation/Lfo.h"
#include "modulation/LfoRandom.h"
#include "modulation/LfoSampleAndHold.h"
#include "modulation/LfoSine.h"
#include "modulation/LfoSquare.h"
#include "modulation/LfoTriangle.h"

namespace {

const double PI = 3.14159265358979323846;

// An oscillator of the given shape, timed as the handlers do it.
std::unique_ptr<Lfo> MakeLfo(int shape, float sampleRate, float rate) {
  std::unique_ptr<Lfo> lfo = Lfo::Create(shape);
  lfo->SetSampleRate(sampleRate);
  lfo->SetRate(rate);
  lfo->UpdatePeriod();
  return lfo;
}

// Period 100 from a sample rate of 100 and 1 Hz.
std::unique_ptr<Lfo> MakeLfo100(int shape) {
  return MakeLfo(shape, 100.0f, 1.0f);
}

int PeriodFor(float sampleRate, float rate) {
  return MakeLfo(LFO_SINE, sampleRate, rate)->Period();
}

}  // namespace

TEST(LfoFactory, BuildsEachShapeWithItsClassSkewAndRate) {
  struct Expected {
    const std::type_info& mClass;
    float mSkew;
    float mRate;
  };
  const Expected expected[NUM_LFO_SHAPES] = {
      {typeid(LfoSine), 0.5f, 1.0f},          {typeid(LfoTriangle), 0.5f, 1.0f},
      {typeid(LfoTriangle), 0.0f, 1.0f},      {typeid(LfoTriangle), 1.0f, 1.0f},
      {typeid(LfoSquare), 0.5f, 1.0f},        {typeid(LfoRandom), 0.0f, 0.0f},
      {typeid(LfoSampleAndHold), 0.0f, 0.0f},
  };
  for (int shape = 0; shape < NUM_LFO_SHAPES; ++shape) {
    SCOPED_TRACE(shape);
    std::unique_ptr<Lfo> lfo = Lfo::Create(shape);
    ASSERT_TRUE(lfo);
    EXPECT_TRUE(typeid(*lfo) == expected[shape].mClass) << typeid(*lfo).name();
    EXPECT_EQ(lfo->Shape(), shape);
    EXPECT_EQ(lfo->Skew(), expected[shape].mSkew);
    EXPECT_EQ(lfo->Rate(), expected[shape].mRate);
    EXPECT_EQ(lfo->Output(), 0.0f);
    EXPECT_EQ(lfo->Depth(), 1.0f);
    EXPECT_FALSE(lfo->Synced());
    EXPECT_EQ(lfo->Division(), 0);
    EXPECT_EQ(lfo->Period(), 1);
    EXPECT_EQ(lfo->SampleRate(), 0.0f);
  }
  // Any other index is the random shape.
  for (int shape : {-1, static_cast<int>(NUM_LFO_SHAPES), 1000}) {
    std::unique_ptr<Lfo> lfo = Lfo::Create(shape);
    EXPECT_TRUE(typeid(*lfo) == typeid(LfoRandom)) << shape;
    EXPECT_EQ(lfo->Shape(), LFO_RANDOM) << shape;
    EXPECT_EQ(lfo->Rate(), 0.0f) << shape;
  }
}

TEST(LfoPeriod, IsTheTruncatedSinglePrecisionQuotientOfSampleRateAndRate) {
  EXPECT_EQ(PeriodFor(44100.0f, 1.0f), 44100);
  EXPECT_EQ(PeriodFor(44100.0f, 5.0f), 8820);
  EXPECT_EQ(PeriodFor(48000.0f, 7.0f), 6857);  // 6857.14 truncated
  // 44100 / 0.3f is 146999.994 exactly but rounds to 147000 in single precision.
  EXPECT_EQ(PeriodFor(44100.0f, 0.3f), 147000);
}

TEST(LfoPeriod, FallsBackToOneSampleAndStaysBounded) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  // A rate of 0 or below divides the sample rate by itself.
  EXPECT_EQ(PeriodFor(44100.0f, 0.0f), 1);
  EXPECT_EQ(PeriodFor(44100.0f, -2.0f), 1);
  EXPECT_EQ(PeriodFor(44100.0f, nan), 1);
  // No sample rate yet (0 / 0 for the random shapes' rate of 0), or a rate above it.
  EXPECT_EQ(PeriodFor(0.0f, 0.0f), 1);
  EXPECT_EQ(PeriodFor(0.0f, 1.0f), 1);
  EXPECT_EQ(PeriodFor(44100.0f, 50000.0f), 1);
  EXPECT_EQ(PeriodFor(nan, 1.0f), 1);
  EXPECT_EQ(PeriodFor(44100.0f, 1e-30f), Lfo::MAX_PERIOD);
  EXPECT_EQ(PeriodFor(inf, 1.0f), Lfo::MAX_PERIOD);
}

TEST(LfoPeriod, EveryShapeStaysFiniteAndInRangeAtDegenerateTimings) {
  const float timings[][2] = {{0.0f, 0.0f}, {44100.0f, 0.0f}, {44100.0f, 50000.0f},
                              {1.0f, 1.0f}, {2.0f, 1.0f},     {44100.0f, 1e-30f}};
  for (int shape = 0; shape < NUM_LFO_SHAPES; ++shape) {
    for (const auto& timing : timings) {
      std::unique_ptr<Lfo> lfo = MakeLfo(shape, timing[0], timing[1]);
      for (int samples : {16, 0, 1, 16, 16, 7}) {
        lfo->Tick(samples);
        ASSERT_TRUE(lfo->Output() >= 0.0f && lfo->Output() <= 1.0f)
            << "shape " << shape << " at " << timing[0] << " / " << timing[1] << ": " << lfo->Output();
      }
    }
  }
}

TEST(LfoSine, RisesFromTheMiddleWithPeaksAndZerosAtTheQuarters) {
  std::unique_ptr<Lfo> lfo = MakeLfo(LFO_SINE, 4.0f, 1.0f);
  const float expected[] = {1.0f, 0.5f, 0.0f, 0.5f, 1.0f};
  for (float value : expected) {
    lfo->Tick(1);
    EXPECT_NEAR(lfo->Output(), value, 1e-6f);
  }
}

TEST(LfoSine, FollowsTheSineContinuouslyAcrossItsWrapIn16SampleTicks) {
  const int period = 44100;
  std::unique_ptr<Lfo> lfo = MakeLfo(LFO_SINE, 44100.0f, 1.0f);
  ASSERT_EQ(lfo->Period(), period);
  const int tick = 16;
  // A 16-sample step of a 1 Hz sine moves its 0..1 output by at most 16 pi / 44100.
  const float maxStep = static_cast<float>(16.0 * PI / period * 1.1);
  float previous = 0.5f;
  // Two and a half cycles: the phase wraps three times.
  for (int n = tick; n <= period * 5 / 2; n += tick) {
    lfo->Tick(tick);
    double reference = (std::sin(2.0 * PI * n / period) + 1.0) * 0.5;
    ASSERT_NEAR(lfo->Output(), reference, 0.002) << "after " << n << " samples";
    ASSERT_LE(std::fabs(lfo->Output() - previous), maxStep) << "after " << n << " samples";
    previous = lfo->Output();
  }
}

TEST(LfoTriangle, RisesToOneAtTheSkewPointAndFallsBack) {
  std::unique_ptr<Lfo> lfo = MakeLfo100(LFO_TRIANGLE);
  lfo->Tick(0);
  EXPECT_EQ(lfo->Output(), 0.0f);
  const float expected[] = {0.5f, 1.0f, 0.5f, 0.0f};  // positions 25, 50, 75, 0
  for (float value : expected) {
    lfo->Tick(25);
    EXPECT_FLOAT_EQ(lfo->Output(), value);
  }
  lfo->Tick(99);
  EXPECT_NEAR(lfo->Output(), 0.02f, 1e-6f);  // the fall loses bits as it nears 0
}

TEST(LfoTriangle, RampsSpendTheWholePeriodFallingOrRising) {
  // Falling ramp: no rise, so position 0 reads 0 and position 1 starts the fall from 1.
  std::unique_ptr<Lfo> down = MakeLfo100(LFO_RAMP_DOWN);
  const float downExpected[][2] = {{0, 0.0f}, {1, 0.99f}, {49, 0.5f}, {49, 0.01f}, {1, 0.0f}};
  for (const auto& step : downExpected) {
    down->Tick(static_cast<int>(step[0]));
    EXPECT_NEAR(down->Output(), step[1], 1e-6f);
  }
  // Rising ramp: no fall; it never quite reaches 1 before the cycle restarts.
  std::unique_ptr<Lfo> up = MakeLfo100(LFO_RAMP_UP);
  const float upExpected[][2] = {{0, 0.0f}, {1, 0.01f}, {49, 0.5f}, {49, 0.99f}, {1, 0.0f}};
  for (const auto& step : upExpected) {
    up->Tick(static_cast<int>(step[0]));
    EXPECT_NEAR(up->Output(), step[1], 1e-6f);
  }
}

TEST(LfoSquare, IsLowThroughTheSwitchPointThenHigh) {
  std::unique_ptr<Lfo> lfo = MakeLfo100(LFO_SQUARE);
  lfo->Tick(0);
  EXPECT_EQ(lfo->Output(), 0.0f);
  for (int n = 1; n < 250; ++n) {
    lfo->Tick(1);
    ASSERT_EQ(lfo->Output(), n % 100 > 50 ? 1.0f : 0.0f) << "position " << n % 100;
  }
}

TEST(LfoPosition, PersistsAcrossRateChangesUnlessBeyondTheNewPeriod) {
  // Triangle at position 75 of 100, then period 80: still at 75, falling from the peak at 40.
  std::unique_ptr<Lfo> triangle = MakeLfo100(LFO_TRIANGLE);
  triangle->Tick(75);
  triangle->SetRate(1.25f);
  triangle->UpdatePeriod();
  triangle->Tick(0);
  EXPECT_FLOAT_EQ(triangle->Output(), 0.125f);
  // Period 50: position 75 lies beyond it and restarts at 0.
  triangle->SetRate(2.0f);
  triangle->UpdatePeriod();
  triangle->Tick(0);
  EXPECT_EQ(triangle->Output(), 0.0f);

  // Square at position 45, then period 40 (switch point 20): restarted, 18 samples on is still low.
  std::unique_ptr<Lfo> square = MakeLfo100(LFO_SQUARE);
  square->Tick(45);
  square->SetRate(2.5f);
  square->UpdatePeriod();
  square->Tick(18);
  EXPECT_EQ(square->Output(), 0.0f);
  // Period 80 from position 18 keeps it: 18 + 30 = 48 is past the switch point at 40.
  square->SetRate(1.25f);
  square->UpdatePeriod();
  square->Tick(30);
  EXPECT_EQ(square->Output(), 1.0f);
}

TEST(LfoRandom, DrawsEveryTickScaledByDepthWhateverTheSamplesOrRate) {
  std::unique_ptr<Lfo> full = MakeLfo(LFO_RANDOM, 44100.0f, 0.0f);
  std::unique_ptr<Lfo> scaled = MakeLfo(LFO_RANDOM, 44100.0f, 3.0f);
  scaled->SetDepth(0.3f);
  MwcRandom reference;  // each oscillator has its own generator from the fixed seeds
  for (int i = 0; i < 100; ++i) {
    double r = reference.Next();
    full->Tick(16);
    scaled->Tick(i % 2 ? 0 : 100000);
    ASSERT_EQ(full->Output(), static_cast<float>(r)) << i;
    ASSERT_EQ(scaled->Output(), static_cast<float>(r * 0.3f)) << i;
  }
}

TEST(LfoSampleAndHold, DrawsOnlyWhenTheCounterPassesThePeriod) {
  std::unique_ptr<Lfo> lfo = MakeLfo100(LFO_SAMPLE_AND_HOLD);
  lfo->SetDepth(0.5f);  // not applied to the held value
  MwcRandom reference;
  // Counter in 16-sample ticks: 112, 108 and 104 pass 100; at tick 25 it is exactly 100, which does not.
  const int drawTicks[] = {7, 13, 19, 26};
  float held = 0.0f;
  int nextDraw = 0;
  for (int tick = 1; tick <= 30; ++tick) {
    lfo->Tick(16);
    if (nextDraw < 4 && tick == drawTicks[nextDraw]) {
      held = static_cast<float>(reference.Next());
      ++nextDraw;
    }
    ASSERT_EQ(lfo->Output(), held) << "tick " << tick;
  }
  EXPECT_EQ(nextDraw, 4);
}

TEST(LfoSampleAndHold, RestartsItsCountWhenRetimed) {
  std::unique_ptr<Lfo> lfo = MakeLfo100(LFO_SAMPLE_AND_HOLD);
  for (int tick = 0; tick < 6; ++tick) lfo->Tick(16);  // counter 96
  lfo->UpdatePeriod();                                 // counter 0
  for (int tick = 0; tick < 6; ++tick) lfo->Tick(16);
  EXPECT_EQ(lfo->Output(), 0.0f);
  lfo->Tick(16);
  EXPECT_EQ(lfo->Output(), static_cast<float>(MwcRandom().Next()));
}
