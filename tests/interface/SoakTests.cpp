// A hostile host for minutes of audio: every parameter set to random values
// (the range ends and every enumeration value included) in random order
// every few blocks, random block sizes and callbacks, sample-rate changes
// and state chunks saved and restored in between. The output must stay
// finite and within the clipper's limit throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "AudioRender.h"
#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::Host;

// A small fixed generator, so that a failing run can be repeated.
class Dice {
 public:
  explicit Dice(uint32_t seed) : mState(seed) {}
  uint32_t Next() {
    mState = mState * 1664525u + 1013904223u;
    return mState >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  double Unit() { return (Next() & 0xFFFFFF) / double(0xFFFFFF); }

 private:
  uint32_t mState;
};

const float kRates[] = {22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};

// Every host-visible parameter, in a random order, to a random normalised
// value: a third of them to an end of the range, the rest anywhere (which,
// over many rounds, reaches every enumeration value).
void RandomizeParameters(Host& host, Dice& dice) {
  std::vector<int32_t> order(kNumParams);
  std::iota(order.begin(), order.end(), 0);
  for (int32_t i = kNumParams - 1; i > 0; --i) std::swap(order[i], order[dice.Below(i + 1)]);
  for (int32_t index : order) {
    const int kind = dice.Below(6);
    const float value = kind == 0 ? 0.0f : kind == 1 ? 1.0f : static_cast<float>(dice.Unit());
    host.SetParameter(index, value);
  }
}

// Checks one output sample; counts the bad ones.
template <typename Sample>
void Check(const Sample* samples, int frames, int* bad) {
  for (int i = 0; i < frames; ++i) {
    const double x = samples[i];
    if (!std::isfinite(x) || std::fabs(x) > 0.95) ++*bad;
  }
}

TEST(Soak, HostileHostForMinutes) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  Dice dice(20261208);
  double rate = 44100;
  double seconds = 0;
  int bad = 0, blocks = 0, untilParameters = 0;
  std::vector<uint8_t> saved = host->GetChunk(true);
  while (seconds < SoakSeconds() && bad == 0) {
    if (--untilParameters <= 0) {
      RandomizeParameters(*host, dice);
      untilParameters = 1 + dice.Below(6);
    }
    switch (dice.Below(40)) {
      case 0:  // a new rate, while suspended as hosts do
        rate = kRates[dice.Below(8)];
        host->SetMainsChanged(false);
        host->SetSampleRate(static_cast<float>(rate));
        host->SetMainsChanged(true);
        break;
      case 1:
        saved = host->GetChunk(dice.Below(2) == 0);
        break;
      case 2:
        host->SetChunk(saved, dice.Below(2) == 0);
        break;
      case 3:
        host->SetBlockSize(1 + dice.Below(8192));
        break;
      default:
        break;
    }
    const int frames = 1 + dice.Below(8192);
    const Stereo input = Noise(frames, dice.Below(4) == 0 ? 0.0 : 2.0 * dice.Unit(), dice.Next());
    const int callback = dice.Below(3);
    if (callback == 0) {
      Stereo output(frames);
      double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
      double* out[2] = {output.left.data(), output.right.data()};
      host->ProcessDouble(in, out, frames);
      Check(output.left.data(), frames, &bad);
      Check(output.right.data(), frames, &bad);
    } else {
      FloatBuffers in(2, frames), out(2, frames);
      for (int i = 0; i < frames; ++i) {
        in.Channel(0)[i] = static_cast<float>(input.left[i]);
        in.Channel(1)[i] = static_cast<float>(input.right[i]);
      }
      if (callback == 1) {
        host->ProcessReplacing(in.Pointers(), out.Pointers(), frames);
      } else {
        host->Process(in.Pointers(), out.Pointers(), frames);  // adds to silence
      }
      Check(out.Channel(0), frames, &bad);
      Check(out.Channel(1), frames, &bad);
      EXPECT_TRUE(out.GuardIntact());
    }
    seconds += frames / rate;
    ++blocks;
  }
  EXPECT_EQ(0, bad) << "after " << blocks << " blocks, " << seconds << " s of audio";
  std::printf("soak: %d blocks, %.1f s of audio\n", blocks, seconds);
}

}  // namespace
}  // namespace interfacetest
