#include "AudioFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "FileHandle.h"
#include "NativePath.h"
#include "ToolError.h"

#if !defined(_WIN32)
#include <sndfile.h>
#endif

namespace vrelshost {

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

AudioData ReadRaw(const std::string& path, const RawLayout& raw) {
  FileHandle file(std::fopen(testhost::ToNativePath(path).c_str(), "rb"));
  if (!file) throw ToolError("cannot open " + path + ": " + std::strerror(errno));
  AudioData audio;
  audio.channels = raw.channels;
  audio.sampleRate = raw.sampleRate;
  float buffer[4096];
  size_t count;
  while ((count = std::fread(buffer, sizeof(float), 4096, file.get())) > 0) {
    audio.samples.insert(audio.samples.end(), buffer, buffer + count);
  }
  if (std::ferror(file.get())) throw ToolError("cannot read " + path);
  // A partial last frame is not audio.
  audio.samples.resize(static_cast<size_t>(audio.Frames()) * audio.channels);
  return audio;
}

void WriteRaw(const std::string& path, const AudioData& audio) {
  FileHandle file(std::fopen(testhost::ToNativePath(path).c_str(), "wb"));
  if (!file) throw ToolError("cannot create " + path + ": " + std::strerror(errno));
  const size_t written = std::fwrite(audio.samples.data(), sizeof(float), audio.samples.size(), file.get());
  if (written != audio.samples.size() || std::fflush(file.get()) != 0)
    throw ToolError("cannot write " + path);
}

#if !defined(_WIN32)
struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFileHandle = std::unique_ptr<SNDFILE, SoundFileCloser>;

AudioData ReadSoundFile(const std::string& path) {
  SF_INFO info = {};
  SoundFileHandle file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) throw ToolError("cannot read " + path + " as audio: " + sf_strerror(nullptr));
  if (info.channels <= 0 || info.samplerate <= 0) throw ToolError(path + " holds no audio channels");
  AudioData audio;
  audio.channels = info.channels;
  audio.sampleRate = info.samplerate;
  audio.samples.resize(static_cast<size_t>(info.frames) * info.channels);
  const sf_count_t read = sf_readf_float(file.get(), audio.samples.data(), info.frames);
  audio.samples.resize(static_cast<size_t>(std::max<sf_count_t>(read, 0)) * info.channels);
  return audio;
}

int SoundFileFormat(const std::string& path, int bits) {
  const std::string extension = LowerExtension(path);
  int container;
  if (extension == "wav") {
    container = SF_FORMAT_WAV;
  } else if (extension == "aif" || extension == "aiff") {
    container = SF_FORMAT_AIFF;
  } else if (extension == "flac") {
    container = SF_FORMAT_FLAC;
    if (bits == 32) throw UsageError("FLAC holds 16- or 24-bit samples, not 32-bit float");
    if (bits == 0) bits = 24;
  } else {
    throw UsageError("cannot tell the format of " + path + ": use .wav, .aiff, .flac, or .f32 for raw float");
  }
  switch (bits) {
    case 16:
      return container | SF_FORMAT_PCM_16;
    case 24:
      return container | SF_FORMAT_PCM_24;
    default:
      return container | SF_FORMAT_FLOAT;
  }
}

void WriteSoundFile(const std::string& path, const AudioData& audio, int bits) {
  SF_INFO info = {};
  info.channels = audio.channels;
  info.samplerate = static_cast<int>(audio.sampleRate + 0.5);
  info.format = SoundFileFormat(path, bits);
  if (!sf_format_check(&info)) throw UsageError("this sample format cannot be written to " + path);
  SoundFileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file) throw ToolError("cannot create " + path + ": " + sf_strerror(nullptr));
  sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const sf_count_t frames = audio.Frames();
  if (sf_writef_float(file.get(), audio.samples.data(), frames) != frames) {
    throw ToolError("cannot write " + path + ": " + sf_strerror(file.get()));
  }
}
#endif

}  // namespace

bool IsRawAudioPath(const std::string& path) {
  const std::string extension = LowerExtension(path);
  return extension == "f32" || extension == "raw";
}

AudioData ReadAudioFile(const std::string& path, const RawLayout& raw) {
  if (IsRawAudioPath(path)) return ReadRaw(path, raw);
#if defined(_WIN32)
  throw UsageError("this build reads raw 32-bit float files (.f32, .raw) only, not " + path);
#else
  return ReadSoundFile(path);
#endif
}

void WriteAudioFile(const std::string& path, const AudioData& audio, int bits) {
  if (IsRawAudioPath(path)) return WriteRaw(path, audio);
#if defined(_WIN32)
  (void)bits;
  throw UsageError("this build writes raw 32-bit float files (.f32, .raw) only, not " + path);
#else
  WriteSoundFile(path, audio, bits);
#endif
}

}  // namespace vrelshost
