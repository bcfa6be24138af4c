// Instances made one after another from one loaded binary, and instances of
// different vendors' binaries side by side in one process.
#include <algorithm>
#include <string>

#include "PeerPlugin.h"

namespace peertest {
namespace {

using PeerInstances = PeerTest;

TEST_P(PeerInstances, OpenAndCloseSeveralInARow) {
  // A closed instance's record is often reused at the same address by the
  // next one; its callbacks must reach the new host, not the old.
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    auto host = OpenPeer(*mModule);
    ASSERT_TRUE(host);
    EXPECT_GE(host->Log().CallCount(audioMasterVersion), 1);
    const Channels output = Render(*host, Noise(GetParam().channels, 4096, round), 512);
    EXPECT_TRUE(AllFinite(output));
    host->SetMainsChanged(false);
    host->Close();
    EXPECT_EQ(nullptr, host->Effect());
  }
  auto first = OpenPeer(*mModule);
  auto second = OpenPeer(*mModule);
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  EXPECT_NE(first->Effect(), second->Effect());
}

INSTANTIATE_TEST_SUITE_P(Debian, PeerInstances, testing::ValuesIn(AllPeers()), PeerName);

TEST(PeerCoexistence, DifferentVendorsRunSideBySide) {
  std::string message;
  auto delayModule = LoadPeer(kZamDelay, &message);
  ASSERT_TRUE(delayModule) << message;
  auto reverbModule = LoadPeer(kMVerb, &message);
  ASSERT_TRUE(reverbModule) << message;

  // The reverb alone, for comparison: about a second, in whole blocks.
  const int block = 512;
  const Channels impulse = Impulse(2, 86 * block, 0);
  Channels alone;
  {
    auto reverb = OpenPeer(*reverbModule, 44100);
    ASSERT_TRUE(reverb);
    alone = Render(*reverb, impulse, block);
  }

  // Each binary exports nothing but its entry point, so each keeps its own
  // code and state. The two hosts answer different sample rates and these
  // plug-ins take the host's answer, so the reverb sounds the same as alone
  // only if its callbacks reach its own host.
  auto delay = OpenPeer(*delayModule, 48000);
  auto reverb = OpenPeer(*reverbModule, 44100);
  ASSERT_TRUE(delay);
  ASSERT_TRUE(reverb);
  EXPECT_EQ("ZamDelay", delay->GetEffectName());
  EXPECT_EQ("MVerb", reverb->GetEffectName());

  // Interleaved, block by block, as one audio thread serving two tracks.
  const Channels noise = Noise(1, block, 3);
  Channels beside(2, std::vector<float>(impulse[0].size()));
  for (size_t done = 0; done < impulse[0].size(); done += block) {
    Channels slice(2);
    for (int c = 0; c < 2; ++c) slice[c].assign(impulse[c].begin() + done, impulse[c].begin() + done + block);
    const Channels out = Render(*reverb, slice, block);
    for (int c = 0; c < 2; ++c) std::copy(out[c].begin(), out[c].end(), beside[c].begin() + done);
    EXPECT_TRUE(AllFinite(Render(*delay, noise, block)));
  }
  EXPECT_TRUE(alone == beside) << "MVerb sounds different beside ZamDelay";
  // Only ZamDelay asks for the transport.
  EXPECT_GT(delay->Log().CallCount(audioMasterGetTime), 0);
  EXPECT_EQ(0, reverb->Log().CallCount(audioMasterGetTime));
}

}  // namespace
}  // namespace peertest
