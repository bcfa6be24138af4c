// The record, the set-up opcodes, the strings and the parameters of each
// peer plug-in.
#include <string>

#include "PeerPlugin.h"

namespace peertest {
namespace {

using PeerIdentity = PeerTest;

TEST_P(PeerIdentity, SetsUpThroughTheDispatcher) {
  // These binaries export only the older entry name; Entry() falls back to it.
  testhost::Host host;
  ASSERT_TRUE(host.Instantiate(mModule->Entry()));
  const AEffect* effect = host.Effect();
  EXPECT_EQ(kEffectMagic, effect->magic);
  EXPECT_EQ(GetParam().channels, effect->numInputs);
  EXPECT_EQ(GetParam().channels, effect->numOutputs);
  EXPECT_TRUE(effect->flags & effFlagsCanReplacing);
  EXPECT_NE(nullptr, effect->processReplacing);
  // They ask for the host's version from inside the entry call, before the
  // host knows their record; that answer must reach this host too.
  EXPECT_GE(host.Log().CallCount(audioMasterVersion), 1);

  host.Open();
  host.SetSampleRate(48000.0f);
  host.SetBlockSize(333);
  host.SetMainsChanged(true);
  EXPECT_EQ(kEffectMagic, effect->magic);
  EXPECT_GE(host.Dispatch(effGetVstVersion), 2400);
  EXPECT_FALSE(host.GetEffectName().empty());
  EXPECT_FALSE(host.GetVendorString().empty());
  EXPECT_FALSE(host.GetProductString().empty());
  host.SetMainsChanged(false);
}

TEST_P(PeerIdentity, ParametersHaveNamesDisplaysAndNormalisedValues) {
  auto host = OpenPeer(*mModule);
  ASSERT_TRUE(host);
  const int32_t count = host->Effect()->numParams;
  ASSERT_GT(count, 0);
  for (int32_t i = 0; i < count; ++i) {
    SCOPED_TRACE("parameter " + std::to_string(i));
    EXPECT_FALSE(host->GetParamName(i).empty());
    EXPECT_FALSE(host->GetParamDisplay(i).empty());
    const float value = host->GetParameter(i);
    EXPECT_GE(value, 0.0f);
    EXPECT_LE(value, 1.0f);
  }
}

TEST_P(PeerIdentity, ParameterValuesRoundTrip) {
  auto host = OpenPeer(*mModule);
  ASSERT_TRUE(host);
  const int32_t continuous = FindParam(*host, GetParam().continuous);
  ASSERT_GE(continuous, 0) << "no parameter called " << GetParam().continuous;
  const std::string before = host->GetParamDisplay(continuous);
  host->SetParameter(continuous, 0.37f);
  EXPECT_NEAR(0.37f, host->GetParameter(continuous), 1e-6f);
  EXPECT_NE(before, host->GetParamDisplay(continuous));

  // Stepped parameters snap a value to their nearest step; the value read
  // back is then one they keep as it is.
  for (int32_t i = 0; i < host->Effect()->numParams; ++i) {
    SCOPED_TRACE(host->GetParamName(i));
    host->SetParameter(i, 0.37f);
    const float kept = host->GetParameter(i);
    EXPECT_GE(kept, 0.0f);
    EXPECT_LE(kept, 1.0f);
    host->SetParameter(i, kept);
    EXPECT_NEAR(kept, host->GetParameter(i), 1e-6f);
  }
}

INSTANTIATE_TEST_SUITE_P(Debian, PeerIdentity, testing::ValuesIn(AllPeers()), PeerName);

}  // namespace
}  // namespace peertest
