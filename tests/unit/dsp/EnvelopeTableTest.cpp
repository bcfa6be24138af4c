#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp/EnvelopeTable.h"

static const double kPi = 3.14159265358979323846;
namespace {

const int N = EnvelopeTable::SIZE;

EnvelopeTable FromChoice(int choice, double skew) {
  EnvelopeTable table;
  EXPECT_TRUE(SetEnvelopeFromChoice(table, choice, skew));
  return table;
}

int ArgMax(const EnvelopeTable& t) {
  int best = 0;
  for (int i = 1; i < N; ++i) {
    if (t.mTable[i] > t.mTable[best]) best = i;
  }
  return best;
}

bool AllOnes(const EnvelopeTable& t) {
  for (int i = 0; i < N; ++i) {
    if (t.mTable[i] != 1.0) return false;
  }
  return true;
}

}  // namespace

TEST(EnvelopeTable, StartsAsTukeyWithShortFlanks) {
  EnvelopeTable t;
  EXPECT_EQ(t.mShape, ENVELOPE_TUKEY);
  EXPECT_EQ(t.mShapeValue, 0.05f);
  // Flanks of int(0.05 * 128) = 6 and 256 - int(0.975 * 256) = 7 entries.
  EXPECT_EQ(t.mTable[0], 0.0);
  EXPECT_LT(t.mTable[5], 1.0);
  for (int i = 6; i < 249; ++i) ASSERT_EQ(t.mTable[i], 1.0) << i;
  EXPECT_LT(t.mTable[249], 1.0);
  EXPECT_LT(t.mTable[255], 0.1);
  EXPECT_EQ(t.mTable[N], 0.0);
}

// Each choice at skew 0.5 (shape value 0.5 for every one of them): where the
// shape starts, ends and peaks.
TEST(EnvelopeTable, EveryShapeHasItsEndAndPeakValues) {
  EnvelopeTable t = FromChoice(0, 0.5);  // Tukey: 64-entry flanks
  EXPECT_EQ(t.mShape, ENVELOPE_TUKEY);
  EXPECT_EQ(t.mTable[0], 0.0);
  EXPECT_EQ(t.mTable[64], 1.0);
  EXPECT_EQ(t.mTable[191], 1.0);
  EXPECT_NEAR(t.mTable[255], (std::cos(0.984375 * kPi) + 1) * 0.5, 1e-15);

  t = FromChoice(1, 0.5);  // Gaussian, s = 50.3625 entries
  EXPECT_EQ(t.mShape, ENVELOPE_GAUSSIAN);
  EXPECT_EQ(t.mTable[127], t.mTable[128]);
  EXPECT_NEAR(t.mTable[0], std::exp(-0.5 * std::pow(127.5 / 50.3625, 2)), 1e-15);
  EXPECT_EQ(t.mTable[0], t.mTable[255]);

  t = FromChoice(2, 0.5);  // Hann
  EXPECT_EQ(t.mShape, ENVELOPE_HANN);
  EXPECT_NEAR(t.mTable[0], 0.0, 1e-15);
  EXPECT_NEAR(t.mTable[255], 0.0, 1e-15);
  EXPECT_GT(t.mTable[127], 0.9999);
  EXPECT_LT(t.mTable[127], 1.0);
  EXPECT_NEAR(t.mTable[127], t.mTable[128], 1e-15);

  t = FromChoice(3, 0.5);  // Exp Up: e^(-5.5) rising to e^(-5.5 / 256)
  EXPECT_EQ(t.mShape, ENVELOPE_EXP_UP);
  EXPECT_NEAR(t.mTable[0], std::exp(-5.5), 1e-15);
  EXPECT_NEAR(t.mTable[255], std::exp(-5.5 / 256), 1e-12);
  EXPECT_EQ(ArgMax(t), 255);

  t = FromChoice(4, 0.5);  // Exp Down: 1 falling to e^(-5.5 * 255 / 256)
  EXPECT_EQ(t.mShape, ENVELOPE_EXP_DOWN);
  EXPECT_EQ(t.mTable[0], 1.0);
  EXPECT_NEAR(t.mTable[255], std::exp(-5.5 * 255 / 256), 1e-12);

  t = FromChoice(5, 0.5);
  EXPECT_EQ(t.mShape, ENVELOPE_RECTANGLE);
  EXPECT_TRUE(AllOnes(t));

  t = FromChoice(6, 0.5);  // Triangle: apex at 128
  EXPECT_EQ(t.mShape, ENVELOPE_TRIANGLE);
  EXPECT_EQ(t.mTable[0], 0.0);
  EXPECT_EQ(t.mTable[128], 1.0);
  EXPECT_EQ(t.mTable[255], 1.0 / 128);

  t = FromChoice(7, 0.5);  // Trapezoid: 64-entry flanks
  EXPECT_EQ(t.mShape, ENVELOPE_TRAPEZOID);
  EXPECT_EQ(t.mTable[0], 0.0);
  EXPECT_EQ(t.mTable[63], 63.0 / 64);
  EXPECT_EQ(t.mTable[64], 1.0);
  EXPECT_EQ(t.mTable[191], 1.0);
  EXPECT_EQ(t.mTable[255], 1.0 / 64);

  t = FromChoice(8, 0.5);  // Hann-Pois: peak at 127, ends about 60.5 dB down
  EXPECT_EQ(t.mShape, ENVELOPE_HANN_POISSON);
  EXPECT_EQ(ArgMax(t), 127);
  EXPECT_EQ(t.mTable[127], 1.0);
  EXPECT_NEAR(20 * std::log10(t.mTable[0]), -60.5, 1.0);

  EnvelopeTable before;
  EXPECT_FALSE(SetEnvelopeFromChoice(before, 9, 0.5));
  EXPECT_FALSE(SetEnvelopeFromChoice(before, -1, 0.5));
  EXPECT_EQ(before.mShape, ENVELOPE_TUKEY);
}

TEST(EnvelopeTable, TriangleLimitsStayInsideTheTable) {
  // Skew 0: no rise, 1 falling to 1/256.
  EnvelopeTable t = FromChoice(6, 0.0);
  EXPECT_EQ(t.mTable[0], 1.0);
  EXPECT_EQ(t.mTable[255], 1.0 / 256);
  // Skew 1: p = 256, a rise of i/256 only; the entries after the table are
  // the closing 0 and the record's own fields, untouched.
  t = FromChoice(6, 1.0);
  for (int i = 0; i < N; ++i) ASSERT_EQ(t.mTable[i], i / 256.0) << i;
  EXPECT_EQ(t.mTable[N], 0.0);
  EXPECT_EQ(t.mShape, ENVELOPE_TRIANGLE);
  EXPECT_EQ(t.mShapeValue, 1.0f);
  // p = 255: the rise reaches 1 at the last entry.
  SetEnvelope(t, ENVELOPE_TRIANGLE, 255.0f / 256);
  EXPECT_EQ(t.mTable[255], 1.0);
  EXPECT_EQ(t.mTable[254], 254.0 / 255);
}

TEST(EnvelopeTable, FlatLimitsOfTukeyAndTrapezoid) {
  EXPECT_TRUE(AllOnes(FromChoice(0, 1.0)));    // Tukey, a = 0
  EXPECT_TRUE(AllOnes(FromChoice(7, 0.995)));  // Trapezoid, int(0.005 * 128) = 0
  EXPECT_FALSE(AllOnes(FromChoice(7, 0.99)));  // one-entry flanks start at 0
}

TEST(EnvelopeTable, HannPoissonWithoutSkewEndsNearMinusOneDecibel) {
  EnvelopeTable t = FromChoice(8, 1.0);
  EXPECT_NEAR(t.mTable[0], std::exp(-127 / (8.69 * 128)), 1e-15);
  EXPECT_NEAR(t.mTable[255], std::exp(-128 / (8.69 * 128)), 1e-15);
  EXPECT_NEAR(t.mTable[0], 0.89, 0.005);
}

// Whatever the shape value (including values no parameter can give), every
// shape stays finite, within 0..1 and inside its 256 entries, and the entry
// after them is 0.
TEST(EnvelopeTable, EveryShapeStaysBoundedForAnyShapeValue) {
  const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  const float values[] = {0.0f,  1e-7f, 0.003f, 0.05f, 0.5f,
                          0.99f, 1.0f,  -1.0f,  2.0f,  std::numeric_limits<float>::quiet_NaN()};
  for (int code : codes) {
    for (float a : values) {
      EnvelopeTable t;
      SetEnvelope(t, code, a);
      for (int i = 0; i < N; ++i) {
        ASSERT_TRUE(t.mTable[i] >= 0.0 && t.mTable[i] <= 1.0) << code << " " << a << " " << i;
      }
      ASSERT_EQ(t.mTable[N], 0.0);
      ASSERT_EQ(t.mShape, code);
    }
  }
  // Codes without a generator leave the entries as they were.
  EnvelopeTable t;
  EnvelopeTable initial;
  BuildEnvelope(t, 3);
  for (int i = 0; i < N; ++i) ASSERT_EQ(t.mTable[i], initial.mTable[i]);
}
