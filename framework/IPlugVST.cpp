#include "IPlugVST.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "TextCopy.h"
#include "graphics/IGraphics.h"

using vrels::CopyText;
using vrels::ScopedLock;

namespace {
const int kHostProductTextSize = 256;
const intptr_t kTransportQueryFlags = 0x3E00;  // ppq, tempo, bars, cycle, time signature

IPlugVST* InstanceOf(AEffect* effect) {
  return effect ? static_cast<IPlugVST*>(effect->object) : nullptr;
}

bool ToInt(intptr_t value, int* result) {
  if (value < INT_MIN || value > INT_MAX) return false;
  *result = static_cast<int>(value);
  return true;
}
}  // namespace

IPlugVST::IPlugVST(audioMasterCallback host, int nParams, const char* channelIOStr, int nPresets,
                   const char* effectName, const char* productName, const char* mfrName, int vendorVersion,
                   int uniqueID, int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks,
                   bool plugIsInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion, uniqueID,
                mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst),
      mHostCallback(host) {
  std::memset(&mAEffect, 0, sizeof(mAEffect));
  mAEffect.magic = kEffectMagic;
  mAEffect.dispatcher = VSTDispatcher;
  mAEffect.process = VSTProcess;
  mAEffect.setParameter = VSTSetParameter;
  mAEffect.getParameter = VSTGetParameter;
  mAEffect.processReplacing = VSTProcessReplacing;
  mAEffect.processDoubleReplacing = VSTProcessDoubleReplacing;
  mAEffect.numPrograms = nPresets;
  mAEffect.numParams = nParams;
  mAEffect.numInputs = NInChannels();
  mAEffect.numOutputs = NOutChannels();
  mAEffect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  if (plugDoesChunks) mAEffect.flags |= effFlagsProgramChunks;
  if (LegalIO(1, -1)) mAEffect.flags |= effFlagsCanMono;
  if (plugIsInst) mAEffect.flags |= effFlagsIsSynth;
  mAEffect.initialDelay = latency;
  mAEffect.object = this;
  mAEffect.uniqueID = uniqueID;
  mAEffect.version =
      ((vendorVersion >> 16) & 0xFFFF) * 10000 + ((vendorVersion >> 8) & 0xFF) * 100 + (vendorVersion & 0xFF);
  mAEffect.ioRatio = 1.0f;

  FillArrangement(&mInputSpkrArr, NInChannels());
  FillArrangement(&mOutputSpkrArr, NOutChannels());
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(1024);
}

IPlugVST::~IPlugVST() {}

void IPlugVST::FillArrangement(VstSpeakerArrangement* arrangement, int nChannels) {
  std::memset(arrangement, 0, sizeof(*arrangement));
  switch (nChannels) {
    case 0:
      arrangement->type = kSpeakerArrEmpty;
      break;
    case 1:
      arrangement->type = kSpeakerArrMono;
      break;
    case 2:
      arrangement->type = kSpeakerArrStereo;
      break;
    default:
      arrangement->type = kSpeakerArrUserDefined;
      break;
  }
  arrangement->numChannels = nChannels;
}

// ---- Host calls ------------------------------------------------------------

intptr_t IPlugVST::CallHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  return mHostCallback ? mHostCallback(&mAEffect, opcode, index, value, ptr, opt) : 0;
}

VstTimeInfo* IPlugVST::GetTimeInfo(intptr_t wantedFlags) {
  return reinterpret_cast<VstTimeInfo*>(CallHost(audioMasterGetTime, 0, wantedFlags));
}

void IPlugVST::BeginParamEdit(int paramIdx) {
  CallHost(audioMasterBeginEdit, paramIdx);
}

void IPlugVST::ReportParamToHost(int paramIdx, double normalized) {
  CallHost(audioMasterAutomate, paramIdx, 0, nullptr, static_cast<float>(normalized));
}

void IPlugVST::EndParamEdit(int paramIdx) {
  CallHost(audioMasterEndEdit, paramIdx);
}

int IPlugVST::GetSamplePosition() {
  VstTimeInfo* info = GetTimeInfo(0);
  if (!info || !(info->samplePos >= 0.0)) return 0;
  double rounded = info->samplePos + 0.5;
  // A position past the int range (hours into a long session) is held at
  // the largest one rather than converted with undefined behaviour.
  return rounded < static_cast<double>(INT_MAX) ? static_cast<int>(rounded) : INT_MAX;
}

double IPlugVST::GetHostTempo() {
  VstTimeInfo* info = GetTimeInfo(kVstTempoValid);
  if (info && (info->flags & kVstTempoValid) && info->tempo >= 0.0) return info->tempo;
  return 0.0;
}

void IPlugVST::GetTimeSignature(int* numerator, int* denominator) {
  int num = 0, den = 0;
  VstTimeInfo* info = GetTimeInfo(kVstTimeSigValid);
  if (info && (info->flags & kVstTimeSigValid) && info->timeSigNumerator >= 0 &&
      info->timeSigDenominator >= 0) {
    num = info->timeSigNumerator;
    den = info->timeSigDenominator;
  }
  if (numerator) *numerator = num;
  if (denominator) *denominator = den;
}

void IPlugVST::GetTransportInfo(double* samplePos, double* tempo, double* ppqPos, double* barStart,
                                int* numerator, int* denominator, double* cycleStart, double* cycleEnd,
                                bool* playing, bool* cycleActive) {
  double pos = -1.0, bpm = 120.0, ppq = -1.0, bar = -1.0, start = -1.0, end = -1.0;
  int num = 4, den = 4;
  VstTimeInfo* info = GetTimeInfo(kTransportQueryFlags);
  if (info && (info->flags & kTransportQueryFlags)) {
    pos = info->samplePos;
    if ((info->flags & kVstPpqPosValid) && info->ppqPos >= 0.0) ppq = info->ppqPos;
    if ((info->flags & kVstTempoValid) && info->tempo > 0.0) bpm = info->tempo;
    if ((info->flags & kVstBarsValid) && info->barStartPos >= 0.0) bar = info->barStartPos;
    if ((info->flags & kVstCyclePosValid) && info->cycleStartPos >= 0.0 && info->cycleEndPos >= 0.0) {
      start = info->cycleStartPos;
      end = info->cycleEndPos;
    }
    if ((info->flags & kVstTimeSigValid) && info->timeSigNumerator > 0 && info->timeSigDenominator > 0) {
      num = info->timeSigNumerator;
      den = info->timeSigDenominator;
    }
    if (playing) *playing = (info->flags & kVstTransportPlaying) != 0;
    if (cycleActive) *cycleActive = (info->flags & kVstTransportCycleActive) != 0;
  }
  if (samplePos) *samplePos = pos;
  if (tempo) *tempo = bpm;
  if (ppqPos) *ppqPos = ppq;
  if (barStart) *barStart = bar;
  if (numerator) *numerator = num;
  if (denominator) *denominator = den;
  if (cycleStart) *cycleStart = start;
  if (cycleEnd) *cycleEnd = end;
}

int IPlugVST::GetHostId() {
  if (StoredHostId() != kHostUninit) return StoredHostId();
  char product[kHostProductTextSize] = {};
  CallHost(audioMasterGetProductString, 0, 0, product);
  product[kHostProductTextSize - 1] = '\0';
  int version = 0;
  if (product[0]) version = PackHostVersion(static_cast<int>(CallHost(audioMasterGetVendorVersion)));
  SetHost(product, version);
  return StoredHostId();
}

void IPlugVST::InitForHost() {
  if (mHostSpecificInitDone) return;
  mHostSpecificInitDone = true;
  int id = GetHostId();
  bool needsStereoAtMost =
      id == kHostForte || id == kHostAudition || id == kHostOrion || id == kHostSAWStudio;
  if (needsStereoAtMost) {
    SetInputChannelConnections(2, NInChannels() - 2, false);
    SetOutputChannelConnections(2, NOutChannels() - 2, true);
  }
  bool needsChannels = needsStereoAtMost || id == kHostCakewalk || id == kHostLive;
  if (needsChannels && NInChannels() == 0 && NOutChannels() == 0) AddStereoChannelsForHost();
  mAEffect.numInputs = mInputSpkrArr.numChannels = NInChannels();
  mAEffect.numOutputs = mOutputSpkrArr.numChannels = NOutChannels();
}

void IPlugVST::UpdateEditorRect(int width, int height) {
  mEditRect.top = 0;
  mEditRect.left = 0;
  mEditRect.bottom = static_cast<int16_t>(height);
  mEditRect.right = static_cast<int16_t>(width);
}

void IPlugVST::AttachEditor(IGraphics* graphics) {
  IPlugBase::AttachEditor(graphics);
  if (!graphics) return;
  mAEffect.flags |= effFlagsHasEditor;
  UpdateEditorRect(graphics->Width(), graphics->Height());
}

void IPlugVST::SetInitialDelay(int samples) {
  IPlugBase::SetInitialDelay(samples);
  mAEffect.initialDelay = samples;
}

bool IPlugVST::SendMidiMessage(const MidiMessage& message) {
  VstMidiEvent event;
  std::memset(&event, 0, sizeof(event));
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = message.mOffset;
  event.midiData[0] = static_cast<char>(message.mStatus);
  event.midiData[1] = static_cast<char>(message.mData1);
  event.midiData[2] = static_cast<char>(message.mData2);
  return ForwardHostEvent(reinterpret_cast<VstEvent*>(&event));
}

bool IPlugVST::SendMidiMessages(const MidiMessage* messages, int count) {
  bool allSent = true;
  for (int i = 0; i < count; ++i) allSent = SendMidiMessage(messages[i]) && allSent;
  return allSent;
}

bool IPlugVST::ForwardHostEvent(VstEvent* event) {
  VstEvents events;
  std::memset(&events, 0, sizeof(events));
  events.numEvents = 1;
  events.events[0] = event;
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

void IPlugVST::WantMidi() {
  CallHost(audioMasterWantMidi);
}

// ---- Callbacks ---------------------------------------------------------------
// No exception may cross into the host: each callback ends any that escaped.

intptr_t IPlugVST::VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt) {
  IPlugVST* plug = InstanceOf(effect);
  if (!plug) return 0;
  if (opcode == effClose) {
    // An editor window the host left open goes first: its thread may be
    // handling input that calls into the plug-in being deleted.
    if (plug->GetGUI()) plug->GetGUI()->CloseWindow();
    plug->Mutex().Lock();
    plug->mAEffect.object = nullptr;
    plug->Mutex().Unlock();
    delete plug;
    return 0;
  }
  try {
    // The plug-in's own vendor requests run without the instance mutex: one
    // may draw the editor, which the audio thread must not wait for. The
    // plug-in takes the mutex for whatever touches its state.
    if (opcode == effVendorSpecific && index != effGetParamDisplay)
      return plug->OnVendorRequest(index, value, ptr, opt);
    // So do the editor window's requests: closing waits for a window thread
    // that may be painting, and a paint pass copies the parameter values
    // under the mutex. The plug-in's hooks take it.
    if (opcode == effEditOpen || opcode == effEditClose || opcode == effEditIdle)
      return plug->DispatchEditor(opcode, ptr);
    ScopedLock lock(plug->Mutex());
    return plug->Dispatch(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

template <class Processing>
void IPlugVST::RunProcessing(AEffect* effect, Processing processing) {
  IPlugVST* plug = InstanceOf(effect);
  if (!plug) return;
  try {
    ScopedLock lock(plug->Mutex());
    if (plug->DoesMidi()) plug->WantMidi();
    processing(plug);
  } catch (...) {
  }
}

void IPlugVST::VSTProcess(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
  RunProcessing(effect, [&](IPlugVST* plug) { plug->ProcessFloatBuffers(inputs, outputs, frames, true); });
}

void IPlugVST::VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
  RunProcessing(effect, [&](IPlugVST* plug) { plug->ProcessFloatBuffers(inputs, outputs, frames, false); });
}

void IPlugVST::VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs, int32_t frames) {
  RunProcessing(effect, [&](IPlugVST* plug) { plug->ProcessDoubleBuffers(inputs, outputs, frames); });
}

float IPlugVST::VSTGetParameter(AEffect* effect, int32_t index) {
  IPlugVST* plug = InstanceOf(effect);
  if (!plug) return 0.f;
  ScopedLock lock(plug->Mutex());
  IParameter* param = plug->GetParam(index);
  return param ? static_cast<float>(param->CurrentNormalized()) : 0.f;
}

void IPlugVST::VSTSetParameter(AEffect* effect, int32_t index, float value) {
  IPlugVST* plug = InstanceOf(effect);
  // Not a number: the parameter keeps its value. Outside 0..1: limited.
  if (!plug || value != value) return;
  double normalized = value < 0.f ? 0.0 : (value > 1.f ? 1.0 : static_cast<double>(value));
  try {
    ScopedLock lock(plug->Mutex());
    IParameter* param = plug->GetParam(index);
    if (!param) return;
    plug->PushParamToEditor(index, normalized, true);
    param->SetFromNormalized(normalized);
    plug->OnParamChanged(index);
  } catch (...) {
  }
}

// ---- Dispatcher ----------------------------------------------------------------

intptr_t IPlugVST::DispatchEditor(int32_t opcode, void* ptr) {
  IGraphics* graphics = GetGUI();
  if (!graphics) return 0;
  switch (opcode) {
    case effEditOpen:
      if (!graphics->OpenWindow(ptr)) return 0;
      {
        ScopedLock lock(Mutex());
        OnEditorOpened();
      }
      return 1;
    case effEditClose: {
      {
        ScopedLock lock(Mutex());
        OnEditorClosing();
      }
      graphics->CloseWindow();
      return 1;
    }
    case effEditIdle:
      graphics->OnHostIdle();
      return 0;
    default:
      return 0;
  }
}

intptr_t IPlugVST::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      InitForHost();
      for (int i = 0; i < NParams(); ++i) OnParamChanged(i);
      return 0;
    case effSetProgram: {
      if (!DoesStateChunks()) StoreCurrentPreset();
      int program;
      if (ToInt(value, &program)) LoadPreset(program);
      return 0;
    }
    case effGetProgram:
      return CurrentPresetIdx();
    case effSetProgramName:
      if (text) {
        // Read at most one slot name's worth from the host's text.
        char name[PresetSlot::NAME_SIZE];
        CopyText(name, text);
        StoreCurrentPreset(name);
      }
      return 0;
    case effGetProgramName:
      if (text) CopyText(text, PresetName(CurrentPresetIdx()), PROGRAM_NAME_SIZE);
      return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName: {
      IParameter* param = GetParam(index);
      if (!param || !text) return 0;
      if (opcode == effGetParamLabel) CopyText(text, param->Label(), MAX_PARAM_LABEL_LEN);
      if (opcode == effGetParamName) CopyText(text, param->Name(), MAX_PARAM_NAME_LEN);
      if (opcode == effGetParamDisplay) param->FormatForHost(param->Value(), false, text);
      return 0;
    }
    case effSetSampleRate:
      if (SetSampleRate(static_cast<double>(opt))) OnReset();
      return 0;
    case effSetBlockSize: {
      // A size that is not positive or cannot be had leaves everything as it was.
      int frames;
      if (ToInt(value, &frames) && TrySetBlockSize(frames)) OnReset();
      return 0;
    }
    case effMainsChanged:
      if (value) {
        OnMainsChanged(true);
      } else {
        OnMainsChanged(false);
        OnReset();
      }
      return 0;
    case effEditGetRect:
      if (ptr && GetGUI()) {
        *static_cast<ERect**>(ptr) = &mEditRect;
        return 1;
      }
      return 0;
    case effIdentify:
      return EFFECT_IDENTITY;
    case effGetChunk:
      return GetChunk(index, ptr);
    case effSetChunk:
      return SetChunk(index, value, ptr);
    case effProcessEvents:
      return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated:
      return 1;
    case effGetProgramNameIndexed:
      if (!text) return 0;
      CopyText(text, PresetName(index), PROGRAM_NAME_SIZE);
      return text[0] ? 1 : 0;
    case effGetInputProperties:
    case effGetOutputProperties:
      return GetPinProperties(index, static_cast<VstPinProperties*>(ptr), opcode == effGetInputProperties);
    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
      SetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value), true);
      SetSpeakerArrangement(static_cast<const VstSpeakerArrangement*>(ptr), false);
      return 1;
    case effGetEffectName:
      if (!text) return 0;
      CopyText(text, EffectName(), kVstMaxEffectNameLen);
      return 1;
    case effGetVendorString:
      if (!text) return 0;
      CopyText(text, MfrName(), kVstMaxVendorStrLen);
      return 1;
    case effGetProductString:
      if (!text) return 0;
      CopyText(text, ProductName(), kVstMaxProductStrLen);
      return 1;
    case effVendorSpecific:
      // The host's display-for-value extension: text for a normalised value.
      // Other vendor requests never reach here (VSTDispatcher).
      if (index != effGetParamDisplay || !text) return 0;
      if (value >= 0 && value < NParams()) GetParam(static_cast<int>(value))->FormatForHost(opt, true, text);
      return VENDOR_DISPLAY_ANSWER;
    case effCanDo:
      return CanDo(text);
    case effGetVstVersion:
      return 2400;
    case effGetMidiKeyName: {
      MidiKeyName* key = static_cast<MidiKeyName*>(ptr);
      if (!key) return 0;
      key->keyName[0] = '\0';
      return GetMidiKeyName(key->thisKeyNumber, key->keyName) ? 1 : 0;
    }
    case effGetSpeakerArrangement:
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &mInputSpkrArr;
      if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &mOutputSpkrArr;
      return 1;
    default:
      return 0;
  }
}

intptr_t IPlugVST::CanDo(const char* text) const {
  if (!text) return 0;
  if (!std::strcmp(text, "receiveVstTimeInfo")) return 1;
  if (!std::strcmp(text, "sendVstEvents") || !std::strcmp(text, "sendVstMidiEvent") ||
      !std::strcmp(text, "receiveVstEvents") || !std::strcmp(text, "receiveVstMidiEvent")) {
    return DoesMidi() ? 1 : 0;
  }
  if (!std::strcmp(text, "hasCockosExtensions") || !std::strcmp(text, "hasCockosViewAsConfig")) {
    return COCKOS_EXTENSION_ANSWER;
  }
  return 0;
}

intptr_t IPlugVST::GetPinProperties(int32_t index, VstPinProperties* properties, bool input) const {
  int nChannels = input ? NInChannels() : NOutChannels();
  if (!properties || index < 0 || index >= nChannels) return 0;
  std::snprintf(properties->label, sizeof(properties->label), input ? "Input %d" : "Output %d", index + 1);
  properties->flags = kVstPinIsActive;
  if (index % 2 == 0 && index + 1 < nChannels) properties->flags |= kVstPinIsStereo;
  return 1;
}

void IPlugVST::SetSpeakerArrangement(const VstSpeakerArrangement* arrangement, bool input) {
  if (!arrangement) return;
  int n = arrangement->numChannels;
  if (input) {
    SetInputChannelConnections(0, n, true);
    SetInputChannelConnections(n, NInChannels() - n, false);
  } else {
    SetOutputChannelConnections(0, n, true);
    SetOutputChannelConnections(n, NOutChannels() - n, false);
  }
}

// ---- State transfer ------------------------------------------------------------

intptr_t IPlugVST::GetChunk(int32_t index, void* ptr) {
  if (!ptr) return 0;
  bool bank = index == 0;
  ByteBuffer& chunk = bank ? mBankState : mState;
  chunk.Clear();
  const std::uint32_t header[2] = {CHUNK_MAGIC, CHUNK_VERSION};
  for (std::uint32_t word : header) {
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                             static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 24)};
    if (!chunk.Append(bytes, sizeof(bytes))) return 0;
  }
  if (bank) StoreCurrentPreset();
  if (!SaveState(&chunk) || chunk.IsEmpty()) return 0;
  *static_cast<void**>(ptr) = chunk.Data();
  return static_cast<intptr_t>(chunk.Size());
}

intptr_t IPlugVST::SetChunk(int32_t index, intptr_t byteCount, void* ptr) {
  if (!ptr || byteCount < 0) return 0;
  bool bank = index == 0;
  ByteBuffer& chunk = bank ? mBankState : mState;
  // Only a header and the serialised values are ever read; bytes beyond them
  // are neither copied nor allocated for, whatever size the host claims.
  std::size_t useful = 8 + sizeof(double) * static_cast<std::size_t>(NSerializedParams());
  std::size_t size =
      static_cast<std::size_t>(byteCount) < useful ? static_cast<std::size_t>(byteCount) : useful;
  if (!chunk.Resize(size)) return 0;
  if (size) std::memcpy(chunk.Data(), ptr, size);

  auto word = [&chunk](int offset) {
    const std::uint8_t* b = chunk.Data() + offset;
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  };
  std::uint32_t version = 0;
  int start = 0;
  if (size >= 4 && word(0) == CHUNK_MAGIC) {
    if (size >= 8) {
      version = word(4);
      start = 8;
    } else {
      start = -1;
    }
  }
  int position = LoadState(&chunk, start);
  if (!(bank && version >= CHUNK_VERSION)) StoreCurrentPreset();
  if (position < 0) return 0;
  RefreshEditorControls();
  return 1;
}

intptr_t IPlugVST::ProcessEvents(const VstEvents* events) {
  if (!events) return 0;
  for (int32_t i = 0; i < events->numEvents; ++i) {
    VstEvent* event = events->events[i];
    if (!event) continue;
    if (event->type == kVstMidiType) {
      const VstMidiEvent* midi = reinterpret_cast<const VstMidiEvent*>(event);
      MidiMessage message;
      message.mOffset = midi->deltaFrames;
      message.mStatus = static_cast<std::uint8_t>(midi->midiData[0]);
      message.mData1 = static_cast<std::uint8_t>(midi->midiData[1]);
      message.mData2 = static_cast<std::uint8_t>(midi->midiData[2]);
      OnMidiMessage(message);
    } else {
      ForwardHostEvent(event);
    }
  }
  return 1;
}
