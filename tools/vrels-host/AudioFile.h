// Reading and writing audio files. Raw files (".f32" or ".raw": interleaved
// little-endian 32-bit float, no header) work in every build; their channel
// count and rate come from the caller. The Linux build also reads every
// format libsndfile knows and writes WAV, AIFF and FLAC, chosen by the
// file's extension. Failures throw ToolError naming the file.
#pragma once

#include <string>

#include "AudioData.h"

namespace vrelshost {

// How a raw file is to be read.
struct RawLayout {
  int channels = 2;
  double sampleRate = 44100.0;
};

bool IsRawAudioPath(const std::string& path);

AudioData ReadAudioFile(const std::string& path, const RawLayout& raw);

// `bits`: 16 or 24 for integer samples, 32 for float; 0 chooses 32-bit float
// where the format has it (WAV, AIFF) and 24-bit otherwise (FLAC). Integer
// samples beyond full scale are clipped. Raw files are always float.
void WriteAudioFile(const std::string& path, const AudioData& audio, int bits = 0);

}  // namespace vrelshost
