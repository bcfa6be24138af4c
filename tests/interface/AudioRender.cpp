#include "AudioRender.h"

#include <algorithm>
#include <cmath>

namespace interfacetest {

void Stereo::Append(const Stereo& more) {
  left.insert(left.end(), more.left.begin(), more.left.end());
  right.insert(right.end(), more.right.begin(), more.right.end());
}

Stereo Noise(int frames, double amplitude, uint32_t seed) {
  Stereo noise(frames);
  uint32_t state = seed * 2654435761u + 1;
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < 2; ++c) {
      state = state * 1664525u + 1013904223u;
      const int level = static_cast<int>(state >> 16) - 32768;  // -32768..32767
      (c == 0 ? noise.left : noise.right)[i] = amplitude * level / 32768.0;
    }
  }
  return noise;
}

Stereo Render(testhost::Host& host, const Stereo& input, int block) {
  Stereo output(input.Frames());
  for (int done = 0; done < input.Frames(); done += block) {
    const int frames = std::min(block, input.Frames() - done);
    double* in[2] = {const_cast<double*>(input.left.data()) + done,
                     const_cast<double*>(input.right.data()) + done};
    double* out[2] = {output.left.data() + done, output.right.data() + done};
    host.ProcessDouble(in, out, frames);
  }
  return output;
}

double Peak(const std::vector<double>& samples, int from, int to) {
  double peak = 0;
  for (int i = std::max(0, from); i < to && i < static_cast<int>(samples.size()); ++i) {
    peak = std::max(peak, std::fabs(samples[i]));
  }
  return peak;
}

double Energy(const std::vector<double>& samples, int from, int to) {
  double sum = 0;
  for (int i = std::max(0, from); i < to && i < static_cast<int>(samples.size()); ++i)
    sum += samples[i] * samples[i];
  return sum;
}

}  // namespace interfacetest
