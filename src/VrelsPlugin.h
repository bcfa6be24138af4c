// The Vrels plug-in: a granular delay steered by a flocking simulation.
//
// Created by the entry point on the host's thread; afterwards the host's GUI
// thread (dispatcher, parameters) and audio thread (ProcessBlock) enter it,
// always under the instance mutex.
#pragma once

#include <memory>
#include <string>

#include "IPlugVST.h"
#include "dsp/Biquad.h"
#include "dsp/DelayLimiter.h"
#include "dsp/EnvelopeTable.h"
#include "dsp/LevelMeter.h"
#include "dsp/MwcRandom.h"
#include "editor/EditorControls.h"
#include "engine/AudioRing.h"
#include "engine/DelayTap.h"
#include "engine/EngineReadouts.h"
#include "engine/GrainEngine.h"
#include "files/Configuration.h"
#include "files/MidiMap.h"
#include "flock/Swarm.h"
#include "flock/SwarmInputs.h"
#include "flock/SwarmSnapshot.h"
#include "modulation/Lfo.h"
#include "modulation/LfoBank.h"
#include "modulation/ModParam.h"
#include "modulation/ModSources.h"
#include "modulation/ModulationMatrix.h"
#include "modulation/TempoSync.h"
#include "params/ParameterTable.h"
#include "params/ValueDisplay.h"

class VrelsPlugin : public IPlugVST {
 public:
  static const int NUM_HOST_PARAMS = 175;
  static const int NUM_PRESETS = 6;
  static const int TICK_LENGTH = 16;                 // samples per control tick
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
  // stay 0..n-1 and the leader survives while n >= 1), then binds streams to
  // at most the first `max streams` of them.
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
  // The swarm view's bounds rectangle in field units: stored as the swarm's
  // bounds and, as fractions of the field, in the four bound parameters
  // (without their handlers). Marks the preset modified once the editor
  // shows its name. Takes the instance mutex.
  void SetBoundsFromView(int left, int top, int right, int bottom);
  // The swarm view's gather and scatter tools: while active, the flock is
  // pulled towards (scatter 0) or pushed from (scatter 1) the point at each
  // swarm update. Takes the instance mutex.
  void SetGather(bool active, int scatter, double x, double y);

  const Swarm& GetSwarm() const { return mSwarm; }

  // ---- Engine settings the parameters drive ----
  // Re-derives every rate-dependent value (LFO periods, meters, filters,
  // limiter); the rings, grains, swarm and swarm period are kept.
  void ApplySampleRate(double sampleRate);
  void OnReset() override;
  // Audio thread, instance mutex held: the tempo, then the whole engine in
  // chunks that end at every control tick and grain onset, then the meters.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  // The host's tempo, or 120 when it gives none usable; always positive.
  // The first tempo a host reports re-times what was synced before it.
  void RefreshTempo();

  // The message line that describes the value under edit, and the current
  // preset's name with its modified mark.
  const char* CurrentMessage() const { return mMessage.Text(); }
  const char* PresetName() const { return mPresetName; }
  bool PresetModified() const { return mPresetModified; }

  // ---- MIDI (instance mutex held) ----
  // Mapped notes and controllers set their parameter; every message is then
  // passed on to the host unchanged.
  void OnMidiMessage(const MidiMessage& message) override;
  // A parameter set from MIDI as the editor would set it: applied,
  // dispatched and reported to the host when the host can see it.
  void SetFromMidi(int paramIdx, double normalized);
  MidiMap& GetMidiMap() { return mMidiMap; }

  // ---- Preset text files (PresetFiles.cpp; instance mutex held) ----
  // The Save and Load triggers take the file last chosen with the editor's
  // save and load buttons (IFileSelectorControl::SetLastSelectedFile).
  // Writes the version line and every named parameter's plain value. The
  // file is replaced only once completely written; then the preset is named
  // after it and unmarked. False when nothing was written.
  bool WritePreset(const char* path);
  // Resets the modulation state, sets every parameter to its minimum, takes
  // the file's values and dispatches every parameter. When the file was
  // read to its end, the preset is named after it and unmarked. False when
  // the path is not a regular file that can be opened (nothing changes then).
  bool ReadPreset(const char* path);
  // The requests of VendorRequests.h: a preset file loaded for a host.
  intptr_t OnVendorRequest(int32_t index, intptr_t value, void* ptr, float opt) override;
  // The settings read from the configuration file beside the module.
  const Configuration& GetConfiguration() const { return mConfiguration; }

  const ModParam& GetModParam(int slot) const { return mModParams[slot]; }
  const ModSources& GetModSources() const { return mModSources; }
  const ModulationMatrix& GetMatrix() const { return mMatrix; }
  const Lfo* GetLfo(int n) const { return mLfos[n].Current(); }
  const EnvelopeTable& GetEnvelope() const { return mEnvelope; }
  double Tempo() const { return mTempo; }
  int SwarmPeriod() const { return mSwarmPeriod; }
  int SwarmCountdown() const { return mSwarmCountdown; }
  bool GrainEnabled() const { return mGrainEnabled; }
  bool DelayEnabled() const { return mDelayEnabled; }
  bool DryEnabled() const { return mDryEnabled; }
  int MaxStreams() const { return mMaxStreams; }
  int MaxTaps() const { return mMaxTaps; }
  int NumGrainStreams() const { return mGrains.NumStreams(); }
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
  const GrainEngine& Grains() const { return mGrains; }
  const LevelMeter& Meter(int n) const { return mMeters[n]; }
  const EngineReadouts& Readouts() const { return mReadouts; }
  // The editor's controls the plug-in updates; null without an editor.
  const EditorControls& GetEditorControls() const { return mEditorControls; }

  // Binds the first n vrels to grain streams, or releases the last streams.
  void SetNumGrainStreams(int n);

 private:
  friend struct ParamHandlers;

  // Keeps the stream count in line with the vrel count, then the count texts.
  void RefreshCounts();
  // The synced time parameters' ranges and bases, and the synced LFOs'
  // rates, taken again at the current tempo as their knobs would take them.
  void RetimeSyncedValues();
  // Rewrites the stream and tap count texts that changed.
  void RefreshCountTexts();
  // The first change after a save or load marks the preset and its name.
  void MarkPresetModified();
  // Names the preset after a file and clears its mark.
  void SetPresetNameFromPath(const char* path);
  // The first parameter whose (non-empty) name is exactly key; null if none.
  IParameter* FindParamByName(const char* key);

  // ---- What the editor shows (editor/EditorFeed.cpp; mutex held) ----
  // Hands what changed since the last call to the editor's controls: the
  // meters, the count texts, the swarm view's redraw mark, the message line
  // and the preset name. Called after every block and every change.
  void ShowChangesInEditor();
  // A section's button and its indicator take the switch's state.
  void ShowSectionSwitch(ISwitchControl* button, ISwitchControl* led, double value);
  // The envelope view redraws the rebuilt table.
  void ShowEnvelopeChanged();
  // The path last chosen with a preset button, handed to the other button
  // as its last choice; the chosen button is set back to 0. Empty when
  // nothing was chosen (a cancelled dialog) or there is no editor.
  std::string TakeChosenPresetPath(IFileSelectorControl* chosen, IFileSelectorControl* other);
  // Every control redrawn with its parameter's current value (after a
  // preset file replaced them all).
  void ShowAllParametersInEditor();

  // ---- The processing loop (ProcessingLoop.cpp) ----
  // Grain streams, taps and the tap feedback gain for the coming chunks.
  struct ActiveCounts {
    int mStreams;
    int mTaps;
    double mTapGain;
  };
  ActiveCounts CurrentCounts() const;
  // The chunk loop of one block of at least one frame.
  void RunEngine(double** inputs, double** outputs, int nFrames);
  // The 16-sample tick: modulation, onset interval, grain feedback and, when
  // due, a swarm update. True when the swarm was updated.
  bool ControlTick(int streams);
  // Starts a grain for the stream whose turn it is.
  void GrainOnset(int streams);
  // The grain sums of a chunk: rendered, soft-clipped and filtered.
  void RenderGrains(int frames, double* left, double* right);
  // The first `taps` vrels' reads of the delay lines for a chunk.
  void ReadTaps(int taps, int frames, double* delayLeft, double* delayRight, double* feedbackLeft,
                double* feedbackRight);
  // The chunk's meters, limiter, outputs, tap feedback and delay-line
  // writes; the delay and feedback sums are used up in place.
  void MixChunk(int frames, double tapGain, double dry, const double* inLeft, const double* inRight,
                const double* grainLeft, const double* grainRight, double* delayLeft, double* delayRight,
                double* feedbackLeft, double* feedbackRight, double* outLeft, double* outRight);
  // One delay line's inputs for the chunk: dry send, tap feedback and grain
  // send, soft-clipped, written from the line's write index on.
  void WriteLine(DelayLine& line, int frames, const double* input, const double* feedback,
                 const double* grain);
  // Every 200 ms, the meters' display values.
  void UpdateMeters(int nFrames);

  // The change dispatch: one record per parameter index, null where none is
  // declared. The records are the constant tables' own.
  const ParamChangeDesc* mpParamChangeDesc[NUM_PARAMS] = {};
  Swarm mSwarm;

  MessageLine mMessage;
  static const int PRESET_NAME_SIZE = 263;  // up to 262 characters
  char mPresetName[PRESET_NAME_SIZE] = {};
  bool mPresetModified = false;
  // The editor shows the preset name: from then on a bounds drag marks it
  // (the swarm view's own first bounds, set while the editor is built, do
  // not).
  bool mPresetNameShown = false;
  // Move on with every new message or preset name; the editor is given
  // what it has not shown yet.
  unsigned mPresetNameRevision = 0;
  unsigned mShownPresetNameRevision = 0;
  unsigned mShownMessageRevision = 0;
  Configuration mConfiguration;
  MidiMap mMidiMap;

  ModParam mModParams[NUM_MOD_SLOTS];
  ModSources mModSources;
  ModulationMatrix mMatrix;
  MwcRandom mRandom;  // the "Random" source's own generator
  LfoBank mLfos[NUM_LFOS];
  double mTempo = DEFAULT_TEMPO;
  bool mHostTempoSeen = false;  // a block has brought a tempo from the host

  double mUpdateTime = 0;  // UpdTime / 3
  int mSwarmPeriod = 0;    // ticks between swarm updates
  int mSwarmCountdown = 0;

  bool mGrainEnabled = false, mDelayEnabled = false, mDryEnabled = false;
  int mMaxStreams = 4, mMaxTaps = 0;
  int mShownStreamCount = -1, mShownTapCount = -1;
  int mTickCountdown = TICK_LENGTH;
  int mMeterPeriod = 0, mMeterCountdown = 0;  // samples
  double mDelaySmoothing = 0;
  double mDryGain = 0, mGrainGain = 0, mDelayGain = 0, mGrainSend = 0, mDrySend = 0;

  InputHistory mHistory[2];  // left, right
  DelayLine mDelayLines[2];
  Biquad mGrainLowPass[2], mGrainHighPass[2], mFeedbackLowPass[2], mFeedbackHighPass[2];
  DelayLimiter mLimiter;
  // Grain left and right, delay left and right.
  LevelMeter mMeters[4];
  EnvelopeTable mEnvelope;
  GrainEngine mGrains;
  // Each tap's parameters as of the last control tick.
  struct TapSettings {
    double mGlideTarget;  // the set delay's share in each glide step, samples
    TapMix mMix;
  };
  TapSettings mTapSettings[MAX_NUM_VRELS] = {};
  int mTapSettingsCount = 0;
  bool mTapSettingsStale = true;
  // What the tap settings were computed from, besides the flock (whose
  // updates are counted): the three tap parameters' ranges and sources, and
  // the values of those sources that are the same for every tap.
  struct TapSettingsKey {
    double mLow[3], mWidth[3], mSharedSource[3];
    int mSource[3];
    int mTaps;
    unsigned mSwarmUpdates;
    bool operator==(const TapSettingsKey& other) const;
  };
  TapSettingsKey CurrentTapSettingsKey(int taps) const;
  TapSettingsKey mTapSettingsKey = {};
  unsigned mSwarmUpdates = 0;
  EngineReadouts mReadouts;
  EditorControls mEditorControls;  // owned by the graphics object
};
