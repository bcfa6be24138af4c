// The AEffect record a host receives, the two entry points, and instances
// living side by side.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::Host;

// 0x1039: the editor is attached when the instance is made.
const int32_t kEditorFlag = effFlagsHasEditor;
const int32_t kExpectedFlags =
    kEditorFlag | effFlagsCanMono | effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing;
const int32_t kUniqueId = 0x716C5672;  // "qlVr"
const int32_t kVersion = 10000;        // 1.0.0 as major*10000 + minor*100 + revision

TEST(Identity, RecordDescribesTheEffect) {
  auto host = CreateInstance();
  ASSERT_TRUE(host);
  const AEffect* effect = host->Effect();

  EXPECT_EQ(kEffectMagic, effect->magic);
  EXPECT_EQ(kNumParams, effect->numParams);
  EXPECT_EQ(kNumPrograms, effect->numPrograms);
  EXPECT_EQ(2, effect->numInputs);
  EXPECT_EQ(2, effect->numOutputs);
  EXPECT_EQ(kExpectedFlags, effect->flags);
  EXPECT_EQ(kUniqueId, effect->uniqueID);
  EXPECT_EQ(kVersion, effect->version);
  EXPECT_EQ(0, effect->initialDelay);
  EXPECT_EQ(1.0f, effect->ioRatio);

  EXPECT_NE(nullptr, effect->dispatcher);
  EXPECT_NE(nullptr, effect->process);
  EXPECT_NE(nullptr, effect->processReplacing);
  EXPECT_NE(nullptr, effect->processDoubleReplacing);
  EXPECT_NE(nullptr, effect->setParameter);
  EXPECT_NE(nullptr, effect->getParameter);
  EXPECT_NE(nullptr, effect->object);

  EXPECT_EQ(nullptr, effect->user);
  EXPECT_EQ(0, effect->resvd1);
  EXPECT_EQ(0, effect->resvd2);
  EXPECT_EQ(0, effect->realQualities);
  EXPECT_EQ(0, effect->offQualities);
  const std::vector<char> zeros(sizeof effect->future, 0);
  EXPECT_EQ(0, std::memcmp(zeros.data(), effect->future, sizeof effect->future));

  // Opening re-announces the channel counts; nothing else in the record moves.
  host->Open();
  EXPECT_EQ(2, effect->numInputs);
  EXPECT_EQ(2, effect->numOutputs);
  EXPECT_EQ(kExpectedFlags, effect->flags);
  EXPECT_EQ(kNumPrograms, effect->numPrograms);
}

TEST(Identity, MainAndVstPluginMainAreEquivalent) {
  ASSERT_NE(nullptr, Plugin().FindEntry("VSTPluginMain"));
  ASSERT_NE(nullptr, Plugin().FindEntry("main"));
  auto modern = CreateInstance({}, "VSTPluginMain");
  auto legacy = CreateInstance({}, "main");
  ASSERT_TRUE(modern);
  ASSERT_TRUE(legacy);
  const AEffect* a = modern->Effect();
  const AEffect* b = legacy->Effect();
  EXPECT_NE(a, b);
  EXPECT_NE(a->object, b->object);
  EXPECT_EQ(a->magic, b->magic);
  EXPECT_EQ(a->numParams, b->numParams);
  EXPECT_EQ(a->numPrograms, b->numPrograms);
  EXPECT_EQ(a->numInputs, b->numInputs);
  EXPECT_EQ(a->numOutputs, b->numOutputs);
  EXPECT_EQ(a->flags, b->flags);
  EXPECT_EQ(a->uniqueID, b->uniqueID);
  EXPECT_EQ(a->version, b->version);
  EXPECT_EQ(a->initialDelay, b->initialDelay);

  modern->Open();
  legacy->Open();
  EXPECT_EQ(modern->GetEffectName(), legacy->GetEffectName());
  EXPECT_EQ(modern->GetVendorString(), legacy->GetVendorString());
  EXPECT_EQ(modern->GetChunk(true), legacy->GetChunk(true));
  EXPECT_EQ(AllParameters(*modern), AllParameters(*legacy));

  FloatBuffers in(2, 256), outModern(2, 256), outLegacy(2, 256);
  in.FillSignal(3);
  modern->ProcessReplacing(in.Pointers(), outModern.Pointers(), 256);
  legacy->ProcessReplacing(in.Pointers(), outLegacy.Pointers(), 256);
  EXPECT_EQ(outModern.Samples(0), outLegacy.Samples(0));
  EXPECT_EQ(outModern.Samples(1), outLegacy.Samples(1));
}

TEST(Identity, TwoInstancesAreIndependent) {
  auto first = OpenInstance();
  auto second = OpenInstance();
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  EXPECT_NE(first->Effect(), second->Effect());

  const std::vector<float> defaults = AllParameters(*second);
  const std::vector<uint8_t> defaultChunk = second->GetChunk(false);
  for (int32_t i = 0; i < kNumParams; ++i) first->SetParameter(i, 1.0f);
  first->SetProgram(3);
  first->SetProgramName("first's own");

  EXPECT_EQ(defaults, AllParameters(*second));
  EXPECT_EQ(defaultChunk, second->GetChunk(false));
  EXPECT_NE(first->GetChunk(false), second->GetChunk(false));
  EXPECT_EQ(0, second->GetProgram());
  EXPECT_EQ("- 4 -", second->GetProgramNameIndexed(3));
  EXPECT_EQ("first's own", first->GetProgramNameIndexed(3));

  // Interleaved blocks: the default instance sounds exactly like a third
  // one that runs alone, whatever the first (every parameter at its top)
  // does in between.
  auto alone = OpenInstance();
  ASSERT_TRUE(alone);
  const int frames = 128;
  for (int block = 0; block < 3; ++block) {
    FloatBuffers inA(2, frames), inB(2, frames), outA(2, frames), outB(2, frames), outAlone(2, frames);
    inA.FillSignal(block);
    inB.FillSignal(block + 100);
    first->ProcessReplacing(inA.Pointers(), outA.Pointers(), frames);
    second->ProcessReplacing(inB.Pointers(), outB.Pointers(), frames);
    alone->ProcessReplacing(inB.Pointers(), outAlone.Pointers(), frames);
    for (int c = 0; c < 2; ++c) EXPECT_EQ(outAlone.Samples(c), outB.Samples(c));
  }

  // Closing one leaves the other working.
  first->Close();
  EXPECT_EQ(defaults, AllParameters(*second));
  EXPECT_EQ("Vrels", second->GetEffectName());
}

TEST(Identity, ThirtyTwoInstancesLiveAndProcessAtOnce) {
  const int kInstances = 32;
  const int frames = 256;
  std::vector<float> defaults;
  {
    auto reference = OpenInstance();
    ASSERT_TRUE(reference);
    defaults = AllParameters(*reference);
  }
  std::vector<std::unique_ptr<Host>> hosts;
  for (int k = 0; k < kInstances; ++k) {
    hosts.push_back(OpenInstance());
    ASSERT_TRUE(hosts.back()) << "instance " << k;
    hosts.back()->SetSampleRate(48000.0f);
    hosts.back()->SetBlockSize(frames);
    hosts.back()->SetMainsChanged(true);
    hosts.back()->SetParameter(k, 1.0f);
  }
  // Each instance's output is what a fresh instance with the same settings
  // gives for the same input.
  std::vector<std::vector<float>> outputs(kInstances);
  for (int round = 0; round < 2; ++round) {
    for (int k = 0; k < kInstances; ++k) {
      FloatBuffers in(2, frames), out(2, frames);
      in.FillSignal(k * 7 + round);
      hosts[k]->ProcessReplacing(in.Pointers(), out.Pointers(), frames);
      for (int c = 0; c < 2; ++c) {
        const std::vector<float> samples = out.Samples(c);
        outputs[k].insert(outputs[k].end(), samples.begin(), samples.end());
      }
    }
  }
  for (int k = 0; k < kInstances; ++k) {
    auto fresh = OpenInstance();
    ASSERT_TRUE(fresh);
    fresh->SetSampleRate(48000.0f);
    fresh->SetBlockSize(frames);
    fresh->SetMainsChanged(true);
    fresh->SetParameter(k, 1.0f);
    std::vector<float> expected;
    for (int round = 0; round < 2; ++round) {
      FloatBuffers in(2, frames), out(2, frames);
      in.FillSignal(k * 7 + round);
      fresh->ProcessReplacing(in.Pointers(), out.Pointers(), frames);
      for (int c = 0; c < 2; ++c) {
        const std::vector<float> samples = out.Samples(c);
        expected.insert(expected.end(), samples.begin(), samples.end());
      }
    }
    EXPECT_EQ(expected, outputs[k]) << "instance " << k;
  }
  // Each instance kept its own parameter write and none of the others'.
  for (int k = 0; k < kInstances; ++k) {
    std::vector<float> expected = defaults;
    expected[k] = 1.0f;
    EXPECT_EQ(expected, AllParameters(*hosts[k])) << "instance " << k;
  }
  for (auto& host : hosts) host->SetMainsChanged(false);
}

}  // namespace
}  // namespace interfacetest
