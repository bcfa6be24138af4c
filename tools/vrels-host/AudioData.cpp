#include "AudioData.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace vrelshost {

Levels MeasureLevels(const AudioData& audio) {
  Levels levels;
  double energy = 0.0;
  for (float sample : audio.samples) {
    const double x = sample;
    if (!std::isfinite(x)) {
      ++levels.notFinite;
      continue;
    }
    energy += x * x;
    levels.peak = std::fmax(levels.peak, std::fabs(x));
  }
  if (!audio.samples.empty()) levels.rms = std::sqrt(energy / static_cast<double>(audio.samples.size()));
  return levels;
}

std::string DescribeAudio(const AudioData& audio) {
  const Levels levels = MeasureLevels(audio);
  char text[256];
  std::snprintf(text, sizeof text, "%.2f s, %d channel%s at %.0f Hz, peak %.1f dBFS, RMS %.1f dBFS",
                audio.Seconds(), audio.channels, audio.channels == 1 ? "" : "s", audio.sampleRate,
                ToDecibels(levels.peak), ToDecibels(levels.rms));
  return text;
}

double ToDecibels(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

}  // namespace vrelshost
