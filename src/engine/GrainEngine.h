// The grain engine: one grain stream per vrel for the first N vrels, taking
// turns to start grains, and the pool of sounding grains that cut slices of
// the recent input out of the input history.
//
// Owned by the plug-in and used only on the audio thread (or by a change
// handler), always under the instance mutex. Every stream and grain the
// engine can ever need (200 streams, 400 grains) is allocated with it, so
// nothing on the audio thread allocates; streams and grains move between
// their active and free lists and are freed with the engine.
#pragma once

#include "dsp/EnvelopeTable.h"
#include "engine/AudioRing.h"
#include "flock/Creature.h"
#include "flock/GenericList.h"

// A stream: stream k is always bound to the vrel with index k.
struct GrainStream : Node {
  Vrel* mpVrel = nullptr;
};

class GrainStreamList : public List<GrainStream> {};

struct Grain : Node {
  int mLength = 0;    // samples
  int mPosition = 0;  // samples already rendered, 0..length
  int mChannel = 0;   // 0 reads the left history, 1 the right
  double mPan = 0.5;  // left gain; the right gain is 1 - pan
  double mAmplitude = 0;
  double mRate = 1;  // read-position advance per sample; negative plays backwards
  // Read position relative to the history write index at the start of the
  // current chunk, in samples (negative = in the past).
  double mReadOffset = 0;
  double mEnvelopeStep = 0;  // envelope-table positions per sample
};

class GrainList : public List<Grain> {};

// The modulated grain properties at an onset, in the parameters' units.
struct GrainSettings {
  double mRate = 1;       // GXpose
  double mSource = 1;     // GSrc: 0.5 and above reads the right input
  double mPan = 0.5;      // GPan: 1 is left
  double mAmplitude = 1;  // GAmpl
  double mDirection = 0;  // GDir: above 0.5 plays backwards
  double mLengthMs = 30;  // GLen
  double mDelayMs = 0;    // GDelay
};

class GrainEngine {
 public:
  static constexpr int MAX_STREAMS = 200;
  // Sounding grains are limited to this many per active stream.
  static constexpr int GRAINS_PER_STREAM = 2;
  static constexpr int MAX_GRAINS = MAX_STREAMS * GRAINS_PER_STREAM;
  // The onset interval before the first control tick sets it (samples).
  static constexpr int INITIAL_ONSET_INTERVAL = 441;

  GrainEngine();
  GrainEngine(const GrainEngine&) = delete;
  GrainEngine& operator=(const GrainEngine&) = delete;

  // Binds streams to the first n of `vrels` (by index) or releases the last
  // ones. Sounding grains are not affected.
  void SetNumStreams(int n, const VrelList& vrels);
  int NumStreams() const { return mNumStreams; }
  int NextStreamIndex() const { return mNextStream; }
  const GrainStream* Stream(int k) const { return k >= 0 && k < mNumStreams ? mpStreams[k] : nullptr; }

  // The stream whose turn it is (there must be at least one): advances the
  // turn and restarts the onset countdown. Returns the stream's vrel.
  const Vrel* TakeTurn();
  // Starts a grain with the settings unless the amplitude is not positive
  // or 2 * N grains already sound. True when a grain started.
  bool StartGrain(const GrainSettings& settings, double sampleRate);

  // Adds every sounding grain's next `frames` samples into left and right
  // (which the caller has zeroed). The chunk's input is already recorded at
  // the histories' write indexes, which have not yet advanced. Grains that
  // end are returned to the pool.
  void Render(const InputHistory histories[2], const EnvelopeTable& envelope, int frames, double* left,
              double* right);

  int ActiveGrains() const { return mActiveGrains; }
  const GrainList& SoundingGrains() const { return mActiveGrainList; }

  // Samples until the next onset, and between onsets.
  int mOnsetCountdown = 0;
  int mOnsetInterval = INITIAL_ONSET_INTERVAL;

 private:
  void RenderGrain(Grain* grain, const InputHistory& history, const EnvelopeTable& table, int frames,
                   double* left, double* right) const;

  GrainStreamList mActiveStreams, mFreeStreams;
  GrainStream* mpStreams[MAX_STREAMS] = {};
  int mNumStreams = 0;
  int mNextStream = 0;
  GrainList mActiveGrainList, mFreeGrains;
  int mActiveGrains = 0;
};
