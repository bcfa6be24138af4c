#include "DemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vrelshost {

namespace {

const double kStepSeconds = 0.3;  // an eighth note at 100 beats per minute
const double kRingSeconds = 2.5;  // how long a string sounds
const double kLevel = 0.25;
// Semitones above A3 (220 Hz) for 32 steps; -1 is a rest.
const int kMelody[32] = {0, 7,  12, 10, 7,  -1, 3, 5, 7, 12, 15, 12, 10, 7, 5,  -1,
                         3, 10, 15, 12, 10, 7,  5, 3, 0, -1, 7,  5,  3,  0, -5, -1};

// A plucked string: a delay loop of one period, filled with noise and
// averaged on every pass so that the high partials die first.
void Pluck(std::vector<float>& left, std::vector<float>& right, int64_t start, double hz, double pan,
           double sampleRate, uint32_t seed) {
  const int period = static_cast<int>(sampleRate / hz + 0.5);
  if (period < 2) return;
  std::vector<double> loop(period);
  uint32_t state = seed;
  for (double& x : loop) {
    state = state * 1664525u + 1013904223u;
    x = (static_cast<int>(state >> 16) - 32768) / 32768.0;
  }
  const double leftGain = kLevel * (1.0 - pan), rightGain = kLevel * (1.0 + pan);
  const int64_t length = static_cast<int64_t>(kRingSeconds * sampleRate);
  const int64_t end = std::min<int64_t>(start + length, static_cast<int64_t>(left.size()));
  double previous = 0.0;
  int position = 0;
  for (int64_t i = start; i < end; ++i) {
    const double x = loop[position];
    loop[position] = 0.996 * 0.5 * (x + previous);
    previous = x;
    if (++position == period) position = 0;
    left[i] += static_cast<float>(leftGain * x);
    right[i] += static_cast<float>(rightGain * x);
  }
}

}  // namespace

AudioData DemoPhrase(double sampleRate, double seconds) {
  const int64_t frames = static_cast<int64_t>(seconds * sampleRate);
  std::vector<float> left(frames), right(frames);
  for (int step = 0; step * kStepSeconds < seconds; ++step) {
    const int semitones = kMelody[step % 32];
    if (semitones < 0) continue;
    const double hz = 220.0 * std::pow(2.0, semitones / 12.0);
    const double pan = (step % 2 == 0) ? -0.3 : 0.3;
    Pluck(left, right, static_cast<int64_t>(step * kStepSeconds * sampleRate), hz, pan, sampleRate,
          0x5EED0000u + static_cast<uint32_t>(step));
  }
  AudioData audio;
  audio.sampleRate = sampleRate;
  audio.channels = 2;
  audio.samples.resize(static_cast<size_t>(frames) * 2);
  for (int64_t i = 0; i < frames; ++i) {
    audio.samples[2 * i] = left[i];
    audio.samples[2 * i + 1] = right[i];
  }
  return audio;
}

}  // namespace vrelshost
