// Audio through each peer plug-in's processReplacing: finite, audible, and
// doing what the effect is for.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "PeerPlugin.h"

namespace peertest {
namespace {

const int kRate = 44100;

using PeerAudio = PeerTest;

TEST_P(PeerAudio, NoiseInOddBlocksComesOutFiniteAndAudible) {
  const Channels input = Noise(GetParam().channels, 2 * kRate, 7);
  for (int block : {1, 333, 4096}) {
    SCOPED_TRACE("block " + std::to_string(block));
    auto host = OpenPeer(*mModule, kRate, 4096);
    ASSERT_TRUE(host);
    const Channels output = Render(*host, input, block);
    EXPECT_TRUE(AllFinite(output));
    for (size_t c = 0; c < output.size(); ++c) {
      EXPECT_GT(Energy(output[c], 0, 2 * kRate), 0.01 * Energy(input[c], 0, 2 * kRate)) << "channel " << c;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Debian, PeerAudio, testing::ValuesIn(AllPeers()), PeerName);

// The largest magnitude after frame `from`, and where it is.
int LoudestFrame(const std::vector<float>& samples, int from) {
  int loudest = from;
  for (int i = from; i < static_cast<int>(samples.size()); ++i) {
    if (std::fabs(samples[i]) > std::fabs(samples[loudest])) loudest = i;
  }
  return loudest;
}

// ZamDelay takes its sample rate from the host's audioMasterGetSampleRate
// answer when switched on (that answer wins over effSetSampleRate), so the
// echo lands where the delay time says only if the host answers correctly.
TEST(PeerEffect, ZamDelayEchoesAnImpulseAfterItsDelayTime) {
  const int rate = 48000;
  OpenedPeer peer = LoadAndOpen(kZamDelay, rate);
  ASSERT_TRUE(peer.host) << peer.error;
  testhost::Host* host = peer.host.get();
  const int32_t time = FindParam(*host, "Time");
  ASSERT_GE(time, 0);
  const double delayMs = std::atof(host->GetParamDisplay(time).c_str());
  ASSERT_GT(delayMs, 0.0);

  const int at = 100;
  const Channels output = Render(*host, Impulse(1, rate, at), 333);
  ASSERT_TRUE(AllFinite(output));
  EXPECT_GT(std::fabs(output[0][at]), 0.1f);  // the dry share
  const int echo = LoudestFrame(output[0], at + rate / 100);
  EXPECT_GT(std::fabs(output[0][echo]), 0.01f);
  EXPECT_NEAR(at + delayMs * rate / 1000, echo, 0.02 * delayMs * rate / 1000);
  // audioMasterGetTime is asked once per processing call.
  EXPECT_GT(host->Log().CallCount(audioMasterGetTime), 0);
}

TEST(PeerEffect, PingPongPanMovesTheSoundFromSideToSide) {
  OpenedPeer peer = LoadAndOpen(kPingPongPan, kRate);
  ASSERT_TRUE(peer.host) << peer.error;
  testhost::Host* host = peer.host.get();
  const Channels input = Noise(2, 4 * kRate, 11);
  const Channels output = Render(*host, input, 333);
  ASSERT_TRUE(AllFinite(output));

  // In tenth-second windows: some where the left is much quieter than the
  // right and some the other way round; a panner never amplifies.
  bool leftQuieter = false, rightQuieter = false;
  for (int from = 0; from < 4 * kRate; from += kRate / 10) {
    const int to = from + kRate / 10;
    const double left = Energy(output[0], from, to), right = Energy(output[1], from, to);
    leftQuieter = leftQuieter || left < 0.5 * right;
    rightQuieter = rightQuieter || right < 0.5 * left;
    EXPECT_LE(std::max(left, right), Energy(input[0], from, to) * 1.001);
  }
  EXPECT_TRUE(leftQuieter);
  EXPECT_TRUE(rightQuieter);
}

TEST(PeerEffect, MVerbLeavesADifferentTailInEachChannel) {
  OpenedPeer peer = LoadAndOpen(kMVerb, kRate);
  ASSERT_TRUE(peer.host) << peer.error;
  testhost::Host* host = peer.host.get();
  const Channels output = Render(*host, Impulse(2, 2 * kRate, 0), 333);
  ASSERT_TRUE(AllFinite(output));
  // Long after the impulse the reverberation is still sounding, and the two
  // channels' tails are decorrelated although both inputs were the same.
  const int from = kRate / 10, to = kRate;
  EXPECT_GT(Energy(output[0], from, to), 1e-4);
  EXPECT_GT(Energy(output[1], from, to), 1e-4);
  std::vector<float> difference(to);
  for (int i = 0; i < to; ++i) difference[i] = output[0][i] - output[1][i];
  EXPECT_GT(Energy(difference, from, to), 1e-4);
}

}  // namespace
}  // namespace peertest
