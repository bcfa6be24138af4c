// Test signals and renders through processDoubleReplacing, for the tests
// that listen to the plug-in's audio.
#pragma once

#include <cstdint>
#include <vector>

#include "Host.h"

namespace interfacetest {

struct Stereo {
  std::vector<double> left, right;

  explicit Stereo(int frames = 0, double value = 0.0) : left(frames, value), right(frames, value) {}
  int Frames() const { return static_cast<int>(left.size()); }
  const std::vector<double>& Channel(int c) const { return c == 0 ? left : right; }
  // Appends another signal.
  void Append(const Stereo& more);
};

// Uniform noise in -amplitude..amplitude from a fixed integer generator: the
// same samples on every target. Each sample is a multiple of 2^-15.
Stereo Noise(int frames, double amplitude, uint32_t seed);

// The input rendered in blocks of `block` frames (the last may be shorter).
Stereo Render(testhost::Host& host, const Stereo& input, int block = 512);

// The largest magnitude in frames [from, to) of a channel.
double Peak(const std::vector<double>& samples, int from, int to);
// The sum of squares in frames [from, to).
double Energy(const std::vector<double>& samples, int from, int to);

}  // namespace interfacetest
