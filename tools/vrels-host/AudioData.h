// Audio as the tool moves it around: interleaved 32-bit float frames with
// their channel count and sample rate, and the level figures it reports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vrelshost {

struct AudioData {
  double sampleRate = 44100.0;
  int channels = 0;
  std::vector<float> samples;  // frame after frame, channel after channel

  int64_t Frames() const { return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0; }
  double Seconds() const { return sampleRate > 0 ? Frames() / sampleRate : 0.0; }
};

struct Levels {
  double peak = 0.0;      // the largest magnitude of any sample
  double rms = 0.0;       // over every sample of every channel
  int64_t notFinite = 0;  // NaN or infinite samples, left out of the figures above
};

Levels MeasureLevels(const AudioData& audio);

// "9.60 s, 2 channels at 44100 Hz, peak -8.3 dBFS, RMS -26.3 dBFS".
std::string DescribeAudio(const AudioData& audio);

// A level in decibels relative to full scale; silence gives -inf.
double ToDecibels(double level);

}  // namespace vrelshost
