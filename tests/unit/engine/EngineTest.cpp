// The engine's state across sample-rate changes and the swarm view's bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VrelsPlugin.h"

namespace {

// A plug-in opened as a host does, fed blocks of noise.
struct Engine : ::testing::Test {
  Engine() {
    for (int i = 0; i < plug.NParams(); ++i) plug.OnParamChanged(i);
  }
  void Process(int blocks) {
    std::vector<double> inL(512), inR(512), outL(512), outR(512);
    for (int b = 0; b < blocks; ++b) {
      for (int i = 0; i < 512; ++i) {
        seed = seed * 1664525u + 1013904223u;
        inL[i] = static_cast<int>(seed >> 16) / 65536.0 - 0.5;
        inR[i] = -inL[i];
      }
      double* in[2] = {inL.data(), inR.data()};
      double* out[2] = {outL.data(), outR.data()};
      plug.ProcessBlock(in, out, 512);
    }
  }
  VrelsPlugin plug{nullptr};
  unsigned seed = 1;
};

std::vector<double> Positions(const Swarm& swarm) {
  std::vector<double> positions;
  for (const Vrel* v = swarm.Vrels().First(); v; v = VrelList::Next(v)) {
    positions.push_back(v->mX);
    positions.push_back(v->mY);
    positions.push_back(v->mTapDelay);
  }
  return positions;
}

std::vector<double> Contents(const AudioRing& ring) {
  return std::vector<double>(ring.mpSamples, ring.mpSamples + AudioRing::RING_LENGTH);
}

TEST_F(Engine, RateChangesKeepTheSoundAndTheFlock) {
  Process(100);
  ASSERT_GT(plug.GetSwarm().mNumVrels, 0);
  const std::vector<double> flock = Positions(plug.GetSwarm());
  const std::vector<double> history = Contents(plug.History(1));
  const std::vector<double> delay = Contents(plug.Delay(0));
  const int period = plug.SwarmPeriod();
  const int grains = plug.Grains().ActiveGrains();
  plug.ApplySampleRate(48000);
  EXPECT_EQ(48000.0, plug.GetSampleRate());  // grains, taps and onsets read it there
  EXPECT_EQ(flock, Positions(plug.GetSwarm()));
  EXPECT_EQ(history, Contents(plug.History(1)));
  EXPECT_EQ(delay, Contents(plug.Delay(0)));
  EXPECT_EQ(period, plug.SwarmPeriod());
  EXPECT_EQ(grains, plug.Grains().ActiveGrains());
  EXPECT_EQ(static_cast<int>(0.3 * 48000), plug.Meter(2).Length());
}

TEST_F(Engine, ViewBoundsGoToTheParametersAndTheFlock) {
  const std::string name = plug.PresetName();
  plug.SetBoundsFromView(-10, 20, 150, 300);
  EXPECT_EQ(0.0, plug.GetParam(kBoundL)->Value());
  EXPECT_DOUBLE_EQ(20.0 / 240, plug.GetParam(kBoundT)->Value());
  EXPECT_EQ(0.5, plug.GetParam(kBoundR)->Value());
  EXPECT_EQ(1.0, plug.GetParam(kBoundB)->Value());
  const Swarm& swarm = plug.GetSwarm();
  EXPECT_EQ(-10.0, swarm.mBoundLeft);
  EXPECT_EQ(20.0, swarm.mBoundTop);
  EXPECT_EQ(150.0, swarm.mBoundRight);
  EXPECT_EQ(300.0, swarm.mBoundBottom);
  // No editor shows the preset name yet: nothing is marked.
  EXPECT_EQ(name, plug.PresetName());

  plug.SetGather(true, 1, 30, 40);
  EXPECT_TRUE(swarm.mGatherActive);
  EXPECT_EQ(1, swarm.mScatter);
  EXPECT_EQ(30.0, swarm.mGatherX);
  EXPECT_EQ(40.0, swarm.mGatherY);
}

TEST_F(Engine, CountTextsFollowTheFlock) {
  Process(10);  // the first swarm updates create the four default vrels
  EXPECT_STREQ("4", plug.Readouts().mStreamCountText);
  EXPECT_STREQ("2", plug.Readouts().mTapCountText);
  plug.GetParam(kGrnCount)->Set(3);
  plug.OnParamChanged(kGrnCount);
  EXPECT_STREQ("3", plug.Readouts().mStreamCountText);
  EXPECT_EQ(3, plug.NumGrainStreams());
}

}  // namespace
