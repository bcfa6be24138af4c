// Parameter changes reaching the engine settings, through the plug-in's own
// change dispatch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "VrelsPlugin.h"

namespace {

// A plug-in opened as a host does: every handler has run once.
struct Handlers : ::testing::Test {
  Handlers() {
    for (int i = 0; i < plug.NParams(); ++i) plug.OnParamChanged(i);
  }
  void Change(int index, double value) {
    plug.GetParam(index)->Set(value);
    plug.OnParamChanged(index);
  }
  VrelsPlugin plug{nullptr};
};

}  // namespace

TEST_F(Handlers, ModulatedKnobSourceAndDepth) {
  const ModParam& repel = plug.GetModParam(kSlotVrRepel);
  EXPECT_EQ(repel.mLow, 25.0);
  EXPECT_EQ(repel.mWidth, 0.0);

  Change(kVrSpeedD, 0.5);  // no source yet: the depth waits
  EXPECT_EQ(plug.GetModParam(kSlotVrSpeed).mWidth, 0.0);
  Change(kVrSpeedM, 3);  // selecting a source applies the plain depth
  EXPECT_EQ(plug.GetModParam(kSlotVrSpeed).mSource, 3);
  EXPECT_EQ(plug.GetModParam(kSlotVrSpeed).Top(), 14.0);
  Change(kVrSpeedD, 0.5);  // the knob applies its square
  EXPECT_EQ(plug.GetModParam(kSlotVrSpeed).Top(), 9.0);

  Change(kDTimeS, 0);  // free time: the parameter's own range
  Change(kDTimeM, 1);
  Change(kDTimeD, 1);  // halved for the long delay range
  EXPECT_EQ(plug.GetModParam(kSlotDTime).mHalfWidth, 0.25 * (500 - 10));
}

TEST_F(Handlers, ChunkLoadLeavesTheSquaredDepth) {
  plug.GetParam(kVrSpeedM)->Set(2);
  plug.GetParam(kVrSpeedD)->Set(0.5);
  ByteBuffer chunk;
  ASSERT_TRUE(plug.SerializeParams(&chunk));
  VrelsPlugin other(nullptr);
  ASSERT_GT(other.UnserializeParams(&chunk, 0), 0);
  // The source (index order: before the depth) applied 0.5, then the depth 0.25.
  EXPECT_EQ(other.GetModParam(kSlotVrSpeed).mHalfWidth, 0.25 * 20);
}

TEST_F(Handlers, TimeSyncFollowsTheTempo) {
  Change(kGLen, 30);
  Change(kGLenS, 1);
  EXPECT_EQ(plug.GetModParam(kSlotGLen).mDivision, 4);
  EXPECT_NEAR(plug.GetModParam(kSlotGLen).mBase, 93.75, 1e-4);
  Change(kGLen, 100);  // the top of the knob: "1/1"
  EXPECT_NEAR(plug.GetModParam(kSlotGLen).mBase, 2000, 1e-3);
  Change(kGLen, 30);
  Change(kGLenS, 0);
  EXPECT_NEAR(plug.GetModParam(kSlotGLen).mBase, 30, 1e-9);
  EXPECT_EQ(plug.GetModParam(kSlotGLen).mMax, 100.0);
}

TEST_F(Handlers, DirectSettings) {
  EXPECT_EQ(plug.SwarmPeriod(), 82);  // UpdTime 1 at 44100 Hz: 1323 samples
  Change(kDLpf, 0.02);
  EXPECT_NEAR(plug.FeedbackLowPass(0).mCutoff, 988, 1e-9);
  EXPECT_NEAR(plug.FeedbackLowPass(1).mCutoff, 988, 1e-9);
  Change(kGHpf, 1);
  EXPECT_EQ(plug.GrainHighPass(1).mCutoff, 1500.0);
  Change(kDryOut, -120);
  EXPECT_EQ(plug.DryGain(), 0.0);
  Change(kDryOut, 0);
  EXPECT_EQ(plug.DryGain(), 1.0);
  Change(kGrn2Dly, -6);
  EXPECT_NEAR(plug.GrainSend(), 0.501, 0.001);
  Change(kBoundR, 0.5);
  EXPECT_EQ(plug.GetSwarm().mBoundRight, 150.0);
  Change(kDSmooth, 0);
  EXPECT_EQ(plug.DelaySmoothing(), 0.0);
  Change(kDelayOn, 0);
  EXPECT_FALSE(plug.DelayEnabled());

  // Streams follow the smaller of their maximum and the flock.
  plug.SetNumVrels(3);
  Change(kGrnCount, 10);
  EXPECT_EQ(plug.NumGrainStreams(), 3);
  Change(kGrnCount, 2);
  EXPECT_EQ(plug.NumGrainStreams(), 2);

  // The envelope follows its choice and skew.
  Change(kGEnvelop, 6);  // Triangle
  Change(kGEnvSkew, 0);
  EXPECT_EQ(plug.GetEnvelope().mTable[0], 1.0);
}

TEST_F(Handlers, LfosKeepTheirSettingsAcrossShapeChanges) {
  Change(kLfo2Mode, 0);  // free rate in hertz
  Change(kLfo2Rate, 5);
  EXPECT_EQ(plug.GetLfo(1)->Period(), 8820);
  Change(kLfo2Dpth, 0.3);
  const Lfo* before = plug.GetLfo(1);
  Change(kLfo2Shap, 0);  // the same shape: the LFO keeps running
  EXPECT_EQ(plug.GetLfo(1), before);
  Change(kLfo2Shap, 4);
  ASSERT_NE(plug.GetLfo(1), nullptr);
  EXPECT_EQ(plug.GetLfo(1)->Shape(), 4);
  EXPECT_EQ(plug.GetLfo(1)->Period(), 8820);
  EXPECT_FLOAT_EQ(plug.GetLfo(1)->Depth(), 0.3f);

  Change(kLfo2Rate, 5);  // the top of the knob: division 22
  Change(kLfo2Mode, 1);  // synced: 24 Hz at 120 beats per minute
  EXPECT_EQ(plug.GetLfo(1)->Period(), static_cast<int>(44100.0f / 24.0f));
  Change(kLfo2Mode, 0);  // off: the synced rate stays
  EXPECT_FLOAT_EQ(plug.GetLfo(1)->Rate(), 24.0f);

  // A shape used before starts afresh when it is chosen again.
  for (int tick = 0; tick < 37; ++tick) plug.ModulationTick();
  Change(kLfo2Shap, 0);
  Change(kLfo2Shap, 4);
  std::unique_ptr<Lfo> fresh = Lfo::Create(4);
  fresh->SetSampleRate(44100);
  fresh->SetRate(24.0f);
  fresh->UpdatePeriod();
  for (int tick = 0; tick < 100; ++tick) {
    plug.ModulationTick();
    fresh->Tick(VrelsPlugin::TICK_LENGTH);
    ASSERT_EQ(fresh->Output(), plug.GetLfo(1)->Output()) << tick;
  }
}

TEST_F(Handlers, MatrixDrivesItsTargetAndLetsGoOfIt) {
  Change(kVrSpeed, 4);
  Change(kMxMod1, 1);  // LFO-1
  Change(kMxDph1, 1);  // full depth
  Change(kMxTgt1, 1 + kSlotVrSpeed);
  for (int tick = 0; tick < 700; ++tick) plug.ModulationTick();  // a quarter of the LFO's cycle
  EXPECT_NE(plug.GetModParam(kSlotVrSpeed).mBase, 4.0);
  Change(kMxTgt1, 0);  // detached: the knob value is back at once
  EXPECT_EQ(plug.GetModParam(kSlotVrSpeed).mBase, 4.0);
}

TEST_F(Handlers, TheFlockFollowsItsModulatedParameters) {
  plug.SwarmStep();
  EXPECT_EQ(plug.GetSwarm().mNumVrels, 4);  // VrCount's default
  EXPECT_EQ(plug.GetSwarm().mVrelSpeed, 4.0);
  Change(kVrCount, 9);
  Change(kChCount, 2);
  plug.SwarmStep();
  EXPECT_EQ(plug.GetSwarm().mNumVrels, 9);
  EXPECT_EQ(plug.GetSwarm().mNumPredators, 2);
  // The leader's sources are written after the update, in 0..1.
  double leaderX = plug.GetModSources()[ModSources::kLeadX];
  EXPECT_NEAR(leaderX, plug.GetSwarm().Vrels().First()->mX / 300, 1e-12);
}

TEST_F(Handlers, ChangesAreDescribedAndMarkThePreset) {
  EXPECT_TRUE(plug.PresetModified());
  EXPECT_STREQ(plug.PresetName(), "*");  // a fresh instance after its first change
  Change(kDLpf, 0.03);
  EXPECT_STREQ(plug.CurrentMessage(), "1.18 kHz");
  Change(kDryOut, -120);
  EXPECT_STREQ(plug.CurrentMessage(), "-120.00 dB");
  Change(kVrRepel, 25);
  EXPECT_STREQ(plug.CurrentMessage(), "25.00");
  EXPECT_STREQ(plug.PresetName(), "*");  // marked once only
}

namespace {
VstTimeInfo gHostTime;
bool gHostHasTime = true;
intptr_t VSTCALLBACK TempoHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  if (opcode != audioMasterGetTime || !gHostHasTime) return 0;
  return reinterpret_cast<intptr_t>(&gHostTime);
}
}  // namespace

TEST(Tempo, HostTempoIsUsedWhenUsableAndReplacedOtherwise) {
  VrelsPlugin plug(TempoHost);
  gHostTime = VstTimeInfo();
  gHostTime.flags = kVstTempoValid;
  const double cases[][2] = {{90, 90}, {0, 120}, {-5, 120}, {1e300 * 1e300, 120}, {1e-300, 1}};
  for (const auto& tempo : cases) {
    gHostTime.tempo = tempo[0];
    plug.RefreshTempo();
    EXPECT_EQ(plug.Tempo(), tempo[1]) << tempo[0];
  }
  gHostHasTime = false;
  plug.RefreshTempo();
  EXPECT_EQ(plug.Tempo(), 120.0);
  gHostHasTime = true;

  // Synced times take the tempo of the moment their knob or switch changes.
  gHostTime.tempo = 90;
  plug.RefreshTempo();
  for (int i = 0; i < plug.NParams(); ++i) plug.OnParamChanged(i);  // DTimeS starts on
  plug.GetParam(kDTime)->Set(500);                                  // the top: "1/1", 4 beats
  plug.OnParamChanged(kDTime);
  EXPECT_NEAR(plug.GetModParam(kSlotDTime).mBase, 4 * 60000.0 / 90, 1e-3);
}

TEST(Panic, ClearsEveryRingButKeepsTheirPositions) {
  VrelsPlugin plug(nullptr);
  // The processing loop fills the rings; here they are filled directly.
  for (int channel = 0; channel < 2; ++channel) {
    auto& history = const_cast<InputHistory&>(plug.History(channel));
    auto& line = const_cast<DelayLine&>(plug.Delay(channel));
    history.At(5) = 0.5;
    line.At(AudioRing::RING_LENGTH + 7) = -0.25;  // wraps to 7
    line.mWriteIndex = 99;
  }
  EXPECT_EQ(plug.Delay(1).At(7), -0.25);
  plug.GetParam(kPanic)->Set(0);
  plug.OnParamChanged(kPanic);  // released: nothing happens
  EXPECT_EQ(plug.History(0).At(5), 0.5);
  plug.GetParam(kPanic)->Set(1);
  plug.OnParamChanged(kPanic);
  for (int channel = 0; channel < 2; ++channel) {
    EXPECT_EQ(plug.History(channel).At(5), 0.0);
    EXPECT_EQ(plug.Delay(channel).At(7), 0.0);
    EXPECT_EQ(plug.Delay(channel).mWriteIndex, 99);
  }
}
