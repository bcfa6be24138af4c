// The engine's audio rings: the input history grains are cut from, and the
// delay lines the taps read. Each holds the last RING_LENGTH samples of one
// channel; indexes wrap by masking, so the length is a power of two.
//
// Allocated once with the plug-in (1 MB each; a failed allocation throws
// and the instance is not created), written on the audio thread under the
// instance mutex, cleared by the panic handler.
#pragma once

#include <cstring>
#include <memory>

struct AudioRing {
  static const int RING_LENGTH = 131072;  // 2^17 samples, about 3 s at 44.1 kHz
  static const int RING_MASK = RING_LENGTH - 1;

  AudioRing() : mpStorage(new double[RING_LENGTH]()), mpSamples(mpStorage.get()) {}
  AudioRing(const AudioRing&) = delete;
  AudioRing& operator=(const AudioRing&) = delete;

  double& At(int position) { return mpSamples[position & RING_MASK]; }
  double At(int position) const { return mpSamples[position & RING_MASK]; }
  // Silence everywhere; the write index stays where it is.
  void Clear() { std::memset(mpSamples, 0, sizeof(double) * RING_LENGTH); }

 private:
  std::unique_ptr<double[]> mpStorage;

 public:
  double* mpSamples;  // RING_LENGTH samples
  int mWriteIndex = 0;
};

// The input history also feeds grains back into itself with this gain.
struct InputHistory : AudioRing {
  double mFeedbackGain = 0;
};

struct DelayLine : AudioRing {};
