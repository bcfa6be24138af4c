#include "VrelsPlugin.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "IGraphicsPlatform.h"
#include "TextFormat.h"
#include "VendorRequests.h"
#include "dsp/TimeUnits.h"
#include "editor/EditorBuilder.h"
#include "editor/EditorLayout.h"
#include "modulation/ModulationTick.h"
#include "modulation/TempoSync.h"

using vrels::ScopedLock;

namespace {
const char* const kChannelConfigs = "1-1 2-2";
const char* const kEffectName = "Vrels";
const char* const kProductName = "";
const char* const kMakerName = "Quillmarsh";
const int kVersion = 0x00010000;  // 1.0.0
const int kUniqueId = vrelsvendor::kPluginUniqueId;
const int kMakerId = 0x716C6D68;  // 'qlmh'
const int kLatency = 0;
const bool kDoesMidi = false;
const bool kDoesChunks = true;
const bool kIsInstrument = false;
const int kEditorFps = 0;  // the graphics object's default tick rate

// kVersion packs major, minor and revision as 0xMMMMmmrr.
int MajorVersion(int version) {
  return version >> 16;
}
int MinorVersion(int version) {
  return (version >> 8) & 0xFF;
}

// Weights run from 1 / (98 * 25 + 1) at the parameter's minimum to 1 at its
// maximum; each step of the parameter is worth 25 in the divisor.
const double kWeightDivisorStep = 25;
const double kCentreRepelTop = 99;
const double kAlignTop = 100;
// Follow 0..100 (a percentage) covers 0 .. a quarter of the way to the
// leader per update.
const double kPercent = 0.01;
const double kMaxFollow = 0.25;

// Filter cutoffs before the parameters are applied: the low-passes open, the
// grain high-pass passing everything; the feedback high-pass is fixed.
const double kInitialLowPassHz = 20000;
const double kInitialGrainHighPassHz = 0;
const double kFeedbackHighPassHz = 100;

// Tempos beyond these are held to them (beats per minute).
const double kMinTempo = 1;
const double kMaxTempo = 10000;

double Weight(double top, double value) {
  return 1.0 / ((top - value) * kWeightDivisorStep + 1);
}

// The meters are read out every 200 ms.
const double kMeterPeriodMs = 200;
int MeterPeriod(double sampleRate) {
  double samples = sampleRate * kMeterPeriodMs / MS_PER_SECOND;
  return samples < INT_MAX ? static_cast<int>(samples) : INT_MAX;
}
}  // namespace

VrelsPlugin::VrelsPlugin(audioMasterCallback host)
    : IPlugVST(host, NUM_HOST_PARAMS, kChannelConfigs, NUM_PRESETS, kEffectName, kProductName, kMakerName,
               kVersion, kUniqueId, kMakerId, kLatency, kDoesMidi, kDoesChunks, kIsInstrument) {
  BuildParameterSet(this, mpParamChangeDesc);
  mConfiguration.Read(Configuration::OwnFilePath().c_str());
  for (int slot = 0; slot < NUM_MOD_SLOTS; ++slot) {
    const IParameter* param = GetParam(kModSlots[slot].mParamIdx);
    mModParams[slot].Init(param->Min(), param->Max(), kModSlots[slot].mDisplayKind);
  }
  for (int channel = 0; channel < 2; ++channel) {
    mGrainLowPass[channel].Design(BIQUAD_LOW_PASS, GetSampleRate(), kInitialLowPassHz);
    mGrainHighPass[channel].Design(BIQUAD_HIGH_PASS, GetSampleRate(), kInitialGrainHighPassHz);
    mFeedbackLowPass[channel].Design(BIQUAD_LOW_PASS, GetSampleRate(), kInitialLowPassHz);
    mFeedbackHighPass[channel].Design(BIQUAD_HIGH_PASS, GetSampleRate(), kFeedbackHighPassHz);
  }
  ApplySampleRate(GetSampleRate());

  // The editor lives as long as the plug-in; the host's open and close
  // requests only make and destroy its window.
  if (IGraphics* graphics = CreatePlatformGraphics(this, EDITOR_WIDTH, EDITOR_HEIGHT, kEditorFps)) {
    EditorSettings settings = {mConfiguration.Get(Configuration::kPresetFolder).mValue.c_str(),
                               MajorVersion(kVersion), MinorVersion(kVersion)};
    BuildEditor(graphics, this, settings, &mEditorControls);
    AttachEditor(graphics);
    mPresetNameShown = true;
  }
}

VrelsPlugin::~VrelsPlugin() {}

void VrelsPlugin::OnParamChanged(int index) {
  ScopedLock lock(Mutex());
  const ParamChangeDesc* pDesc = ParamChangeDescAt(index);
  const IParameter* param = GetParam(index);
  if (!pDesc || !pDesc->mpHandler || !param) return;
  MarkPresetModified();
  pDesc->mpHandler(this, pDesc, param->Value());
  ShowChangesInEditor();
}

void VrelsPlugin::MarkPresetModified() {
  if (mPresetModified) return;
  mPresetModified = true;
  ++mPresetNameRevision;
  std::size_t n = std::strlen(mPresetName);
  if (n + 1 < sizeof(mPresetName)) {
    mPresetName[n] = '*';
    mPresetName[n + 1] = '\0';
  }
}

void VrelsPlugin::SetNumVrels(int n) {
  mSwarm.SetNumVrels(n);
  SetNumGrainStreams(std::min(mSwarm.mNumVrels, mMaxStreams));
}

void VrelsPlugin::SetNumChasers(int n) {
  mSwarm.SetNumChasers(n);
}

void VrelsPlugin::SwarmStep(const SwarmInputs& in) {
  SetNumVrels(static_cast<int>(in.Value(kSwarmVrelCount)));
  mSwarm.mVrelSpeed = in.Value(kSwarmVrelSpeed);
  mSwarm.mCentreWeight = Weight(kCentreRepelTop, in.Value(kSwarmVrelCentre));
  mSwarm.mAlignWeight = Weight(kAlignTop, in.Value(kSwarmVrelAlign));
  mSwarm.mRepelWeight = Weight(kCentreRepelTop, in.Value(kSwarmVrelRepel));
  mSwarm.mComfort = in.Value(kSwarmVrelComfort);
  mSwarm.mComfortSquared = mSwarm.mComfort * mSwarm.mComfort;
  mSwarm.mFollow = in.Value(kSwarmVrelFollow) * kPercent * kMaxFollow;
  SetNumChasers(static_cast<int>(in.Value(kSwarmChaserCount)));
  mSwarm.mBoost = in.Value(kSwarmChaserBoost);
  mSwarm.mChaserSpeed = in.Value(kSwarmChaserSpeed);
  mSwarm.UpdateVrels();
  mSwarm.UpdateChasers();
}

namespace {
// The flock's inputs read from its modulation slots.
class ModulatedSwarmInputs : public SwarmInputs {
 public:
  explicit ModulatedSwarmInputs(const VrelsPlugin& plug) : mPlug(plug) {}
  double Value(SwarmInput input) const override {
    static const ModSlot kSlotOfInput[kNumSwarmInputs] = {
        kSlotVrCount, kSlotVrSpeed, kSlotVrCentr, kSlotVrAlign, kSlotVrRepel,
        kSlotVrComf,  kSlotVrFollw, kSlotChCount, kSlotChPep,   kSlotChSpeed};
    return mPlug.ModulatedValue(kSlotOfInput[input]);
  }

 private:
  const VrelsPlugin& mPlug;
};
}  // namespace

void VrelsPlugin::SwarmStep() {
  SwarmStep(ModulatedSwarmInputs(*this));
  if (const Vrel* leader = mSwarm.Vrels().First()) mModSources.WriteLeader(*leader);
}

void VrelsPlugin::ModulationTick() {
  Lfo* const lfos[NUM_LFOS] = {mLfos[0].Current(), mLfos[1].Current(), mLfos[2].Current(),
                               mLfos[3].Current()};
  ::ModulationTick(TICK_LENGTH, lfos, mRandom, mModSources, mMatrix, mModParams);
}

double VrelsPlugin::ModulatedValue(int slot) const {
  const ModParam& param = mModParams[slot];
  return param.Value(mModSources[param.mSource]);
}

void VrelsPlugin::OnMidiMessage(const MidiMessage& message) {
  int paramIdx;
  double normalized;
  if (mMidiMap.Map(message, &paramIdx, &normalized)) SetFromMidi(paramIdx, normalized);
  SendMidiMessage(message);
}

void VrelsPlugin::SetFromMidi(int paramIdx, double normalized) {
  ScopedLock lock(Mutex());
  IParameter* param = GetParam(paramIdx);
  if (!param) return;
  // Applied as the host's writes are: the parameter, its handler, then the
  // editor's controls bound to it.
  param->SetFromNormalized(normalized);
  OnParamChanged(paramIdx);
  PushParamToEditor(paramIdx, param->CurrentNormalized(), true);
  if (paramIdx < NUM_HOST_PARAMS) ReportParamToHost(paramIdx, param->CurrentNormalized());
}

void VrelsPlugin::GetSwarmSnapshot(SwarmSnapshot* snapshot) {
  ScopedLock lock(Mutex());
  mSwarm.CopySnapshot(snapshot);
}

void VrelsPlugin::SetBoundsFromView(int left, int top, int right, int bottom) {
  ScopedLock lock(Mutex());
  if (mPresetNameShown) {
    MarkPresetModified();
    ShowChangesInEditor();
  }
  const double width = Swarm::FIELD_WIDTH, height = Swarm::FIELD_HEIGHT;
  GetParam(kBoundL)->SetClamped(left / width);
  GetParam(kBoundT)->SetClamped(top / height);
  GetParam(kBoundR)->SetClamped(right / width);
  GetParam(kBoundB)->SetClamped(bottom / height);
  mSwarm.mBoundLeft = left;
  mSwarm.mBoundTop = top;
  mSwarm.mBoundRight = right;
  mSwarm.mBoundBottom = bottom;
}

void VrelsPlugin::SetGather(bool active, int scatter, double x, double y) {
  ScopedLock lock(Mutex());
  mSwarm.mGatherActive = active;
  mSwarm.mScatter = scatter;
  mSwarm.mGatherX = x;
  mSwarm.mGatherY = y;
}

void VrelsPlugin::OnReset() {
  ScopedLock lock(Mutex());
  ApplySampleRate(GetSampleRate());
}

void VrelsPlugin::ApplySampleRate(double sampleRate) {
  // The framework holds the rate, and grains, taps, onsets and the swarm
  // period read it from there: every unit takes the same one. A rate the
  // framework refuses (not a positive number) leaves the one it has.
  SetSampleRate(sampleRate);
  sampleRate = GetSampleRate();
  for (LfoBank& bank : mLfos) {
    Lfo* lfo = bank.Current();
    if (!lfo) continue;
    lfo->SetSampleRate(static_cast<float>(sampleRate));
    lfo->UpdatePeriod();
  }
  mTickCountdown = TICK_LENGTH;
  for (LevelMeter& meter : mMeters) meter.Resize(sampleRate);
  mMeterPeriod = MeterPeriod(sampleRate);
  mMeterCountdown = mMeterPeriod;
  for (int channel = 0; channel < 2; ++channel) {
    mGrainLowPass[channel].SetSampleRate(sampleRate);
    mGrainHighPass[channel].SetSampleRate(sampleRate);
    mFeedbackLowPass[channel].SetSampleRate(sampleRate);
    mFeedbackHighPass[channel].SetSampleRate(sampleRate);
  }
  mLimiter.SetSampleRate(sampleRate);
}

void VrelsPlugin::RefreshTempo() {
  double tempo = GetHostTempo();
  // No tempo, zero or negative: the default. Values no host can mean (not
  // finite, or outside what a note length can be computed from) are held to
  // a usable range so that synced times and rates stay finite.
  const bool reported = tempo > 0 && std::isfinite(tempo);
  if (!reported) {
    tempo = DEFAULT_TEMPO;
  } else if (tempo < kMinTempo) {
    tempo = kMinTempo;
  } else if (tempo > kMaxTempo) {
    tempo = kMaxTempo;
  }
  const bool firstHostTempo = reported && !mHostTempoSeen;
  if (reported) mHostTempoSeen = true;
  const bool changed = tempo != mTempo;
  mTempo = tempo;
  // Hosts restore a project before its first block: whatever was synced
  // until now was timed at the default tempo. Those values are taken again,
  // once, at the tempo the host now tells, so that a project sounds as it
  // was saved. Later tempo changes re-time nothing by themselves.
  if (firstHostTempo && changed) RetimeSyncedValues();
}

void VrelsPlugin::RetimeSyncedValues() {
  static const ModSlot kTimedSlots[] = {kSlotDTime, kSlotGLen, kSlotGIot, kSlotGDelay};
  for (ModSlot slot : kTimedSlots) {
    mModParams[slot].Retime(GetParam(kModSlots[slot].mParamIdx)->CurrentNormalized(), mTempo);
  }
  for (LfoBank& bank : mLfos) {
    Lfo* lfo = bank.Current();
    if (!lfo || !lfo->Synced()) continue;
    lfo->SetRate(static_cast<float>(LfoDivisionHz(lfo->Division(), mTempo)));
    lfo->UpdatePeriod();
  }
}

void VrelsPlugin::SetNumGrainStreams(int n) {
  mGrains.SetNumStreams(n, mSwarm.Vrels());
}

void VrelsPlugin::RefreshCounts() {
  SetNumGrainStreams(std::min(mMaxStreams, mSwarm.mNumVrels));
  RefreshCountTexts();
}

void VrelsPlugin::RefreshCountTexts() {
  int streams = mGrains.NumStreams();
  if (streams != mShownStreamCount) {
    mShownStreamCount = streams;
    FormatText(mReadouts.mStreamCountText, sizeof(mReadouts.mStreamCountText), "%d", streams);
    mReadouts.mCountsChanged = true;
  }
  int taps = std::min(mMaxTaps, mSwarm.mNumVrels);
  if (taps != mShownTapCount) {
    mShownTapCount = taps;
    FormatText(mReadouts.mTapCountText, sizeof(mReadouts.mTapCountText), "%d", taps);
    mReadouts.mCountsChanged = true;
  }
}
