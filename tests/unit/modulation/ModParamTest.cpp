// Modulated parameter ranges and the note divisions of tempo sync.
#include <gtest/gtest.h>

#include <cstring>

#include "modulation/ModParam.h"
#include "modulation/TempoSync.h"

TEST(ModParam, UnmodulatedRangeIsTheClampedBase) {
  ModParam repel;
  repel.Init(1, 99, 0);
  EXPECT_EQ(repel.mLow, 1.0);
  EXPECT_EQ(repel.mWidth, 98.0);
  repel.SetBase(25);
  EXPECT_EQ(repel.mLow, 25.0);
  EXPECT_EQ(repel.mWidth, 0.0);
  EXPECT_EQ(repel.Value(0.7), 25.0);
  repel.SetBase(150);  // outside the range: held at the limit
  EXPECT_EQ(repel.mLow, 99.0);
  EXPECT_EQ(repel.mKnobBase, 150.0);
}

TEST(ModParam, KnobDepthActsSquaredAndSourceSelectionPlain) {
  ModParam speed;
  speed.Init(0, 20, 0);
  speed.SetBase(4);
  speed.SetDepthFromKnob(0.5, false);  // no source yet: nothing
  EXPECT_EQ(speed.mWidth, 0.0);
  speed.SetSource(3, 0.5);  // plain depth: half width 10
  EXPECT_EQ(speed.mLow, 0.0);
  EXPECT_EQ(speed.Top(), 14.0);
  speed.SetDepthFromKnob(0.5, false);  // squared: half width 5
  EXPECT_EQ(speed.mHalfWidth, 5.0);
  EXPECT_EQ(speed.mLow, 0.0);
  EXPECT_EQ(speed.Top(), 9.0);
  EXPECT_EQ(speed.mShownHigh, 9.0);
  EXPECT_EQ(speed.Value(0.5), 4.5);
  speed.SetSource(0, 0.5);  // no source: no depth
  EXPECT_EQ(speed.mWidth, 0.0);

  ModParam time;
  time.Init(10, 500, 4);
  time.SetBase(100);
  time.SetSource(1, 1);
  time.SetDepthFromKnob(1, true);  // halved: (1/2)^2 of the range
  EXPECT_EQ(time.mHalfWidth, 0.25 * 490);
}

TEST(ModParam, SyncTakesTheTempoRangeAndGivesTheKnobBack) {
  ModParam length;
  length.Init(0.1, 100, 4);
  length.SetTimedBase(30, (30 - 0.1) / 99.9, 120);
  EXPECT_EQ(length.mBase, 30.0);
  length.SetSync(1, (30 - 0.1) / 99.9, 120);
  EXPECT_TRUE(length.mSynced);
  EXPECT_EQ(length.mDivision, 4);
  EXPECT_NEAR(length.mBase, 93.75, 1e-4);
  EXPECT_NEAR(length.mMin, 31.25, 1e-4);
  EXPECT_NEAR(length.mMax, 2000, 1e-3);
  EXPECT_EQ(length.mFreeMin, 0.1);
  // While synced the knob picks divisions: the top gives "1/1".
  length.SetTimedBase(100, 1.0, 120);
  EXPECT_NEAR(length.mBase, 2000, 1e-3);
  length.SetTimedBase(50, 0.5, 120);
  EXPECT_EQ(length.mDivision, 8);
  EXPECT_NEAR(length.mBase, 250, 1e-4);
  // A tempo change alone re-times nothing; switching off restores the knob.
  length.SetSync(0, (30 - 0.1) / 99.9, 60);
  EXPECT_FALSE(length.mSynced);
  EXPECT_EQ(length.mMin, 0.1);
  EXPECT_EQ(length.mMax, 100.0);
  EXPECT_NEAR(length.mBase, 30.0, 1e-12);
  // Repeating the current state changes nothing but the range display.
  length.SetSync(0, 0.9, 60);
  EXPECT_NEAR(length.mBase, 30.0, 1e-12);
}

TEST(TempoSync, DivisionsAtATempo) {
  EXPECT_STREQ(TimeDivision(11).mName, "1/4");
  EXPECT_NEAR(TimeDivisionMs(11, 90), 666.67, 0.01);
  EXPECT_NEAR(TimeDivisionMs(0, 120), 31.25, 1e-4);
  EXPECT_NEAR(TimeDivisionMs(16, 120), 2000, 1e-3);
  EXPECT_NEAR(LfoDivisionHz(12, 90), 1.5, 1e-6);
  EXPECT_NEAR(LfoDivisionHz(0, 120), 0.0625, 1e-8);
  EXPECT_NEAR(LfoDivisionHz(22, 120), 24, 1e-5);
  // The knob: only the very top reaches the last entry.
  EXPECT_EQ(TimeDivisionForKnob(0.5), 8);
  EXPECT_EQ(TimeDivisionForKnob(0.999), 15);
  EXPECT_EQ(TimeDivisionForKnob(1.0), 16);
  EXPECT_STREQ(LfoDivision(LfoDivisionForKnob(0.0)).mName, "8/1");
  EXPECT_STREQ(LfoDivision(LfoDivisionForKnob(1.0)).mName, "1/32t");
  // Durations ascend and rates rise through the tables.
  for (int i = 1; i < NUM_TIME_DIVISIONS; ++i) EXPECT_GT(TimeDivisionMs(i, 120), TimeDivisionMs(i - 1, 120));
  for (int i = 1; i < NUM_LFO_DIVISIONS; ++i) EXPECT_GT(LfoDivisionHz(i, 120), LfoDivisionHz(i - 1, 120));
  EXPECT_STREQ(TimeDivision(99).mName, "1/1");  // held to the table
}
