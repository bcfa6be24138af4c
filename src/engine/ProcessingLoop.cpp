// VrelsPlugin's processing loop: one block cut into chunks of at most one
// control tick that also end at every grain onset. Per chunk: the control
// tick when due, the input recorded into the history, grains started and
// rendered, grain feedback into the history, the delay taps read, and per
// sample the meters, the limiter, the mixer and the delay-line writes.
//
// Runs on the audio thread with the instance mutex held and the processing
// call's flush-to-zero mode set. Allocates nothing, locks nothing else.
#include <algorithm>
#include <climits>

#include "VrelsPlugin.h"
#include "dsp/SoftClip.h"
#include "dsp/TimeUnits.h"
#include "engine/DelayTap.h"
#include "engine/MixerFormulas.h"
#include "params/SwitchThreshold.h"

namespace {
const int kMaxChunk = VrelsPlugin::TICK_LENGTH;
// Without streams the onset countdown is parked this far ahead.
const int kIdleOnsetCountdown = 1000;
// The onset interval while no stream is active.
const int kIdleOnsetInterval = 44100;

// The host may hand anything; what is not a finite number is heard and
// recorded as silence.
inline double FiniteOrZero(double x) {
  return x - x == 0 ? x : 0.0;
}

int OnsetInterval(double grainMs, double sampleRate, int streams) {
  double samples = grainMs * sampleRate * SECONDS_PER_MS / streams;
  if (!(samples >= 1)) return 1;
  return samples < INT_MAX ? static_cast<int>(samples) : INT_MAX;
}
}  // namespace

void VrelsPlugin::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  RefreshTempo();
  if (nFrames >= 1) RunEngine(inputs, outputs, nFrames);
  UpdateMeters(nFrames);
  ShowChangesInEditor();
}

VrelsPlugin::ActiveCounts VrelsPlugin::CurrentCounts() const {
  ActiveCounts counts;
  counts.mStreams = mGrainEnabled ? mGrains.NumStreams() : 0;
  counts.mTaps = mDelayEnabled ? std::min(mMaxTaps, mSwarm.mNumVrels) : 0;
  counts.mTapGain = TapFeedbackGain(counts.mTaps);
  return counts;
}

void VrelsPlugin::RunEngine(double** inputs, double** outputs, int nFrames) {
  ActiveCounts counts = CurrentCounts();
  const double dry = mDryEnabled ? mDryGain : 0.0;
  mTapSettingsStale = true;  // handlers may have run since the last block
  bool swarmChanged = false;

  double inLeft[kMaxChunk], inRight[kMaxChunk];
  double grainLeft[kMaxChunk], grainRight[kMaxChunk];
  double delayLeft[kMaxChunk], delayRight[kMaxChunk];
  double feedbackLeft[kMaxChunk], feedbackRight[kMaxChunk];

  for (int done = 0; done < nFrames;) {
    // A grain starts on the sample at which its countdown runs out: the
    // chunk that ends there only counts down, and the onset opens the next
    // (empty) chunk. Onsets are then exactly one interval apart however
    // the ticks cut the chunks.
    const bool onsetDue = mGrains.mOnsetCountdown < 1;
    const int f = std::min(std::min(nFrames - done, mTickCountdown), mGrains.mOnsetCountdown);
    mTickCountdown -= f;
    mGrains.mOnsetCountdown -= f;
    if (mTickCountdown < 1 && ControlTick(counts.mStreams)) {
      counts = CurrentCounts();
      swarmChanged = true;
    }
    if (counts.mStreams < 1) mGrains.mOnsetCountdown = kIdleOnsetCountdown;
    if (f == 0) {
      if (onsetDue && counts.mStreams >= 1) GrainOnset(counts.mStreams);
      continue;
    }

    // The chunk's input, into the history at its write index.
    const double* hostLeft = inputs[0] + done;
    const double* hostRight = inputs[1] + done;
    InputHistory& historyLeft = mHistory[0];
    InputHistory& historyRight = mHistory[1];
    double* const ringLeft = historyLeft.mpSamples;
    double* const ringRight = historyRight.mpSamples;
    const int startLeft = historyLeft.mWriteIndex, startRight = historyRight.mWriteIndex;
    for (int k = 0; k < f; ++k) {
      inLeft[k] = FiniteOrZero(hostLeft[k]);
      inRight[k] = FiniteOrZero(hostRight[k]);
      ringLeft[(startLeft + k) & AudioRing::RING_MASK] = inLeft[k];
      ringRight[(startRight + k) & AudioRing::RING_MASK] = inRight[k];
    }

    // Whole arrays: a fixed size is cleared inline, without a call.
    std::fill(grainLeft, grainLeft + kMaxChunk, 0.0);
    std::fill(grainRight, grainRight + kMaxChunk, 0.0);
    if (counts.mStreams >= 1) RenderGrains(f, grainLeft, grainRight);

    // Grain feedback lands on the positions just recorded.
    const double feedbackGainLeft = historyLeft.mFeedbackGain, feedbackGainRight = historyRight.mFeedbackGain;
    if (feedbackGainLeft != 0.0) {
      for (int k = 0; k < f; ++k)
        ringLeft[(startLeft + k) & AudioRing::RING_MASK] += feedbackGainLeft * grainLeft[k];
    }
    if (feedbackGainRight != 0.0) {
      for (int k = 0; k < f; ++k) {
        ringRight[(startRight + k) & AudioRing::RING_MASK] += feedbackGainRight * grainRight[k];
      }
    }
    historyLeft.mWriteIndex = (historyLeft.mWriteIndex + f) & AudioRing::RING_MASK;
    historyRight.mWriteIndex = (historyRight.mWriteIndex + f) & AudioRing::RING_MASK;

    std::fill(delayLeft, delayLeft + kMaxChunk, 0.0);
    std::fill(delayRight, delayRight + kMaxChunk, 0.0);
    std::fill(feedbackLeft, feedbackLeft + kMaxChunk, 0.0);
    std::fill(feedbackRight, feedbackRight + kMaxChunk, 0.0);
    if (counts.mTaps > 0) ReadTaps(counts.mTaps, f, delayLeft, delayRight, feedbackLeft, feedbackRight);

    MixChunk(f, counts.mTapGain, dry, inLeft, inRight, grainLeft, grainRight, delayLeft, delayRight,
             feedbackLeft, feedbackRight, outputs[0] + done, outputs[1] + done);
    done += f;
  }

  if (swarmChanged) {
    mReadouts.mSwarmViewDirty = true;
    RefreshCountTexts();
  }
}

bool VrelsPlugin::ControlTick(int streams) {
  ModulationTick();
  mTickCountdown = TICK_LENGTH;
  mGrains.mOnsetInterval = kIdleOnsetInterval;
  if (streams > 0) {
    double grainMs = mModParams[kSlotGLen].mBase + mModParams[kSlotGIot].mBase;
    mGrains.mOnsetInterval = OnsetInterval(grainMs, GetSampleRate(), streams);
  }
  const double grainFeedback = ModulatedValue(kSlotGFdbk) > SWITCH_THRESHOLD ? 1.0 : 0.0;
  mHistory[0].mFeedbackGain = grainFeedback;
  mHistory[1].mFeedbackGain = grainFeedback;
  if (--mSwarmCountdown >= 1) return false;
  mSwarmCountdown = mSwarmPeriod;
  SwarmStep();
  ++mSwarmUpdates;
  return true;
}

void VrelsPlugin::GrainOnset(int streams) {
  const Vrel* vrel = mGrains.TakeTurn();
  if (vrel) mModSources.WriteVrel(*vrel, streams);
  GrainSettings settings;
  settings.mRate = ModulatedValue(kSlotGXpose);
  settings.mSource = ModulatedValue(kSlotGSrc);
  settings.mPan = ModulatedValue(kSlotGPan);
  settings.mAmplitude = ModulatedValue(kSlotGAmpl);
  settings.mDirection = ModulatedValue(kSlotGDir);
  settings.mLengthMs = ModulatedValue(kSlotGLen);
  settings.mDelayMs = ModulatedValue(kSlotGDelay);
  mGrains.StartGrain(settings, GetSampleRate());
}

void VrelsPlugin::RenderGrains(int frames, double* left, double* right) {
  mGrains.Render(mHistory, mEnvelope, frames, left, right);
  // Each stage runs over the whole chunk; every section still sees its
  // samples in order, so the result is that of the per-sample chain.
  for (int k = 0; k < frames; ++k) {
    left[k] = SoftClip(left[k]);
    right[k] = SoftClip(right[k]);
  }
  Biquad::ProcessStereoCascade(mGrainLowPass[0], mGrainHighPass[0], mGrainLowPass[1], mGrainHighPass[1], left,
                               right, frames);
}

void VrelsPlugin::MixChunk(int frames, double tapGain, double dry, const double* inLeft,
                           const double* inRight, const double* grainLeft, const double* grainRight,
                           double* delayLeft, double* delayRight, double* feedbackLeft, double* feedbackRight,
                           double* outLeft, double* outRight) {
  // Stage by stage over the chunk, in the per-sample order: meters of the
  // grains, the limiter, meters of the delay, the outputs, the feedback
  // filters and the delay-line inputs. Each stage keeps its own state, so
  // the result is that of running them sample by sample.
  LevelMeter::FeedStereo(mMeters[0], mMeters[1], grainLeft, grainRight, frames);
  mLimiter.ProcessBlock(delayLeft, delayRight, frames);
  LevelMeter::FeedStereo(mMeters[2], mMeters[3], delayLeft, delayRight, frames);
  // Gains in locals: the output stores could otherwise alias them, and the
  // compiler would reload them for every sample.
  const double delayGain = mDelayGain, grainGain = mGrainGain;
  for (int k = 0; k < frames; ++k) {
    outLeft[k] = SoftClip(delayGain * delayLeft[k] + dry * inLeft[k] + grainGain * grainLeft[k]);
    outRight[k] = SoftClip(delayGain * delayRight[k] + dry * inRight[k] + grainGain * grainRight[k]);
    feedbackLeft[k] *= tapGain;
    feedbackRight[k] *= tapGain;
  }
  Biquad::ProcessStereoCascade(mFeedbackLowPass[0], mFeedbackHighPass[0], mFeedbackLowPass[1],
                               mFeedbackHighPass[1], feedbackLeft, feedbackRight, frames);
  WriteLine(mDelayLines[0], frames, inLeft, feedbackLeft, grainLeft);
  WriteLine(mDelayLines[1], frames, inRight, feedbackRight, grainRight);
}

void VrelsPlugin::WriteLine(DelayLine& line, int frames, const double* input, const double* feedback,
                            const double* grain) {
  const double drySend = mDrySend, grainSend = mGrainSend;
  double* const samples = line.mpSamples;
  const int start = line.mWriteIndex;
  for (int k = 0; k < frames; ++k) {
    samples[(start + k) & AudioRing::RING_MASK] =
        SoftClip(drySend * input[k] + feedback[k] + grainSend * grain[k]);
  }
  line.mWriteIndex = (start + frames) & AudioRing::RING_MASK;
}

void VrelsPlugin::ReadTaps(int taps, int frames, double* delayLeft, double* delayRight, double* feedbackLeft,
                           double* feedbackRight) {
  // A tap's parameters change only with what they are computed from (the
  // flock, the tap parameters' ranges and sources, the sources' values), so
  // they are taken again only when that changes; the glide of the delay
  // runs per chunk.
  const TapSettingsKey key = CurrentTapSettingsKey(taps);
  if (mTapSettingsStale || !(key == mTapSettingsKey)) {
    mTapSettingsKey = key;
    const double sampleRate = GetSampleRate();
    int n = 0;
    for (const Vrel* vrel = mSwarm.Vrels().First(); vrel && n < taps; vrel = VrelList::Next(vrel), ++n) {
      mModSources.WriteVrel(*vrel, taps);
      TapSettings& tap = mTapSettings[n];
      tap.mGlideTarget = TapGlideTarget(ModulatedValue(kSlotDTime), sampleRate, mDelaySmoothing);
      tap.mMix.mPan = ModulatedValue(kSlotDPan);
      tap.mMix.mFeedback = ModulatedValue(kSlotDFbk);
    }
    mTapSettingsCount = n;
    mTapSettingsStale = false;
  }
  const Vrel* last = nullptr;
  int n = 0;
  for (Vrel* vrel = mSwarm.Vrels().First(); vrel && n < mTapSettingsCount; vrel = VrelList::Next(vrel), ++n) {
    const TapSettings& tap = mTapSettings[n];
    double delay = GlideTapDelay(tap.mGlideTarget, mDelaySmoothing, vrel->mTapDelay);
    delay = std::max(0.0, std::min(delay, MAX_TAP_DELAY));
    vrel->mTapDelay = delay;
    ReadTap(mDelayLines, delay, tap.mMix, frames, delayLeft, delayRight, feedbackLeft, feedbackRight);
    last = vrel;
  }
  // The sources hold the last tap's vrel, as they would after evaluating
  // every tap in this chunk.
  if (last) mModSources.WriteVrel(*last, taps);
}

bool VrelsPlugin::TapSettingsKey::operator==(const TapSettingsKey& other) const {
  for (int i = 0; i < 3; ++i) {
    if (mLow[i] != other.mLow[i] || mWidth[i] != other.mWidth[i] || mSource[i] != other.mSource[i] ||
        mSharedSource[i] != other.mSharedSource[i]) {
      return false;
    }
  }
  return mTaps == other.mTaps && mSwarmUpdates == other.mSwarmUpdates;
}

VrelsPlugin::TapSettingsKey VrelsPlugin::CurrentTapSettingsKey(int taps) const {
  TapSettingsKey key;
  const int slots[3] = {kSlotDTime, kSlotDPan, kSlotDFbk};
  for (int i = 0; i < 3; ++i) {
    const ModParam& param = mModParams[slots[i]];
    key.mLow[i] = param.mLow;
    key.mWidth[i] = param.mWidth;
    key.mSource[i] = param.mSource;
    // The vrel sources differ from tap to tap and change only with the
    // flock; every other source is one value for all taps.
    const bool perVrel = param.mSource >= ModSources::kVrelX && param.mSource <= ModSources::kVrelIndexInv;
    key.mSharedSource[i] = perVrel ? 0.0 : mModSources[param.mSource];
  }
  key.mTaps = taps;
  key.mSwarmUpdates = mSwarmUpdates;
  return key;
}

void VrelsPlugin::UpdateMeters(int nFrames) {
  mMeterCountdown -= nFrames;
  if (mMeterCountdown >= 1) return;
  mMeterCountdown = mMeterPeriod;
  for (int n = 0; n < EngineReadouts::NUM_METERS; ++n) mReadouts.mMeterValues[n] = mMeters[n].DisplayValue();
  mReadouts.mMetersChanged = true;
}
