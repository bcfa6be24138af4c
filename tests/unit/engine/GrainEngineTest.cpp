// Grain streams bound to the flock, the onset rules and the rendering of
// grains, and one delay tap's reading of the lines.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/DelayTap.h"
#include "engine/GrainEngine.h"
#include "flock/Swarm.h"

namespace {

GrainSettings Settings(double lengthMs, double amplitude = 1.0) {
  GrainSettings settings;
  settings.mLengthMs = lengthMs;
  settings.mAmplitude = amplitude;
  return settings;
}

TEST(GrainStreams, FollowTheFlockAndKeepSoundingGrains) {
  Swarm swarm;
  swarm.SetNumVrels(6);
  GrainEngine engine;
  engine.SetNumStreams(6, swarm.Vrels());
  ASSERT_EQ(6, engine.NumStreams());
  for (int k = 0; k < 6; ++k) EXPECT_EQ(k, engine.Stream(k)->mpVrel->mIndex);

  // Turns go 0, 1, 2, ... and restart the countdown.
  engine.mOnsetInterval = 123;
  for (int k = 0; k < 5; ++k) EXPECT_EQ(k, engine.TakeTurn()->mIndex);
  EXPECT_EQ(123, engine.mOnsetCountdown);
  ASSERT_TRUE(engine.StartGrain(Settings(10), 44100));

  // The flock shrinks to two: streams 2..5 are released, the turn starts
  // over below two, and the sounding grain goes on.
  swarm.SetNumVrels(2);
  engine.SetNumStreams(2, swarm.Vrels());
  EXPECT_EQ(2, engine.NumStreams());
  EXPECT_EQ(0, engine.NextStreamIndex());
  EXPECT_EQ(nullptr, engine.Stream(2));
  EXPECT_EQ(1, engine.ActiveGrains());

  // Grown again, the streams are bound to whichever vrels now hold the
  // indexes.
  swarm.SetNumVrels(4);
  engine.SetNumStreams(4, swarm.Vrels());
  for (int k = 0; k < 4; ++k) EXPECT_EQ(k, engine.Stream(k)->mpVrel->mIndex);
}

TEST(GrainOnsets, AtMostTwoGrainsPerStreamAndOnlyAudibleOnes) {
  Swarm swarm;
  swarm.SetNumVrels(1);
  GrainEngine engine;
  engine.SetNumStreams(1, swarm.Vrels());
  EXPECT_FALSE(engine.StartGrain(Settings(10, 0.0), 44100));  // silent: the turn passes
  EXPECT_TRUE(engine.StartGrain(Settings(10), 44100));
  EXPECT_TRUE(engine.StartGrain(Settings(10), 44100));
  EXPECT_FALSE(engine.StartGrain(Settings(10), 44100));
  EXPECT_EQ(2, engine.ActiveGrains());
}

TEST(GrainOnsets, SourceDirectionAndSpeedSetTheReadPosition) {
  Swarm swarm;
  swarm.SetNumVrels(1);
  GrainEngine engine;
  engine.SetNumStreams(1, swarm.Vrels());
  GrainSettings settings = Settings(1000);  // 1000 samples at 1 kHz
  settings.mSource = 0.5;                   // exactly half reads the right input
  settings.mRate = 2;
  settings.mDelayMs = 0;
  ASSERT_TRUE(engine.StartGrain(settings, 1000));
  const Grain* fast = engine.SoundingGrains().First();
  EXPECT_EQ(1, fast->mChannel);
  EXPECT_EQ(1000, fast->mLength);
  EXPECT_EQ(-2000.0, fast->mReadOffset);  // ends 1000 samples behind the writes

  settings.mSource = 0.49;
  settings.mDirection = 0.6;  // backwards from the delay, whatever the speed
  settings.mDelayMs = 30;
  ASSERT_TRUE(engine.StartGrain(settings, 1000));
  const Grain* backwards = GrainList::Next(fast);
  EXPECT_EQ(0, backwards->mChannel);
  EXPECT_EQ(-2.0, backwards->mRate);
  EXPECT_EQ(-30.0, backwards->mReadOffset);
}

// Histories whose left channel holds 0 and whose right holds `right`.
struct Histories {
  explicit Histories(double right) {
    for (int i = 0; i < AudioRing::RING_LENGTH; ++i) rings[1].At(i) = right;
  }
  InputHistory rings[2];
};

TEST(GrainRendering, EmptyGrainsEndUnheardAndLongOnesStayInTheTable) {
  Swarm swarm;
  swarm.SetNumVrels(1);
  GrainEngine engine;
  engine.SetNumStreams(1, swarm.Vrels());
  Histories histories(0.5);
  EnvelopeTable envelope;
  SetEnvelope(envelope, ENVELOPE_RECTANGLE, 0.0f);
  double left[16] = {}, right[16] = {};

  GrainSettings empty = Settings(0);
  empty.mSource = 1;
  ASSERT_TRUE(engine.StartGrain(empty, 44100));
  engine.Render(histories.rings, envelope, 16, left, right);
  EXPECT_EQ(0, engine.ActiveGrains());
  for (int k = 0; k < 16; ++k) EXPECT_EQ(0.0, left[k] + right[k]);

  // A grain so long that its single-precision envelope step runs past the
  // table's end before the grain does: its last samples read the closing
  // entry, never beyond the table (which the bounds-checking build sees).
  int length = 0;
  for (int candidate = 100000000; candidate < 200000000; candidate += 7) {
    const float step = static_cast<float>(EnvelopeTable::SIZE / (candidate + 0.00001));
    if (static_cast<double>(step) * (candidate - 1) >= EnvelopeTable::SIZE) {
      length = candidate;
      break;
    }
  }
  ASSERT_GT(length, 0);
  GrainSettings longest = Settings(length);  // ms at 1 kHz: samples
  longest.mSource = 1;
  longest.mPan = 0.5;
  ASSERT_TRUE(engine.StartGrain(longest, 1000));
  Grain* grain = engine.SoundingGrains().First();
  ASSERT_EQ(length, grain->mLength);
  grain->mPosition = length - 8;
  engine.Render(histories.rings, envelope, 16, left, right);
  EXPECT_EQ(0, engine.ActiveGrains());
  for (int k = 0; k < 16; ++k) {
    EXPECT_LE(std::fabs(left[k]), 0.25) << k;
    EXPECT_LE(std::fabs(right[k]), 0.25) << k;
  }
}

TEST(DelayTap, ReadsBetweenSamplesBehindEachLine) {
  DelayLine lines[2];
  for (int i = 0; i < AudioRing::RING_LENGTH; ++i) {
    lines[0].At(i) = i;
    lines[1].At(i) = -2.0 * i;
  }
  lines[0].mWriteIndex = lines[1].mWriteIndex = 1000;
  TapMix mix;
  mix.mPan = 0.25;
  mix.mFeedback = 0.5;
  double delayLeft[16] = {}, delayRight[16] = {}, feedbackLeft[16] = {}, feedbackRight[16] = {};
  ReadTap(lines, 10.25, mix, 16, delayLeft, delayRight, feedbackLeft, feedbackRight);
  for (int k = 0; k < 16; ++k) {
    const double position = 1000 + k - 10.25;  // the ramps interpolate exactly
    EXPECT_DOUBLE_EQ(position * 0.75, delayLeft[k]);
    EXPECT_DOUBLE_EQ(-2 * position * 0.25, delayRight[k]);
    EXPECT_DOUBLE_EQ(position * 0.5, feedbackLeft[k]);
    EXPECT_DOUBLE_EQ(-2 * position * 0.5, feedbackRight[k]);
  }
}

TEST(DelayTap, WrapsAroundTheRingAndReadsOldSlotsWhenShort) {
  DelayLine lines[2];
  for (int i = 0; i < AudioRing::RING_LENGTH; ++i) lines[0].At(i) = lines[1].At(i) = std::sin(i * 0.001);
  const int mask = AudioRing::RING_MASK;
  TapMix mix;
  mix.mPan = 0.5;
  for (int start : {AudioRing::RING_LENGTH - 5, 3}) {
    for (double delay : {0.0, 3.5, 7.0}) {
      lines[0].mWriteIndex = lines[1].mWriteIndex = start;
      double left[16] = {}, right[16] = {}, feedbackLeft[16] = {}, feedbackRight[16] = {};
      ReadTap(lines, delay, mix, 16, left, right, feedbackLeft, feedbackRight);
      for (int k = 0; k < 16; ++k) {
        const double p = k - delay;
        const int i = static_cast<int>(std::floor(p));
        const double a = lines[0].At((start + i) & mask), b = lines[0].At((start + i + 1) & mask);
        EXPECT_NEAR(0.5 * (a + (b - a) * (p - i)), left[k], 1e-15) << start << " " << delay << " " << k;
      }
    }
  }
}

}  // namespace
