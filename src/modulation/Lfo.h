// The low-frequency oscillator base: the fields every shape shares, the rule
// that turns a rate into a period, and the factory that builds an oscillator
// for a shape index.
//
// The plug-in holds one of each shape for each of LFO-1 .. LFO-4 (LfoBank)
// and switches when a shape changes. The modulation tick calls Tick on the
// audio thread every 16
// samples; the shape, rate, mode, depth and sample-rate handlers write the
// fields and call UpdatePeriod. Both run under the instance mutex, so an
// oscillator is never replaced or re-timed while it is ticking.
//
// Tick, Recalc, Rewind and UpdatePeriod allocate nothing, take no lock and
// keep every value finite; only Create allocates (CreateAt does not).
#pragma once

#include <cstddef>
#include <memory>

// The shape indices, in the order of the shape parameter's labels.
enum LfoShape : int {
  LFO_SINE = 0,
  LFO_TRIANGLE,
  LFO_RAMP_DOWN,
  LFO_RAMP_UP,
  LFO_SQUARE,
  LFO_RANDOM,
  LFO_SAMPLE_AND_HOLD,
  NUM_LFO_SHAPES
};

class Lfo {
 public:
  // The longest period the rate can give (2^30 samples, about 6 hours at
  // 48 kHz); it keeps the period exact as a float and far from int overflow.
  static constexpr int MAX_PERIOD = 1 << 30;

  // A new oscillator for a shape index, with output 0, depth 1, unsynced,
  // division 0, period 1 and sample rate 0, and the shape's own skew and
  // rate. Any index outside 0..6 gives the random shape. Null when no memory
  // can be had. Called by the shape handler and at construction.
  static std::unique_ptr<Lfo> Create(int shape);
  // Makes an oscillator as Create does, in the given storage (at least
  // STORAGE_SIZE bytes, aligned for any type), and returns it. Allocates
  // nothing.
  static constexpr std::size_t STORAGE_SIZE = 128;
  static Lfo* CreateAt(int shape, void* storage);

  virtual ~Lfo() = default;
  Lfo(const Lfo&) = delete;
  Lfo& operator=(const Lfo&) = delete;

  // Advances by a number of samples (0 or more; in practice one tick of at
  // most 16) and updates the output. Audio thread.
  virtual void Tick(int samples) = 0;
  // Recomputes the derived timing after the period or skew changed.
  virtual void Recalc() = 0;
  // Brings the position back inside the period (once, after construction).
  virtual void Rewind() = 0;

  // Sets the period to the whole number of samples per cycle at the current
  // rate and sample rate, then runs Recalc. A rate of 0 or below counts as
  // one cycle per sample; the period is at least 1 and at most MAX_PERIOD.
  void UpdatePeriod();

  int Shape() const { return mShape; }
  float Output() const { return mOutput; }
  float Skew() const { return mSkew; }
  int Period() const { return mPeriod; }

  // Written by the handlers; a new rate or sample rate takes effect at the
  // next UpdatePeriod.
  float Rate() const { return mRate; }
  void SetRate(float rate) { mRate = rate; }
  float SampleRate() const { return mSampleRate; }
  void SetSampleRate(float sampleRate) { mSampleRate = sampleRate; }
  float Depth() const { return mDepth; }
  void SetDepth(float depth) { mDepth = depth; }
  bool Synced() const { return mSynced != 0; }
  void SetSynced(bool synced) { mSynced = synced ? 1 : 0; }
  int Division() const { return mDivision; }
  void SetDivision(int division) { mDivision = division; }

 protected:
  Lfo(int shape, float skew, float rate) : mShape(shape), mRate(rate), mSkew(skew) {}

  int mShape;
  float mOutput = 0.0f;  // 0..1
  float mRate;           // Hz
  float mSkew;           // fraction of the period spent rising (triangle) or low (square)
  float mSampleRate = 0.0f;
  float mDepth = 1.0f;  // 0..1; scales the output of the random shape only
  int mSynced = 0;      // 1 while the rate follows the tempo division table
  int mDivision = 0;    // index into the tempo division table
  int mPeriod = 1;      // samples per cycle, 1..MAX_PERIOD
};
