// What every interface test shares: the plug-in binary under test, loaded
// once for the whole run, the process state recorded before it was loaded,
// and helpers to create instances and handle chunks and audio buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Host.h"
#include "PluginModule.h"

namespace interfacetest {

// Facts of the plug-in every test relies on.
const int32_t kNumParams = 175;
const int32_t kNumPrograms = 6;
const size_t kChunkHeaderSize = 8;
const uint32_t kChunkMagic = 0x70666674;
const uint32_t kChunkVersion = 0x00010000;

// ---- The binary and the process around it (set up by main). ----
bool LoadPlugin(const std::string& path, std::string* error);
void UnloadPlugin();
const testhost::PluginModule& Plugin();

// Seconds of audio the soak test runs (--soak-seconds=N, default 120).
double SoakSeconds();
void SetSoakSeconds(double seconds);

// Process state taken before the plug-in was loaded.
void RecordInitialProcessState();
const std::string& InitialLocale();
unsigned InitialFloatControl();

// The control bits of the SSE floating-point state (MXCSR: rounding,
// flush-to-zero, denormals-are-zero, exception masks), without the sticky
// exception flags that any arithmetic sets. Available on x86 only.
bool HasFloatControl();
unsigned FloatControl();
void SetFloatControl(unsigned control);

// ---- Instances. ----
// An instance made through the named entry point with the given host
// settings; null when the entry point is missing or returns no instance.
std::unique_ptr<testhost::Host> CreateInstance(const testhost::HostSettings& settings = {},
                                               const char* entry = "VSTPluginMain");
// CreateInstance followed by effOpen.
std::unique_ptr<testhost::Host> OpenInstance(const testhost::HostSettings& settings = {});
// OpenInstance with grains and delay switched off: the output is the dry
// input, unchanged while it stays below the clipper's threshold (0.9).
std::unique_ptr<testhost::Host> OpenDryInstance(const testhost::HostSettings& settings = {});

// ---- Chunks: a header and 8-byte doubles, little-endian like every target. ----
std::vector<uint8_t> MakeChunk(const std::vector<double>& values, bool withHeader = true,
                               uint32_t version = kChunkVersion);
// The values of a chunk with header.
std::vector<double> ChunkValues(const std::vector<uint8_t>& chunk);

// Sets host-visible parameters to plain (not normalised) values through a
// program chunk, as a host restoring a project does; the others keep theirs.
void SetPlainValues(testhost::Host& host, const std::vector<std::pair<int32_t, double>>& values);

// Every parameter's real range, learnt through chunks (a value far below
// the range loads as the minimum, far above as the maximum). Uses a
// separate instance.
struct ParamRanges {
  std::vector<double> min;
  std::vector<double> max;
};
const ParamRanges& Ranges();

// Every host-visible parameter's normalized value.
std::vector<float> AllParameters(testhost::Host& host);

// ---- Audio buffers. ----
// Channels of `frames` samples followed by a guard region holding a marker
// value, so that a write past the announced length is seen.
template <typename Sample>
class ChannelBuffers {
 public:
  static constexpr int kGuardFrames = 64;
  static constexpr Sample kGuardValue = Sample(1234.5);

  ChannelBuffers(int channels, int frames, Sample fill = Sample(0))
      : mFrames(frames), mData(channels), mPointers(channels) {
    for (int c = 0; c < channels; ++c) {
      mData[c].assign(frames + kGuardFrames, kGuardValue);
      for (int i = 0; i < frames; ++i) mData[c][i] = fill;
      mPointers[c] = mData[c].data();
    }
  }

  // The pointer array addresses this object's own storage: no copies.
  ChannelBuffers(const ChannelBuffers&) = delete;
  ChannelBuffers& operator=(const ChannelBuffers&) = delete;

  // Takes the samples (not the guard) of another buffer of the same shape.
  template <typename Other>
  void CopySamples(const ChannelBuffers<Other>& from) {
    for (int c = 0; c < Channels() && c < from.Channels(); ++c) {
      for (int i = 0; i < mFrames && i < from.Frames(); ++i) mData[c][i] = Sample(from.Channel(c)[i]);
    }
  }

  // A deterministic test signal in -0.5..0.5 (below the plug-in's clipping
  // threshold), different for every channel and seed. Every sample is a
  // multiple of 1/2048 with few significant bits, so
  // conversions between float and double and sums of a few samples are
  // exact; and none is denormal (the plug-in flushes those).
  void FillSignal(int seed) {
    for (size_t c = 0; c < mData.size(); ++c) {
      for (int i = 0; i < mFrames; ++i) {
        const int step = (i * 7919 + seed * 104729 + static_cast<int>(c) * 3571) % 2001;
        mData[c][i] = Sample(step - 1000) / Sample(2048);
      }
    }
  }

  void Fill(Sample value) {
    for (auto& channel : mData) {
      for (int i = 0; i < mFrames; ++i) channel[i] = value;
    }
  }

  Sample** Pointers() { return mPointers.data(); }
  Sample* Channel(int c) { return mData[c].data(); }
  const Sample* Channel(int c) const { return mData[c].data(); }
  std::vector<Sample> Samples(int c) const {
    return std::vector<Sample>(mData[c].begin(), mData[c].begin() + mFrames);
  }
  int Frames() const { return mFrames; }
  int Channels() const { return static_cast<int>(mData.size()); }

  bool GuardIntact() const {
    for (const auto& channel : mData) {
      for (int i = mFrames; i < mFrames + kGuardFrames; ++i) {
        if (!(channel[i] == kGuardValue)) return false;
      }
    }
    return true;
  }

 private:
  int mFrames;
  std::vector<std::vector<Sample>> mData;
  std::vector<Sample*> mPointers;
};

using FloatBuffers = ChannelBuffers<float>;
using DoubleBuffers = ChannelBuffers<double>;

}  // namespace interfacetest
