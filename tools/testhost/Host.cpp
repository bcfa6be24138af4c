#include "Host.h"

#include <cmath>
#include <cstring>

#include "EffectRegistry.h"

namespace testhost {

namespace {

const intptr_t kHostVstVersion = 2400;  // a VST 2.4 host

// Hosts hand out vendor and product strings in buffers of this size.
const size_t kHostStringBuffer = kVstMaxProductStrLen;

// Larger than any text a plug-in may write into a host buffer, so that the
// wrappers never let a plug-in overrun them.
const size_t kTextBuffer = 1024;

void CopyText(void* destination, const std::string& text, size_t capacity) {
  if (!destination || capacity == 0) return;
  const size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memcpy(destination, text.data(), length);
  static_cast<char*>(destination)[length] = '\0';
}

intptr_t VSTCALLBACK HostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
  Host* host = registry::Find(effect);
  if (!host) return opcode == audioMasterVersion ? kHostVstVersion : 0;
  return host->Answer(opcode, index, value, ptr, opt);
}

}  // namespace

Host::Host(const HostSettings& settings) : mSettings(settings) {}

Host::~Host() {
  if (mpEffect) Close();
}

bool Host::Instantiate(VstPluginMainProc entry) {
  if (!entry || mpEffect) return false;
  AEffect* effect = nullptr;
  {
    // Callbacks made during the entry call carry an AEffect this host has
    // not seen yet; the scope routes them here.
    registry::CreationScope scope(this);
    effect = entry(&HostCallback);
  }
  if (!effect || effect->magic != kEffectMagic) return false;
  registry::Register(effect, this);
  mpEffect = effect;
  return true;
}

HostSettings Host::Settings() const {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  return mSettings;
}

void Host::SetSettings(const HostSettings& settings) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings = settings;
}

void Host::SetProductString(const std::string& text) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.productString = text;
}

void Host::SetVendorString(const std::string& text) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.vendorString = text;
}

void Host::SetVendorVersion(int32_t version) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.vendorVersion = version;
}

void Host::SetHostSampleRate(double rate) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.sampleRate = rate;
}

void Host::SetHostBlockSize(int32_t frames) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.blockSize = frames;
}

void Host::SetTime(const HostTime& time) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.time = time;
}

void Host::SetTimeAvailable(bool available) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.time.available = available;
}

void Host::SetProcessEventsResult(intptr_t result) {
  std::lock_guard<std::mutex> lock(mSettingsMutex);
  mSettings.processEventsResult = result;
}

intptr_t Host::Answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  (void)value;
  mLog.RecordCall(opcode);
  if (mCallHook) mCallHook(opcode);
  switch (opcode) {
    case audioMasterAutomate:
      mLog.RecordAutomate(index, opt);
      return 0;
    case audioMasterVersion:
      return kHostVstVersion;
    case audioMasterCurrentId:
      return mpEffect ? mpEffect->uniqueID : 0;
    case audioMasterWantMidi:
      return 1;
    case audioMasterGetTime: {
      // One record per thread: the audio thread and the GUI thread may ask at
      // once, and each reads its answer before asking again.
      thread_local VstTimeInfo record;
      HostTime time;
      double sampleRate;
      {
        std::lock_guard<std::mutex> lock(mSettingsMutex);
        time = mSettings.time;
        sampleRate = mSettings.sampleRate;
      }
      if (!time.available) return 0;
      std::memset(&record, 0, sizeof record);
      record.samplePos = time.samplePos;
      record.sampleRate = sampleRate;
      record.ppqPos = time.ppqPos;
      record.tempo = time.tempo;
      record.barStartPos = time.barStartPos;
      record.cycleStartPos = time.cycleStartPos;
      record.cycleEndPos = time.cycleEndPos;
      record.timeSigNumerator = time.timeSigNumerator;
      record.timeSigDenominator = time.timeSigDenominator;
      record.flags = time.flags;
      return reinterpret_cast<intptr_t>(&record);
    }
    case audioMasterProcessEvents: {
      mLog.RecordEvents(static_cast<const VstEvents*>(ptr));
      std::lock_guard<std::mutex> lock(mSettingsMutex);
      return mSettings.processEventsResult;
    }
    case audioMasterGetSampleRate: {
      std::lock_guard<std::mutex> lock(mSettingsMutex);
      return static_cast<intptr_t>(std::lround(mSettings.sampleRate));
    }
    case audioMasterGetBlockSize: {
      std::lock_guard<std::mutex> lock(mSettingsMutex);
      return mSettings.blockSize;
    }
    case audioMasterGetVendorString: {
      std::lock_guard<std::mutex> lock(mSettingsMutex);
      CopyText(ptr, mSettings.vendorString, kHostStringBuffer);
      return ptr ? 1 : 0;
    }
    case audioMasterGetProductString: {
      std::lock_guard<std::mutex> lock(mSettingsMutex);
      CopyText(ptr, mSettings.productString, kHostStringBuffer);
      return ptr ? 1 : 0;
    }
    case audioMasterGetVendorVersion: {
      std::lock_guard<std::mutex> lock(mSettingsMutex);
      return mSettings.vendorVersion;
    }
    case audioMasterBeginEdit:
      mLog.RecordBeginEdit(index);
      return 1;
    case audioMasterEndEdit:
      mLog.RecordEndEdit(index);
      return 1;
    case audioMasterCanDo:  // this host claims no optional features
    default:
      return 0;
  }
}

intptr_t Host::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  if (!mpEffect || !mpEffect->dispatcher) return 0;
  return mpEffect->dispatcher(mpEffect, opcode, index, value, ptr, opt);
}

void Host::Open() {
  Dispatch(effOpen);
}

void Host::Close() {
  if (!mpEffect) return;
  AEffect* effect = mpEffect;
  if (effect->dispatcher) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  mpEffect = nullptr;
  registry::Unregister(effect);
}

void Host::SetSampleRate(float rate) {
  Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}

void Host::SetBlockSize(intptr_t frames) {
  Dispatch(effSetBlockSize, 0, frames);
}

void Host::SetMainsChanged(bool on) {
  Dispatch(effMainsChanged, 0, on ? 1 : 0);
}

void Host::SetParameter(int32_t index, float value) {
  if (mpEffect && mpEffect->setParameter) mpEffect->setParameter(mpEffect, index, value);
}

float Host::GetParameter(int32_t index) {
  return mpEffect && mpEffect->getParameter ? mpEffect->getParameter(mpEffect, index) : 0.0f;
}

void Host::ProcessReplacing(float** inputs, float** outputs, int32_t frames) {
  if (mpEffect && mpEffect->processReplacing) mpEffect->processReplacing(mpEffect, inputs, outputs, frames);
}

void Host::Process(float** inputs, float** outputs, int32_t frames) {
  if (mpEffect && mpEffect->process) mpEffect->process(mpEffect, inputs, outputs, frames);
}

void Host::ProcessDouble(double** inputs, double** outputs, int32_t frames) {
  if (mpEffect && mpEffect->processDoubleReplacing)
    mpEffect->processDoubleReplacing(mpEffect, inputs, outputs, frames);
}

intptr_t Host::ProcessEvents(VstEvents* events) {
  return Dispatch(effProcessEvents, 0, 0, events);
}

std::vector<uint8_t> Host::GetChunk(bool bank) {
  void* data = nullptr;
  const intptr_t size = Dispatch(effGetChunk, bank ? 0 : 1, 0, &data);
  if (size <= 0 || !data) return {};
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

intptr_t Host::SetChunk(const void* data, intptr_t size, bool bank) {
  return Dispatch(effSetChunk, bank ? 0 : 1, size, const_cast<void*>(data));
}

intptr_t Host::SetChunk(const std::vector<uint8_t>& data, bool bank) {
  return SetChunk(data.data(), static_cast<intptr_t>(data.size()), bank);
}

intptr_t Host::SetProgram(int32_t index) {
  return Dispatch(effSetProgram, 0, index);
}

int32_t Host::GetProgram() {
  return static_cast<int32_t>(Dispatch(effGetProgram));
}

void Host::SetProgramName(const std::string& name) {
  std::vector<char> text(name.begin(), name.end());
  text.push_back('\0');
  Dispatch(effSetProgramName, 0, 0, text.data());
}

std::string Host::GetProgramName() {
  return TextOpcode(effGetProgramName, 0);
}

std::string Host::GetProgramNameIndexed(int32_t index) {
  return TextOpcode(effGetProgramNameIndexed, index);
}

std::string Host::GetEffectName() {
  return TextOpcode(effGetEffectName, 0);
}

std::string Host::GetVendorString() {
  return TextOpcode(effGetVendorString, 0);
}

std::string Host::GetProductString() {
  return TextOpcode(effGetProductString, 0);
}

std::string Host::GetParamName(int32_t index) {
  return TextOpcode(effGetParamName, index);
}

std::string Host::GetParamLabel(int32_t index) {
  return TextOpcode(effGetParamLabel, index);
}

std::string Host::GetParamDisplay(int32_t index) {
  return TextOpcode(effGetParamDisplay, index);
}

intptr_t Host::CanDo(const char* text) {
  return Dispatch(effCanDo, 0, 0, const_cast<char*>(text));
}

std::string Host::TextOpcode(int32_t opcode, int32_t index) {
  std::vector<char> buffer(kTextBuffer, '\0');
  Dispatch(opcode, index, 0, buffer.data());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

}  // namespace testhost
