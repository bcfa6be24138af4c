// A level meter: the mean square of the last 300 ms of a signal, kept as a
// running sum over a ring of squares, and its value for the editor's meter
// bar.
//
// VrelsPlugin owns four (grain left and right, delay left and right).
// Resize allocates and is called at construction and from ApplySampleRate
// (OnReset), never on the audio thread; Feed runs per sample and
// DisplayValue every 200 ms on the audio thread; Clear is called by the
// GrainOn and DelayOn handlers. Feed, DisplayValue and Clear allocate
// nothing.
#pragma once

#include <memory>

class LevelMeter {
 public:
  static constexpr double WINDOW_MS = 300.0;
  static constexpr int MIN_LENGTH = 20;

  LevelMeter() = default;
  LevelMeter(const LevelMeter&) = delete;
  LevelMeter& operator=(const LevelMeter&) = delete;

  // Sets the window for a sample rate and empties the meter. The ring grows
  // when it is too short for the window and is kept otherwise. If no memory
  // can be had, the old ring stays and the window is shortened to fit it.
  // Before the first Resize the meter has a small built-in ring and the
  // shortest window.
  void Resize(double sampleRate);

  // Adds one sample to the window, dropping the oldest.
  void Feed(double x) {
    double* ring = Ring();
    mSum = mSum - ring[mReadIndex] + x * x;
    ring[mWriteIndex] = x * x;
    if (++mReadIndex == mCapacity) mReadIndex = 0;
    if (++mWriteIndex == mCapacity) mWriteIndex = 0;
  }

  // Feeds two meters n samples each in one pass, as n calls of Feed on
  // each would.
  static void FeedStereo(LevelMeter& left, LevelMeter& right, const double* l, const double* r, int n);

  // The meter bar position: 0 at or below -90 dB (and for silence), 0.125
  // up to -42 dB, then rising linearly to 1 at 0 dB (above 1 beyond it).
  double DisplayValue() const;

  // Zeroes the window and the running sum.
  void Clear();

  int Length() const { return mLength; }
  int Capacity() const { return mCapacity; }

 private:
  // A ring that holds the window plus this much before it is replaced ...
  static constexpr int MIN_SPARE = 64;
  // ... and the spare room a new ring is given.
  static constexpr int NEW_SPARE = 96;

  static constexpr int BUILT_IN_CAPACITY = MIN_LENGTH + MIN_SPARE;

  double* Ring() { return mpBuffer ? mpBuffer.get() : mBuiltIn; }

  std::unique_ptr<double[]> mpBuffer;
  double mBuiltIn[BUILT_IN_CAPACITY] = {};
  int mCapacity = BUILT_IN_CAPACITY;
  int mLength = MIN_LENGTH;
  int mReadIndex = 0;
  int mWriteIndex = MIN_LENGTH;
  double mSum = 0.0;
  double mWindowTime = WINDOW_MS;
  double mSampleRate = 0.0;
  double mInvLength = 1.0 / MIN_LENGTH;
};
