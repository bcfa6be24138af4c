#include "params/ParamHandlers.h"

#include <algorithm>
#include <climits>

#include "IFileSelectorControl.h"
#include "ISwitchControl.h"
#include "VrelsPlugin.h"
#include "engine/MixerFormulas.h"
#include "modulation/TempoSync.h"
#include "params/ParameterTable.h"
#include "params/SwitchThreshold.h"

namespace {
// The source, depth and sync parameters follow their knob at these offsets.
const int kSourceOffset = 1;
const int kDepthOffset = 2;
const int kSyncOffset = 3;

// Swarm timing: UpdTime / 3 is the update time u; a swarm update every
// int(rate * 0.01 / u) samples, counted in whole ticks.
const double kUpdateTimeDivisor = 3;
const double kUpdateTimeScale = 0.01;

// Filter cutoffs from 0..1.
const double kLowPassBottom = 600, kLowPassSpan = 19400;
const double kHighPassBottom = 10, kHighPassSpan = 1490;

// The field the bounds are fractions of.
const double kFieldWidth = Swarm::FIELD_WIDTH, kFieldHeight = Swarm::FIELD_HEIGHT;

int SlotOf(int baseParamIdx) {
  const int slot = ModSlotOf(baseParamIdx);
  VRELS_ASSERT(slot >= 0);
  return slot;
}

int MatrixSlotOf(int paramIdx) {
  return (paramIdx - kMxTgt1) / kMatrixParamStride;
}

int LfoOf(int paramIdx) {
  return (paramIdx - kLfo1Shap) / kLfoParamStride;
}
}  // namespace

void ParamHandlers::Base(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  ModParam& param = plug->mModParams[SlotOf(desc->mParamIdx)];
  param.SetBase(value);
  plug->mMessage.ShowRange(param);
}

void ParamHandlers::TimedBase(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  double normalized = plug->GetParam(desc->mParamIdx)->ToNormalized(value);
  ModParam& param = plug->mModParams[SlotOf(desc->mParamIdx)];
  param.SetTimedBase(value, normalized, plug->mTempo);
  plug->mMessage.ShowRange(param);
}

void ParamHandlers::VrelCount(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  Base(plug, desc, value);
  plug->RefreshCounts();
}

void ParamHandlers::Source(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  int base = desc->mParamIdx - kSourceOffset;
  double depth = plug->GetParam(base + kDepthOffset)->Value();
  ModParam& param = plug->mModParams[SlotOf(base)];
  param.SetSource(static_cast<int>(value), depth);
  plug->mMessage.ShowRange(param);
}

void ParamHandlers::Depth(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  int base = desc->mParamIdx - kDepthOffset;
  // The delay time and grain delay take half the depth: their ranges are long.
  bool halved = base == kDTime || base == kGDelay;
  ModParam& param = plug->mModParams[SlotOf(base)];
  param.SetDepthFromKnob(value, halved);
  plug->mMessage.ShowRange(param);
}

void ParamHandlers::Sync(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  int base = desc->mParamIdx - kSyncOffset;
  double knob = plug->GetParam(base)->CurrentNormalized();
  ModParam& param = plug->mModParams[SlotOf(base)];
  param.SetSync(value, knob, plug->mTempo);
  plug->mMessage.ShowRange(param);
}

void ParamHandlers::UpdateTime(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mMessage.ShowValue(value);
  double t = value / kUpdateTimeDivisor;
  if (t == plug->mUpdateTime) return;
  plug->mUpdateTime = t;
  plug->mSwarmCountdown = 0;
  double samples = t > 0 ? plug->GetSampleRate() * kUpdateTimeScale / t : 0;
  int ticks = samples < INT_MAX ? static_cast<int>(samples) / VrelsPlugin::TICK_LENGTH : INT_MAX;
  plug->mSwarmPeriod = std::max(1, ticks);
}

void ParamHandlers::DelayOn(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mDelayEnabled = value > SWITCH_THRESHOLD;
  plug->mMeters[2].Clear();
  plug->mMeters[3].Clear();
  plug->ShowSectionSwitch(plug->mEditorControls.mpDelayButton, plug->mEditorControls.mpDelayLed, value);
}

void ParamHandlers::GrainOn(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mGrainEnabled = value > SWITCH_THRESHOLD;
  plug->mMeters[0].Clear();
  plug->mMeters[1].Clear();
  plug->ShowSectionSwitch(plug->mEditorControls.mpGrainButton, plug->mEditorControls.mpGrainLed, value);
}

void ParamHandlers::DryEnable(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mDryEnabled = value > SWITCH_THRESHOLD;
}

void ParamHandlers::TapCount(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mMaxTaps = static_cast<int>(value);
  plug->mMessage.ShowCount(plug->mMaxTaps);
  plug->RefreshCounts();
}

void ParamHandlers::GrainCount(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mMaxStreams = static_cast<int>(value);
  plug->mMessage.ShowCount(plug->mMaxStreams);
  plug->RefreshCounts();
}

void ParamHandlers::DelaySmoothing(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  plug->mDelaySmoothing = TapSmoothingFromParam(value);
  plug->mMessage.ShowSmoothing(plug->mDelaySmoothing);
}

void ParamHandlers::Filter(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  Biquad* sections;
  double cutoff;
  if (desc->mParamIdx == kGHpf) {
    sections = plug->mGrainHighPass;
    cutoff = kHighPassBottom + kHighPassSpan * value;
  } else {
    sections = desc->mParamIdx == kDLpf ? plug->mFeedbackLowPass : plug->mGrainLowPass;
    cutoff = kLowPassBottom + kLowPassSpan * value;
  }
  sections[0].SetCutoff(cutoff);
  sections[1].SetCutoff(cutoff);
  plug->mMessage.ShowFrequency(cutoff);
}

void ParamHandlers::Gain(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  double gain = GainFromDecibels(value);
  plug->mMessage.ShowLevel(value);
  switch (desc->mParamIdx) {
    case kDryOut:
      plug->mDryGain = gain;
      break;
    case kDelayOut:
      plug->mDelayGain = gain;
      break;
    case kGrainOut:
      plug->mGrainGain = gain;
      break;
    case kGrn2Dly:
      plug->mGrainSend = gain;
      break;
    default:
      plug->mDrySend = gain;
      break;
  }
}

void ParamHandlers::Envelope(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  if (desc->mParamIdx == kGEnvSkew) plug->mMessage.ShowValue(value);
  int choice = static_cast<int>(plug->GetParam(kGEnvelop)->Value());
  SetEnvelopeFromChoice(plug->mEnvelope, choice, plug->GetParam(kGEnvSkew)->Value());
  plug->ShowEnvelopeChanged();
}

void ParamHandlers::Bound(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  Swarm& swarm = plug->mSwarm;
  switch (desc->mParamIdx) {
    case kBoundL:
      swarm.mBoundLeft = static_cast<int>(value * kFieldWidth);
      break;
    case kBoundR:
      swarm.mBoundRight = static_cast<int>(value * kFieldWidth);
      break;
    case kBoundT:
      swarm.mBoundTop = static_cast<int>(value * kFieldHeight);
      break;
    default:
      swarm.mBoundBottom = static_cast<int>(value * kFieldHeight);
      break;
  }
}

void ParamHandlers::Panic(VrelsPlugin* plug, const ParamChangeDesc*, double value) {
  // Silences the grains and the delay at once: they read the cleared rings.
  // Write indexes, grains, taps, filters, limiter and meters carry on.
  // The button springs back; the parameter keeps its value.
  if (ISwitchControl* button = plug->mEditorControls.mpPanicButton) button->SetValueFromPlug(0.0);
  if (value <= SWITCH_THRESHOLD) return;
  for (InputHistory& history : plug->mHistory) history.Clear();
  for (DelayLine& line : plug->mDelayLines) line.Clear();
}

void ParamHandlers::SavePreset(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  plug->GetParam(desc->mParamIdx)->SetClamped(0);
  EditorControls& c = plug->mEditorControls;
  if (value > 0) plug->WritePreset(plug->TakeChosenPresetPath(c.mpSaveSelector, c.mpLoadSelector).c_str());
  if (c.mpSaveSelector) c.mpSaveSelector->SetValueFromPlug(0.0);
}

void ParamHandlers::LoadPreset(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  plug->GetParam(desc->mParamIdx)->SetClamped(0);
  EditorControls& c = plug->mEditorControls;
  if (value > 0) plug->ReadPreset(plug->TakeChosenPresetPath(c.mpLoadSelector, c.mpSaveSelector).c_str());
  if (c.mpLoadSelector) c.mpLoadSelector->SetValueFromPlug(0.0);
  plug->mMessage.Clear();
}

void ParamHandlers::LfoShape(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  LfoBank& bank = plug->mLfos[LfoOf(desc->mParamIdx)];
  const Lfo* old = bank.Current();
  int shape = static_cast<int>(value);
  if (old && old->Shape() == shape) return;  // keeps running
  // The settings the new oscillator takes over, read before it starts.
  const bool hadOld = old != nullptr;
  const float rate = hadOld ? old->Rate() : 0.0f, depth = hadOld ? old->Depth() : 0.0f;
  const bool synced = hadOld && old->Synced();
  const int division = hadOld ? old->Division() : 0;
  Lfo* lfo = bank.Start(shape);
  lfo->SetSampleRate(static_cast<float>(plug->GetSampleRate()));
  lfo->UpdatePeriod();
  if (hadOld) {
    lfo->SetRate(rate);
    lfo->UpdatePeriod();
    lfo->SetDepth(depth);
    lfo->SetSynced(synced);
    lfo->SetDivision(division);
  }
}

void ParamHandlers::LfoRate(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  Lfo* lfo = plug->mLfos[LfoOf(desc->mParamIdx)].Current();
  if (!lfo) return;
  // The knob's place in its own range picks the division.
  const IParameter* knob = plug->GetParam(desc->mParamIdx);
  lfo->SetDivision(LfoDivisionForKnob((value - knob->Min()) / (knob->Max() - knob->Min())));
  double rate = lfo->Synced() ? LfoDivisionHz(lfo->Division(), plug->mTempo) : value;
  lfo->SetRate(static_cast<float>(rate));
  lfo->UpdatePeriod();
  plug->mMessage.ShowLfo(*lfo);
}

void ParamHandlers::LfoMode(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  Lfo* lfo = plug->mLfos[LfoOf(desc->mParamIdx)].Current();
  if (!lfo) return;
  if (value < SWITCH_THRESHOLD) {
    lfo->SetSynced(false);  // the last rate stays until the rate knob moves
  } else {
    lfo->SetSynced(true);
    lfo->SetRate(static_cast<float>(LfoDivisionHz(lfo->Division(), plug->mTempo)));
    lfo->UpdatePeriod();
  }
  plug->mMessage.ShowLfo(*lfo);
}

void ParamHandlers::LfoDepth(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  Lfo* lfo = plug->mLfos[LfoOf(desc->mParamIdx)].Current();
  if (!lfo) return;
  lfo->SetDepth(static_cast<float>(value));
  plug->mMessage.ShowLfo(*lfo);
}

void ParamHandlers::MatrixTarget(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  plug->mMatrix.SetTarget(MatrixSlotOf(desc->mParamIdx), static_cast<int>(value), plug->mModParams);
}

void ParamHandlers::MatrixSource(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  plug->mMatrix.SetSource(MatrixSlotOf(desc->mParamIdx), static_cast<int>(value), plug->mModParams);
}

void ParamHandlers::MatrixDepth(VrelsPlugin* plug, const ParamChangeDesc* desc, double value) {
  plug->mMatrix.SetDepth(MatrixSlotOf(desc->mParamIdx), value, plug->mModParams);
  plug->mMessage.ShowValue(value);
}
