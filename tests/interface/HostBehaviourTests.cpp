// What hosts and validators are known to do, and what the plug-in must leave
// alone in the host's process.
#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "EventList.h"
#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::EventList;
using testhost::Host;
using testhost::HostSettings;

HostSettings WithProduct(const std::string& product, int32_t vendorVersion = 10203) {
  HostSettings settings;
  settings.productString = product;
  settings.vendorVersion = vendorVersion;
  return settings;
}

TEST(HostIdentity, OpeningTwiceAsksTheHostOnce) {
  auto host = CreateInstance(WithProduct("REAPER", 60105));
  ASSERT_TRUE(host);
  host->Open();
  EXPECT_EQ(1, host->Log().CallCount(audioMasterGetProductString));
  EXPECT_EQ(1, host->Log().CallCount(audioMasterGetVendorVersion));

  for (int32_t i = 0; i < kNumParams; i += 5) host->SetParameter(i, 1.0f);
  const std::vector<float> values = AllParameters(*host);
  host->Open();
  EXPECT_EQ(1, host->Log().CallCount(audioMasterGetProductString));
  EXPECT_EQ(1, host->Log().CallCount(audioMasterGetVendorVersion));
  EXPECT_EQ(values, AllParameters(*host));
  EXPECT_EQ(2, host->Effect()->numInputs);
  EXPECT_EQ(2, host->Effect()->numOutputs);
}

TEST(HostIdentity, WithoutAProductStringTheVersionIsNotAsked) {
  auto host = OpenInstance(WithProduct(""));
  ASSERT_TRUE(host);
  EXPECT_EQ(1, host->Log().CallCount(audioMasterGetProductString));
  EXPECT_EQ(0, host->Log().CallCount(audioMasterGetVendorVersion));
}

TEST(HostIdentity, EveryHostKeepsBothStereoChannelsConnected) {
  // Some hosts get channel adjustments at open; none may cost this
  // plug-in one of its two channels. Names in any case, as hosts spell them.
  const char* products[] = {"Forte", "Adobe Audition", "ORION",  "SAWStudio",    "Cakewalk",
                            "Live",  "REAPER",         "Cubase", "unknown host", ""};
  const int frames = 128;
  for (const char* product : products) {
    auto host = OpenDryInstance(WithProduct(product));
    ASSERT_TRUE(host) << product;
    EXPECT_EQ(2, host->Effect()->numInputs) << product;
    EXPECT_EQ(2, host->Effect()->numOutputs) << product;
    FloatBuffers in(2, frames), out(2, frames);
    in.FillSignal(1);
    host->ProcessReplacing(in.Pointers(), out.Pointers(), frames);
    EXPECT_EQ(in.Samples(0), out.Samples(0)) << product;
    EXPECT_EQ(in.Samples(1), out.Samples(1)) << product;
  }
}

TEST(HostSequences, ScanLikeSequence) {
  // What plug-in scanners and validators typically do with a fresh instance.
  auto host = CreateInstance();
  ASSERT_TRUE(host);
  host->Open();
  host->SetSampleRate(44100.0f);
  host->SetBlockSize(512);
  EXPECT_EQ("Vrels", host->GetEffectName());
  EXPECT_EQ("Quillmarsh", host->GetVendorString());
  for (int32_t i = 0; i < host->Effect()->numParams; ++i) {
    host->GetParamName(i);
    host->GetParamDisplay(i);
    host->GetParamLabel(i);
  }
  for (int32_t i = 0; i < host->Effect()->numPrograms; ++i) host->GetProgramNameIndexed(i);
  host->SetMainsChanged(true);
  host->Dispatch(effStartProcess);

  EventList events;
  events.AddMidi(0, 0x90, 60, 100);
  events.AddMidi(256, 0x80, 60, 0);
  EXPECT_EQ(1, host->ProcessEvents(events.Get()));
  FloatBuffers in(2, 512), out(2, 512, 0.5f);
  host->ProcessReplacing(in.Pointers(), out.Pointers(), 512);
  for (int c = 0; c < 2; ++c) EXPECT_EQ(std::vector<float>(512, 0.0f), out.Samples(c));
  EXPECT_TRUE(out.GuardIntact());
  EXPECT_EQ(size_t(2), host->Log().Events().size());

  host->Dispatch(effStopProcess);
  host->SetMainsChanged(false);
  EXPECT_EQ(size_t(1408), host->GetChunk(true).size());
  host->Close();
  EXPECT_EQ(nullptr, host->Effect());
}

TEST(HostSequences, ClosedWithoutEverBeingOpened) {
  auto host = CreateInstance();
  ASSERT_TRUE(host);
  EXPECT_EQ("Vrels", host->GetEffectName());
  host->Close();
  EXPECT_EQ(nullptr, host->Effect());
}

TEST(HostSequences, TimeInfoAbsentOrOdd) {
  // Hosts without transport answer no time record; others send odd values.
  testhost::HostTime none;
  none.available = false;
  testhost::HostTime odd;
  odd.tempo = 0.0;
  odd.samplePos = -1000.0;
  odd.timeSigNumerator = 0;
  odd.timeSigDenominator = 4;
  odd.flags = kVstTransportPlaying;  // nothing marked valid
  for (const testhost::HostTime& time : {none, odd}) {
    HostSettings settings;
    settings.time = time;
    auto host = OpenDryInstance(settings);
    ASSERT_TRUE(host);
    FloatBuffers in(2, 256), out(2, 256);
    in.FillSignal(4);
    host->ProcessReplacing(in.Pointers(), out.Pointers(), 256);
    EXPECT_EQ(in.Samples(0), out.Samples(0));
    EXPECT_EQ(in.Samples(1), out.Samples(1));
  }
}

// Runs every kind of call a host makes into an instance.
void ExerciseInstance(Host& host) {
  host.SetSampleRate(48000.0f);
  host.SetBlockSize(256);
  host.SetParameter(0, 0.3f);
  host.GetParamDisplay(0);
  const std::vector<uint8_t> chunk = host.GetChunk(true);
  host.SetChunk(chunk, true);
  FloatBuffers in(2, 256), out(2, 256);
  in.FillSignal(2);
  host.ProcessReplacing(in.Pointers(), out.Pointers(), 256);
  host.Process(in.Pointers(), out.Pointers(), 256);
  DoubleBuffers inD(2, 256), outD(2, 256);
  inD.FillSignal(2);
  host.ProcessDouble(inD.Pointers(), outD.Pointers(), 256);
  EventList events;
  events.AddMidi(0, 0x90, 60, 100);
  host.ProcessEvents(events.Get());
}

TEST(ProcessState, FloatingPointControlIsTheCallersAfterEveryCall) {
  if (!HasFloatControl()) GTEST_SKIP() << "no SSE control register on this target";
  const unsigned original = FloatControl();
  EXPECT_EQ(InitialFloatControl(), original) << "changed by loading the plug-in";
  const int originalRounding = std::fegetround();

  const unsigned kFlushToZero = 0x8000;
  const unsigned kDenormalsAreZero = 0x0040;
  const unsigned kRoundingBits = 0x6000;
  const unsigned kRoundTowardZero = 0x6000;
  const unsigned modes[] = {original, original | kFlushToZero | kDenormalsAreZero,
                            (original & ~kRoundingBits) | kRoundTowardZero};
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  for (unsigned mode : modes) {
    SetFloatControl(mode);
    ExerciseInstance(*host);
    const unsigned after = FloatControl();
    SetFloatControl(original);
    EXPECT_EQ(mode, after) << std::hex << "set 0x" << mode << ", found 0x" << after;
  }
  EXPECT_EQ(originalRounding, std::fegetround());
}

TEST(ProcessState, LocaleIsLeftAlone) {
  const char* now = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(nullptr, now);
  EXPECT_EQ(InitialLocale(), std::string(now)) << "changed by loading the plug-in";
  {
    auto host = OpenInstance();
    ASSERT_TRUE(host);
    ExerciseInstance(*host);
  }
  now = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(nullptr, now);
  EXPECT_EQ(InitialLocale(), std::string(now));
}

}  // namespace
}  // namespace interfacetest
