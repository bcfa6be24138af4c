// Modulation sources, the matrix and the modulation tick.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "modulation/ModulationTick.h"

namespace {

std::unique_ptr<Lfo> MakeLfo(int shape, float sampleRate, float rate, float depth) {
  std::unique_ptr<Lfo> lfo = Lfo::Create(shape);
  lfo->SetSampleRate(sampleRate);
  lfo->SetRate(rate);
  lfo->UpdatePeriod();
  lfo->SetDepth(depth);
  return lfo;
}

// The 23 records with the range 0..100 and the knob at 30.
void InitParams(ModParam (&params)[NUM_MOD_SLOTS]) {
  for (ModParam& p : params) {
    p.Init(0, 100, 0);
    p.SetBase(30);
  }
}

}  // namespace

TEST(ModSources, MemberFormulasStayInZeroToOne) {
  const double cases[][5] = {// x, y, X, Y, R
                             {150, 120, 0.5, 0.5, 0},
                             {300, 240, 1, 1, 1},
                             {0, 240, 0, 1, 1},
                             {75, 60, 0.25, 0.25, 0.5},
                             {225, 30, 0.75, 0.125, 165.0 / 270},
                             // pushed past the edge by the scatter tool: held
                             {306.5, -4, 1, 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c[0] << ", " << c[1] << ")");
    ModSources s;
    s.WriteVrel(c[0], c[1], 0, 3);
    s.WriteLeader(c[0], c[1]);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(s[ModSources::kVrelX + k], c[2 + k]);
      EXPECT_EQ(s[ModSources::kVrelXInv + k], 1 - c[2 + k]);
    }
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(s[ModSources::kLeadX + k], c[2 + k]);
      EXPECT_EQ(s[ModSources::kLeadXInv + k], 1 - c[2 + k]);
    }
    EXPECT_EQ(s[ModSources::kNone], 0.0);
  }

  Vrel v;  // a creature is read through its position and index
  v.mX = 30;
  v.mY = 48;
  v.mIndex = 1;
  ModSources s;
  s.WriteVrel(v, 5);
  EXPECT_EQ(s[ModSources::kVrelY], 0.2);
  EXPECT_EQ(s[ModSources::kVrelIndex], 0.25);
  EXPECT_EQ(s[ModSources::kVrelIndexInv], 0.75);
  EXPECT_EQ(s[ModSources::kLeadY], 0.0);  // the leader entries are not the member's
  s.WriteVrel(v.mX, v.mY, 0, 1);          // a single user reads 1, its complement 0
  EXPECT_EQ(s[ModSources::kVrelIndex], 1.0);
  EXPECT_EQ(s[ModSources::kVrelIndexInv], 0.0);
  s.WriteLeader(std::nan(""), 0);
  EXPECT_EQ(s[ModSources::kLeadX], 0.0);
  EXPECT_EQ(s[ModSources::NUM_SOURCES], 0.0);  // outside the table
}

TEST(ModSources, RandomLfoSourceIsDepthSquaredAroundTheMiddle) {
  const float d = 0.75f;
  std::unique_ptr<Lfo> random = MakeLfo(LFO_RANDOM, 44100, 1, d);
  MwcRandom reference;
  ModSources s;
  for (int i = 0; i < 5; ++i) {
    random->Tick(16);
    s.WriteLfo(0, *random);
    EXPECT_NEAR(s[ModSources::kLfo1], 0.5 - d / 2.0 + d * d * reference.Next(), 1e-7);
  }
}

TEST(ModulationMatrix, InactiveSlotsLeaveTheTargetAlone) {
  ModParam params[NUM_MOD_SLOTS];
  InitParams(params);
  ModSources sources;
  sources.mValues[ModSources::kLfo1] = 1.0;
  ModulationMatrix m;
  m.SetTarget(0, kSlotGLen + 1, params);
  m.SetSource(0, ModSources::kLfo1, params);
  m.SetDepth(0, 1, params);
  ASSERT_TRUE(m.Slot(0).mActive);
  m.SetDepth(0, 0, params);  // depth 0, source "---", target "---" each switch it off
  m.SetDepth(0, 1, params);
  m.SetSource(0, ModSources::kNone, params);
  m.SetSource(0, ModSources::kLfo1, params);
  m.SetTarget(0, 0, params);
  EXPECT_FALSE(m.Slot(0).mActive);
  m.SetTarget(1, NUM_MOD_SLOTS + 1, params);  // values no parameter gives
  m.SetSource(1, ModSources::NUM_SOURCES, params);
  m.SetDepth(1, std::nan(""), params);
  EXPECT_FALSE(m.Slot(1).mActive);
  for (const ModParam& p : params) EXPECT_EQ(p.mMatrixUsers, 0);
  m.Apply(sources, params);
  EXPECT_EQ(params[kSlotGLen].mBase, 30.0);
}

TEST(ModulationMatrix, OppositeSlotsAverageAndTheKnobReturns) {
  ModParam params[NUM_MOD_SLOTS];
  InitParams(params);
  params[kSlotGIot].SetSource(ModSources::kVrelX, 0.1);  // its own half width 10
  ModSources sources;
  sources.mValues[ModSources::kLfo1] = 0.9;
  sources.mValues[ModSources::kLfo2] = 0.1;
  ModulationMatrix m;
  for (int slot = 0; slot < 2; ++slot) {
    m.SetTarget(slot, kSlotGIot + 1, params);
    m.SetSource(slot, ModSources::kLfo1 + slot, params);
    m.SetDepth(slot, 1, params);
  }
  m.Apply(sources, params);
  ModParam& iot = params[kSlotGIot];
  EXPECT_NEAR(iot.mBase, 50.0, 1e-12);
  EXPECT_NEAR(iot.mLow, 40.0, 1e-12);  // its own depth still acts around the centre
  EXPECT_NEAR(iot.mWidth, 20.0, 1e-12);

  // Half depth on the remaining slot swings over the middle half only.
  m.SetTarget(1, 0, params);
  EXPECT_NEAR(iot.mBase, 50.0, 1e-12);  // still driven: no knob yet
  m.SetDepth(0, 0.5, params);
  m.Apply(sources, params);
  EXPECT_NEAR(iot.mBase, 70.0, 1e-12);  // 0.25 + 0.5 * 0.9

  // A knob move is remembered while driven and comes back with the last slot.
  iot.SetBase(60);
  m.Apply(sources, params);
  EXPECT_NEAR(iot.mBase, 70.0, 1e-12);
  m.SetSource(0, ModSources::kNone, params);
  EXPECT_EQ(iot.mMatrixUsers, 0);
  EXPECT_EQ(iot.mBase, 60.0);
  EXPECT_EQ(iot.mLow, 50.0);
}

TEST(ModulationMatrix, TargetSwitchRestoresTheKnobValue) {
  ModParam params[NUM_MOD_SLOTS];
  InitParams(params);
  params[kSlotGIot].SetBase(70);
  ModSources sources;
  sources.mValues[ModSources::kRandom] = 1.0;
  ModulationMatrix m;
  m.SetSource(1, ModSources::kRandom, params);
  m.SetDepth(1, 1, params);
  m.SetTarget(1, kSlotGLen + 1, params);
  m.Apply(sources, params);
  EXPECT_EQ(params[kSlotGLen].mBase, 100.0);
  m.SetTarget(1, kSlotGIot + 1, params);
  EXPECT_EQ(params[kSlotGLen].mBase, 30.0);  // at once, before any tick
  EXPECT_EQ(params[kSlotGLen].mLow, 30.0);
  m.Apply(sources, params);
  EXPECT_EQ(params[kSlotGIot].mBase, 100.0);
  m.SetTarget(1, 0, params);
  EXPECT_EQ(params[kSlotGIot].mBase, 70.0);
}

TEST(ModulationTick, LfosThenRandomThenMatrix) {
  ModParam params[NUM_MOD_SLOTS];
  InitParams(params);
  ModSources sources;
  sources.mValues[ModSources::kLfo3] = 0.3;  // LFO 3 missing: its value stays
  ModulationMatrix m;
  MwcRandom random, expected;
  std::unique_ptr<Lfo> owned[ModSources::NUM_LFOS];
  owned[0] = MakeLfo(LFO_SQUARE, 100, 1, 1);  // period 100: high past 50
  owned[1] = MakeLfo(LFO_SQUARE, 100, 1, 0.5f);
  owned[3] = MakeLfo(LFO_SINE, 44100, 1, 1);
  Lfo* const lfos[ModSources::NUM_LFOS] = {owned[0].get(), owned[1].get(), nullptr, owned[3].get()};
  m.SetTarget(0, kSlotGLen + 1, params);
  m.SetSource(0, ModSources::kLfo1, params);
  m.SetDepth(0, 1, params);
  for (int tick = 1; tick <= 4; ++tick) {
    ModulationTick(16, lfos, random, sources, m, params);
    bool high = tick * 16 > 50;
    EXPECT_EQ(sources[ModSources::kLfo1], high ? 1.0 : 0.0);
    EXPECT_EQ(sources[ModSources::kLfo2], high ? 0.75 : 0.25);
    EXPECT_EQ(sources[ModSources::kLfo3], 0.3);
    EXPECT_EQ(sources[ModSources::kRandom], expected.Next());
    EXPECT_EQ(params[kSlotGLen].mBase, high ? 100.0 : 0.0);  // this tick's LFO value
  }
  EXPECT_GT(sources[ModSources::kLfo4], 0.5);
}

TEST(ModulationTick, LongRunKeepsSourcesAndRangesInBounds) {
  ModParam params[NUM_MOD_SLOTS];
  InitParams(params);
  for (ModParam& p : params) p.SetSource(ModSources::kRandom, 0.3);
  ModSources sources;
  ModulationMatrix m;
  MwcRandom random, settings;
  std::unique_ptr<Lfo> owned[ModSources::NUM_LFOS];
  for (int n = 0; n < ModSources::NUM_LFOS; ++n) owned[n] = MakeLfo(n + 3, 44100, 7.5f, 0.8f);
  Lfo* const lfos[ModSources::NUM_LFOS] = {owned[0].get(), owned[1].get(), owned[2].get(), owned[3].get()};
  for (int tick = 0; tick < 20000; ++tick) {
    if (tick % 97 == 0) {
      int slot = static_cast<int>(settings.Next() * 4) % 4;
      m.SetTarget(slot, static_cast<int>(settings.Next() * 24) % 24, params);
      m.SetSource(slot, static_cast<int>(settings.Next() * 6) % 6, params);
      m.SetDepth(slot, settings.Next(), params);
    }
    ModulationTick(16, lfos, random, sources, m, params);
    for (int i = 0; i < ModSources::NUM_SOURCES; ++i)
      ASSERT_TRUE(sources[i] >= 0 && sources[i] <= 1) << "source " << i << " tick " << tick;
    for (const ModParam& p : params) ASSERT_TRUE(p.mLow >= 0 && p.Top() <= 100) << tick;
  }
  int users[NUM_MOD_SLOTS] = {};
  for (int slot = 0; slot < ModulationMatrix::NUM_SLOTS; ++slot)
    if (m.Slot(slot).mActive) ++users[m.Slot(slot).mTarget];
  for (int t = 0; t < NUM_MOD_SLOTS; ++t) EXPECT_EQ(params[t].mMatrixUsers, users[t]);
}
