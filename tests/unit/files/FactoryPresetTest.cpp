// The factory presets in presets/: each loads completely (named after its
// file, unmarked) and sounds: a second of a plucked phrase comes out finite,
// within the clipper's limit and not silent, and dies away afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "IFileSelectorControl.h"
#include "VendorRequests.h"
#include "VrelsPlugin.h"

namespace {

const char* const kFactoryPresets[] = {"Flock Panning",  "Reverse Clouds", "Synced Stutter",
                                       "Octave Shimmer", "Chaser Scatter", "Dense Swarm",
                                       "Swept Taps",     "Gentle Doubler"};

// Plucked notes, a new one every quarter second, decaying.
double Phrase(int i, int channel) {
  const double rate = 44100, seconds = i / rate;
  const int note = static_cast<int>(seconds * 4);
  const double since = seconds - note * 0.25;
  const double hz = 220.0 * (1 + note % 3) + channel * 1.5;
  return 0.4 * std::exp(-since * 12) * std::sin(2 * 3.14159265358979 * hz * since);
}

TEST(FactoryPresets, EachLoadsWholeAndSounds) {
  for (const char* name : kFactoryPresets) {
    VrelsPlugin plug(nullptr);
    for (int i = 0; i < plug.NParams(); ++i) plug.OnParamChanged(i);
    const std::string path = std::string(VRELS_PRESET_DIR) + "/" + name + ".txt";
    ASSERT_TRUE(plug.ReadPreset(path.c_str())) << path;
    EXPECT_STREQ(name, plug.PresetName());
    EXPECT_FALSE(plug.PresetModified()) << name;

    std::vector<double> inL(512), inR(512), outL(512), outR(512);
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    double energy = 0, peak = 0;
    int bad = 0, frames = 0;
    for (int block = 0; block < 44100 / 512 + 1; ++block) {
      for (int k = 0; k < 512; ++k) {
        inL[k] = Phrase(frames + k, 0);
        inR[k] = Phrase(frames + k, 1);
      }
      plug.ProcessBlock(in, out, 512);
      for (int k = 0; k < 512; ++k) {
        for (double x : {outL[k], outR[k]}) {
          bad += !std::isfinite(x) || std::fabs(x) > 0.95;
          energy += x * x;
          peak = std::fmax(peak, std::fabs(x));
        }
      }
      frames += 512;
    }
    EXPECT_EQ(0, bad) << name;
    EXPECT_GT(std::sqrt(energy / (2.0 * frames)), 1e-3) << name;
    EXPECT_GT(peak, 0.01) << name;

    // Once the input stops, the preset dies away: no feedback loop holds
    // itself up (a sustaining loop rises to the clipper and stays there).
    std::fill(inL.begin(), inL.end(), 0.0);
    std::fill(inR.begin(), inR.end(), 0.0);
    double lastPeak = 0;
    const int silentBlocks = 8 * 44100 / 512;
    for (int block = 0; block < silentBlocks; ++block) {
      plug.ProcessBlock(in, out, 512);
      if (block < silentBlocks - 44100 / 512) continue;
      for (int k = 0; k < 512; ++k)
        lastPeak = std::fmax(lastPeak, std::fmax(std::fabs(outL[k]), std::fabs(outR[k])));
    }
    EXPECT_LT(lastPeak, 1e-3) << name << ": still sounding 7 s after the input stopped";
  }
}

}  // namespace

namespace {

// A plug-in instance opened as a host opens it, driven through its record.
struct OpenedInstance {
  OpenedInstance() : plug(new VrelsPlugin(nullptr)), effect(plug->GetAEffect()) {
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, nullptr, 44100.0f);
    Dispatch(effSetBlockSize, 512);
    Dispatch(effMainsChanged, 1);
  }
  ~OpenedInstance() { Dispatch(effClose); }
  intptr_t Dispatch(int32_t opcode, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f,
                    int32_t index = 0) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
  // Two seconds of the phrase in blocks of 300 frames, interleaved.
  std::vector<float> Render() {
    std::vector<float> result;
    std::vector<float> inL(300), inR(300), outL(300), outR(300);
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (int start = 0; start < 88200; start += 300) {
      for (int k = 0; k < 300; ++k) {
        inL[k] = static_cast<float>(Phrase(start + k, 0));
        inR[k] = static_cast<float>(Phrase(start + k, 1));
      }
      effect->processReplacing(effect, in, out, 300);
      for (int k = 0; k < 300; ++k) {
        result.push_back(outL[k]);
        result.push_back(outR[k]);
      }
    }
    return result;
  }
  VrelsPlugin* plug;  // owned by the record, deleted by effClose
  AEffect* effect;
};

// The command-line host asks the plug-in binary to load a preset file
// through the vendor-specific opcode. The instance must then sound exactly
// as one whose Load button loaded the file, and its chunk must carry that
// state over to a fresh instance's parameters.
TEST(FactoryPresets, LoadedOnAHostRequestTheySoundAsFromTheLoadButton) {
  for (const char* name : kFactoryPresets) {
    std::string path = std::string(VRELS_PRESET_DIR) + "/" + name + ".txt";
    OpenedInstance button;
    button.plug->GetEditorControls().mpLoadSelector->SetLastSelectedFile(path.c_str());
    button.plug->GetParam(kLoadPreset)->Set(1);
    button.plug->OnParamChanged(kLoadPreset);
    ASSERT_STREQ(name, button.plug->PresetName());

    OpenedInstance requested;
    EXPECT_EQ(1, requested.effect->dispatcher(requested.effect, effVendorSpecific, vrelsvendor::kIndex,
                                              vrelsvendor::kLoadPresetFile, &path[0], 0.0f));
    EXPECT_STREQ(name, requested.plug->PresetName());
    for (int i = 0; i < kSavePreset; ++i) {
      EXPECT_EQ(button.plug->GetParam(i)->Value(), requested.plug->GetParam(i)->Value()) << name << " " << i;
    }
    const std::vector<float> expected = button.Render();
    const std::vector<float> received = requested.Render();
    size_t differing = 0;
    for (size_t i = 0; i < expected.size(); ++i) differing += expected[i] != received[i];
    EXPECT_EQ(0u, differing) << name;
  }
}

TEST(FactoryPresets, HostRequestsOtherThanAReadableFileAreRefused) {
  OpenedInstance instance;
  char missing[] = "/nonexistent/Nothing.txt";
  EXPECT_EQ(0, instance.effect->dispatcher(instance.effect, effVendorSpecific, vrelsvendor::kIndex,
                                           vrelsvendor::kLoadPresetFile, missing, 0.0f));
  EXPECT_EQ(0, instance.effect->dispatcher(instance.effect, effVendorSpecific, vrelsvendor::kIndex,
                                           vrelsvendor::kLoadPresetFile, nullptr, 0.0f));
  // A directory opens on Linux and would read as a file without a version.
  std::string directory = VRELS_PRESET_DIR;
  EXPECT_EQ(0, instance.effect->dispatcher(instance.effect, effVendorSpecific, vrelsvendor::kIndex,
                                           vrelsvendor::kLoadPresetFile, &directory[0], 0.0f));
  EXPECT_EQ(0, instance.effect->dispatcher(instance.effect, effVendorSpecific, vrelsvendor::kIndex, 2,
                                           missing, 0.0f));
  EXPECT_EQ(0, instance.effect->dispatcher(instance.effect, effVendorSpecific, 12345,
                                           vrelsvendor::kLoadPresetFile, missing, 0.0f));
}

}  // namespace
