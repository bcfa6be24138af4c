// The factory presets in presets/: each loads completely (named after its
// file, unmarked) and sounds: a second of a plucked phrase comes out finite,
// within the clipper's limit and not silent.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "VrelsPlugin.h"

namespace {

const char* const kFactoryPresets[] = {"Flock Panning", "Reverse Clouds", "Synced Stutter", "Octave Shimmer",
                                       "Chaser Scatter", "Dense Swarm",   "Swept Taps",     "Gentle Doubler"};

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
  }
}

}  // namespace
