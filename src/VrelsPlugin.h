// The Vrels plug-in: a granular delay steered by a flocking simulation.
//
// Created by the entry point on the host's thread; afterwards the host's GUI
// thread (dispatcher, parameters) and audio thread (ProcessBlock) enter it,
// always under the instance mutex.
#pragma once

#include <memory>

#include "AudioRing.h"
#include "Biquad.h"
#include "DelayLimiter.h"
#include "EnvelopeTable.h"
#include "IPlugVST.h"
#include "LevelMeter.h"
#include "Lfo.h"
#include "ModParam.h"
#include "ModSources.h"
#include "ModulationMatrix.h"
#include "MwcRandom.h"
#include "ParameterTable.h"
#include "Swarm.h"
#include "TempoSync.h"
#include "ValueDisplay.h"
#include "SwarmInputs.h"
#include "SwarmSnapshot.h"

class VrelsPlugin : public IPlugVST {
 public:
  static const int NUM_HOST_PARAMS = 175;
  static const int NUM_PRESETS = 6;
  static const int TICK_LENGTH = 16;  // samples per control tick
  static const int NUM_LFOS = ModSources::NUM_LFOS;  // LFO-1 .. LFO-4

  explicit VrelsPlugin(audioMasterCallback host);
  ~VrelsPlugin() override;

  // ---- Parameters (instance mutex held) ----
  // Calls the change handler registered for the parameter with its current
  // value; a parameter without a record changes nothing.
  void OnParamChanged(int index) override;
  // The record registered for a parameter; null when it has none.
  const ParamChangeDesc* ParamChangeDescAt(int index) const {
    return index >= 0 && index < NUM_PARAMS ? mpParamChangeDesc[index] : nullptr;
  }

  // ---- The flock (audio thread, instance mutex held) ----
  // Resizes the flock (vrels are added and removed at the end, so indexes
  // stay 0..n-1 and the leader survives while n >= 1).
  void SetNumVrels(int n);
  void SetNumChasers(int n);
  // One swarm update: the counts, weights and speeds from the inputs, then
  // the vrels' and the chasers' rules. Without inputs, the flock's own
  // modulated parameters steer it, and the leader's sources are written.
  void SwarmStep(const SwarmInputs& inputs);
  void SwarmStep();
  // The control tick, every TICK_LENGTH samples: LFOs advanced, the random
  // source drawn, the matrix applied.
  void ModulationTick();
  // The value the engine uses for a modulation slot: low + source * width.
  double ModulatedValue(int slot) const;
  // Copies the flock for the swarm view; takes the instance mutex.
  void GetSwarmSnapshot(SwarmSnapshot* snapshot);

  const Swarm& GetSwarm() const { return mSwarm; }

  // ---- Engine settings the parameters drive ----
  // Re-derives every rate-dependent value (LFO periods, meters, filters,
  // limiter); the rings, grains, swarm and swarm period are kept.
  void ApplySampleRate(double sampleRate);
  void OnReset() override;
  // Audio thread, instance mutex held: refreshes the tempo, then processes.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  // The host's tempo, or 120 when it gives none usable; always positive.
  void RefreshTempo();

  // The message line that describes the value under edit, and the current
  // preset's name with its modified mark.
  const char* CurrentMessage() const { return mMessage.Text(); }
  const char* PresetName() const { return mPresetName; }
  bool PresetModified() const { return mPresetModified; }

  const ModParam& GetModParam(int slot) const { return mModParams[slot]; }
  const ModSources& GetModSources() const { return mModSources; }
  const ModulationMatrix& GetMatrix() const { return mMatrix; }
  const Lfo* GetLfo(int n) const { return mLfos[n].get(); }
  const EnvelopeTable& GetEnvelope() const { return mEnvelope; }
  double Tempo() const { return mTempo; }
  int SwarmPeriod() const { return mSwarmPeriod; }
  int SwarmCountdown() const { return mSwarmCountdown; }
  bool GrainEnabled() const { return mGrainEnabled; }
  bool DelayEnabled() const { return mDelayEnabled; }
  bool DryEnabled() const { return mDryEnabled; }
  int MaxStreams() const { return mMaxStreams; }
  int MaxTaps() const { return mMaxTaps; }
  int NumGrainStreams() const { return mNumGrainStreams; }
  double DelaySmoothing() const { return mDelaySmoothing; }
  double DryGain() const { return mDryGain; }
  double GrainGain() const { return mGrainGain; }
  double DelayGain() const { return mDelayGain; }
  double GrainSend() const { return mGrainSend; }
  double DrySend() const { return mDrySend; }
  const Biquad& GrainLowPass(int channel) const { return mGrainLowPass[channel]; }
  const Biquad& GrainHighPass(int channel) const { return mGrainHighPass[channel]; }
  const Biquad& FeedbackLowPass(int channel) const { return mFeedbackLowPass[channel]; }
  const InputHistory& History(int channel) const { return mHistory[channel]; }
  const DelayLine& Delay(int channel) const { return mDelayLines[channel]; }

  // Binds the first n vrels to grain streams (the streams themselves arrive
  // with the grain engine; until then only the count is kept).
  void SetNumGrainStreams(int n);

 private:
  friend struct ParamHandlers;

  // Keeps the stream and tap counts in line with the vrel count.
  void RefreshCounts();

  // The change dispatch: one record per parameter index, null where none is
  // declared. The records are the constant tables' own.
  const ParamChangeDesc* mpParamChangeDesc[NUM_PARAMS] = {};
  Swarm mSwarm;

  MessageLine mMessage;
  static const int PRESET_NAME_SIZE = 263;  // up to 262 characters
  char mPresetName[PRESET_NAME_SIZE] = {};
  bool mPresetModified = false;

  ModParam mModParams[NUM_MOD_SLOTS];
  ModSources mModSources;
  ModulationMatrix mMatrix;
  MwcRandom mRandom;  // the "Random" source's own generator
  std::unique_ptr<Lfo> mLfos[NUM_LFOS];
  double mTempo = DEFAULT_TEMPO;

  double mUpdateTime = 0;  // UpdTime / 3
  int mSwarmPeriod = 0;    // ticks between swarm updates
  int mSwarmCountdown = 0;
  bool mTimingChanged = false;

  bool mGrainEnabled = false, mDelayEnabled = false, mDryEnabled = false;
  int mMaxStreams = 4, mMaxTaps = 0;
  int mNumGrainStreams = 0;
  int mShownStreamCount = -1, mShownTapCount = -1;
  double mDelaySmoothing = 0;
  double mDryGain = 0, mGrainGain = 0, mDelayGain = 0, mGrainSend = 0, mDrySend = 0;

  InputHistory mHistory[2];  // left, right
  DelayLine mDelayLines[2];
  Biquad mGrainLowPass[2], mGrainHighPass[2], mFeedbackLowPass[2], mFeedbackHighPass[2];
  DelayLimiter mLimiter;
  // Grain left and right, delay left and right.
  LevelMeter mMeters[4];
  EnvelopeTable mEnvelope;
  double mEnvelopeSkew = 0;

};
