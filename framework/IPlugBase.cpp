#include "IPlugBase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "Assert.h"
#include "FloatEnvironment.h"
#include "TextCopy.h"
#include "graphics/IGraphics.h"

using vrels::CopyText;
using vrels::ScopedLock;

namespace {
const char* const kUserPresetName = "user preset";

void WriteLittleEndianDouble(ByteBuffer* chunk, double value, bool* ok) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  std::uint8_t bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  *ok = chunk->Append(bytes, sizeof(bytes)) && *ok;
}

double ReadLittleEndianDouble(const std::uint8_t* bytes) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
  double value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}
}  // namespace

IPlugBase::IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
                     const char* productName, const char* mfrName, int vendorVersion, int uniqueID, int mfrID,
                     int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
    : mNumSerializedParams(nParams),
      mUniqueID(uniqueID),
      mMfrID(mfrID),
      mVersion(vendorVersion),
      mLatency(latency),
      mDoesMidi(plugDoesMidi),
      mStateChunks(plugDoesChunks),
      mIsInstrument(plugIsInst) {
  for (int i = 0; i < nParams; ++i) mParams.Append(new IParameter);
  for (int i = 0; i < nPresets; ++i) {
    PresetSlot* slot = new PresetSlot;
    std::snprintf(slot->mName, sizeof(slot->mName), "- %d -", i + 1);
    mPresets.Append(slot);
  }
  CopyText(mEffectName, effectName);
  CopyText(mProductName, productName);
  CopyText(mMfrName, mfrName);
  ParseChannelConfigs(channelIOStr);
}

IPlugBase::~IPlugBase() {
  delete mpGraphics;
  for (int i = mParams.Size() - 1; i >= 0; --i) delete mParams.Get(i);
  for (int i = mPresets.Size() - 1; i >= 0; --i) delete mPresets.Get(i);
  for (int i = mInChannels.Size() - 1; i >= 0; --i) delete mInChannels.Get(i);
  for (int i = mOutChannels.Size() - 1; i >= 0; --i) delete mOutChannels.Get(i);
  for (int i = mChannelConfigs.Size() - 1; i >= 0; --i) delete mChannelConfigs.Get(i);
}

// ---- Channel configurations -----------------------------------------------

void IPlugBase::ParseChannelConfigs(const char* channelIOStr) {
  int maxIn = 0, maxOut = 0;
  const char* position = channelIOStr;
  while (position) {
    int nIn = 0, nOut = 0;
    bool channelIOStrValid = std::sscanf(position, "%d-%d", &nIn, &nOut) == 2;
    VRELS_ASSERT(channelIOStrValid);
    mChannelConfigs.Append(new ChannelConfig{nIn, nOut});
    maxIn = std::max(maxIn, nIn);
    maxOut = std::max(maxOut, nOut);
    position = std::strchr(position, ' ');
    if (position) ++position;
  }
  AddChannelRecords(maxIn, maxOut);
}

bool IPlugBase::AddChannelRecords(int nIn, int nOut) {
  for (int i = 0; i < nIn; ++i) mInChannels.Append(new InputChannel);
  for (int i = 0; i < nOut; ++i) mOutChannels.Append(new OutputChannel);
  mInData.assign(mInChannels.Size(), nullptr);
  mOutData.assign(mOutChannels.Size(), nullptr);
  // Unconnected channels read and write their own scratch buffers.
  for (int i = 0; i < mInChannels.Size(); ++i) mInData[i] = ScratchOf(mInChannels.Get(i)->mScratch);
  for (int i = 0; i < mOutChannels.Size(); ++i) mOutData[i] = ScratchOf(mOutChannels.Get(i)->mScratch);
  return true;
}

bool IPlugBase::LegalIO(int nIn, int nOut) const {
  for (int i = 0; i < mChannelConfigs.Size(); ++i) {
    const ChannelConfig* config = mChannelConfigs.Get(i);
    if ((nIn < 0 || nIn == config->mNumInputs) && (nOut < 0 || nOut == config->mNumOutputs)) return true;
  }
  return false;
}

void IPlugBase::AddStereoChannelsForHost() {
  mChannelConfigs.Append(new ChannelConfig{2, 2});
  AddChannelRecords(2, 2);
  if (mBlockSize > 0) {
    int size = mBlockSize;
    mBlockSize = 0;
    SetBlockSize(size);
  }
  SetInputChannelConnections(0, 2, true);
  SetOutputChannelConnections(0, 2, true);
}

void IPlugBase::SetInputChannelConnections(int first, int count, bool connected) {
  int end = std::min(mInChannels.Size(), first + std::max(count, 0));
  for (int i = std::max(first, 0); i < end; ++i) {
    InputChannel* channel = mInChannels.Get(i);
    channel->mConnected = connected;
    if (!connected) {
      // An unconnected input reads silence, not the last block it was given.
      if (channel->mScratch.Size()) std::memset(channel->mScratch.Data(), 0, channel->mScratch.Size());
      mInData[i] = ScratchOf(channel->mScratch);
    }
  }
}

void IPlugBase::SetOutputChannelConnections(int first, int count, bool connected) {
  int end = std::min(mOutChannels.Size(), first + std::max(count, 0));
  for (int i = std::max(first, 0); i < end; ++i) {
    OutputChannel* channel = mOutChannels.Get(i);
    channel->mConnected = connected;
    if (!connected) mOutData[i] = ScratchOf(channel->mScratch);
  }
}

bool IPlugBase::IsInChannelConnected(int channel) const {
  const InputChannel* record = mInChannels.Get(channel);
  return record && record->mConnected;
}

bool IPlugBase::IsOutChannelConnected(int channel) const {
  const OutputChannel* record = mOutChannels.Get(channel);
  return record && record->mConnected;
}

// ---- Block size and sample rate --------------------------------------------

bool IPlugBase::TrySetBlockSize(int nFrames) {
  if (nFrames <= 0 || nFrames > MAX_BLOCK_SIZE) return false;
  if (nFrames == mBlockSize) return true;
  // Every new buffer is allocated before any old one is replaced, so a
  // failure leaves the previous size and buffers in force.
  std::size_t bytes = sizeof(double) * static_cast<std::size_t>(nFrames);
  int nIn = mInChannels.Size(), nOut = mOutChannels.Size();
  std::vector<ByteBuffer> fresh(nIn + nOut);
  for (ByteBuffer& buffer : fresh) {
    if (!buffer.Resize(bytes)) return false;
  }
  // Unconnected channels keep reading and writing their own (new) scratch;
  // connected ones are pointed at their buffers by every processing call.
  for (int i = 0; i < nIn; ++i) {
    mInChannels.Get(i)->mScratch.Swap(fresh[i]);
    mInData[i] = ScratchOf(mInChannels.Get(i)->mScratch);
  }
  for (int i = 0; i < nOut; ++i) {
    mOutChannels.Get(i)->mScratch.Swap(fresh[nIn + i]);
    mOutData[i] = ScratchOf(mOutChannels.Get(i)->mScratch);
  }
  mBlockSize = nFrames;
  return true;
}

void IPlugBase::SetBlockSize(int nFrames) {
  ScopedLock lock(mMutex);
  TrySetBlockSize(nFrames);
}

bool IPlugBase::SetSampleRate(double sampleRate) {
  if (!(sampleRate > 0.0) || !std::isfinite(sampleRate)) return false;
  mSampleRate = sampleRate;
  return true;
}

// ---- Processing -----------------------------------------------------------

void IPlugBase::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  int nIn = NInChannels(), nOut = NOutChannels();
  for (int i = 0; i < nOut; ++i) {
    if (i < nIn) {
      if (outputs[i] != inputs[i]) std::memmove(outputs[i], inputs[i], sizeof(double) * nFrames);
    } else {
      std::memset(outputs[i], 0, sizeof(double) * nFrames);
    }
  }
}

void IPlugBase::ProcessFloatBuffers(float** inputs, float** outputs, int nFrames, bool accumulate) {
  ScopedLock lock(mMutex);
  vrels::ScopedFlushDenormals flush;
  int nIn = mInChannels.Size(), nOut = mOutChannels.Size();
  for (int done = 0; done < nFrames;) {
    int n = std::min(nFrames - done, mBlockSize);
    int cursor = 0;
    for (int i = 0; i < nIn; ++i) {
      InputChannel* channel = mInChannels.Get(i);
      if (!channel->mConnected) continue;
      double* scratch = ScratchOf(channel->mScratch);
      const float* host = inputs ? inputs[cursor] : nullptr;
      if (host) {
        for (int s = 0; s < n; ++s) scratch[s] = host[done + s];
      } else {
        std::memset(scratch, 0, sizeof(double) * n);
      }
      mInData[i] = scratch;
      ++cursor;
    }
    cursor = 0;
    for (int i = 0; i < nOut; ++i) {
      OutputChannel* channel = mOutChannels.Get(i);
      if (!channel->mConnected) continue;
      mOutData[i] = ScratchOf(channel->mScratch);
      channel->mpHostFloat = outputs ? outputs[cursor] : nullptr;
      ++cursor;
    }
    ProcessBlock(mInData.data(), mOutData.data(), n);
    for (int i = 0; i < nOut; ++i) {
      OutputChannel* channel = mOutChannels.Get(i);
      if (!channel->mConnected || !channel->mpHostFloat) continue;
      const double* scratch = ScratchOf(channel->mScratch);
      float* host = channel->mpHostFloat + done;
      if (accumulate) {
        for (int s = 0; s < n; ++s) host[s] += static_cast<float>(scratch[s]);
      } else {
        for (int s = 0; s < n; ++s) host[s] = static_cast<float>(scratch[s]);
      }
    }
    done += n;
  }
}

void IPlugBase::ProcessDoubleBuffers(double** inputs, double** outputs, int nFrames) {
  ScopedLock lock(mMutex);
  vrels::ScopedFlushDenormals flush;
  int nIn = mInChannels.Size(), nOut = mOutChannels.Size();
  for (int done = 0; done < nFrames;) {
    int n = std::min(nFrames - done, mBlockSize);
    int cursor = 0;
    for (int i = 0; i < nIn; ++i) {
      InputChannel* channel = mInChannels.Get(i);
      if (!channel->mConnected) continue;
      double* host = inputs ? inputs[cursor] : nullptr;
      if (host) {
        mInData[i] = host + done;
      } else {
        mInData[i] = ScratchOf(channel->mScratch);
        std::memset(mInData[i], 0, sizeof(double) * n);
      }
      ++cursor;
    }
    cursor = 0;
    for (int i = 0; i < nOut; ++i) {
      OutputChannel* channel = mOutChannels.Get(i);
      if (!channel->mConnected) continue;
      double* host = outputs ? outputs[cursor] : nullptr;
      mOutData[i] = host ? host + done : ScratchOf(channel->mScratch);
      ++cursor;
    }
    ProcessBlock(mInData.data(), mOutData.data(), n);
    done += n;
  }
  // Leave no pointer into the host's buffers behind.
  for (int i = 0; i < nIn; ++i) mInData[i] = ScratchOf(mInChannels.Get(i)->mScratch);
  for (int i = 0; i < nOut; ++i) mOutData[i] = ScratchOf(mOutChannels.Get(i)->mScratch);
}

// ---- Parameters ------------------------------------------------------------

IParameter* IPlugBase::AppendParam() {
  IParameter* param = new (std::nothrow) IParameter;
  if (param && !mParams.Append(param)) {
    delete param;
    return nullptr;
  }
  return param;
}

void IPlugBase::SetParameterFromGUI(int paramIdx, double normalized) {
  ScopedLock lock(mMutex);
  IParameter* param = GetParam(paramIdx);
  if (!param) return;
  param->SetFromNormalized(normalized);
  ReportParamToHost(paramIdx, normalized);
  OnParamChanged(paramIdx);
}

void IPlugBase::PushParamToEditor(int paramIdx, double value, bool normalized) {
  if (mpGraphics) mpGraphics->SetParameterFromPlug(paramIdx, value, normalized);
}

bool IPlugBase::GetMidiKeyName(int /*key*/, char* text) {
  if (text) text[0] = '\0';
  return false;
}

void IPlugBase::AttachEditor(IGraphics* graphics) {
  ScopedLock lock(mMutex);
  if (graphics) {
    for (int i = 0; i < NParams(); ++i)
      graphics->SetParameterFromPlug(i, GetParam(i)->CurrentNormalized(), true);
    graphics->PrepareDraw();
  }
  mpGraphics = graphics;
}

// ---- State ------------------------------------------------------------------

bool IPlugBase::SerializeParams(ByteBuffer* chunk) {
  ScopedLock lock(mMutex);
  bool ok = chunk != nullptr;
  for (int i = 0; i < mNumSerializedParams && ok; ++i) {
    WriteLittleEndianDouble(chunk, GetParam(i)->Value(), &ok);
    ok = ok && !chunk->IsEmpty();
  }
  return ok;
}

bool IPlugBase::SaveStateFromValues(ByteBuffer* chunk, const double* values) {
  ScopedLock lock(mMutex);
  bool ok = chunk != nullptr && values != nullptr;
  for (int i = 0; i < mNumSerializedParams && ok; ++i) {
    double value = values[i];
    ParamType type = GetParam(i)->Type();
    if ((type == ParamBool || type == ParamInt || type == ParamEnum) && std::isfinite(value)) {
      value = std::trunc(value);
    }
    WriteLittleEndianDouble(chunk, value, &ok);
  }
  return ok;
}

int IPlugBase::UnserializeParams(const ByteBuffer* chunk, int startPos) {
  ScopedLock lock(mMutex);
  int position = startPos;
  std::size_t size = chunk ? chunk->Size() : 0;
  for (int i = 0; i < mNumSerializedParams && position >= 0; ++i) {
    double value = 0.0;
    if (static_cast<std::size_t>(position) + 8 > size) {
      position = -1;
    } else {
      value = ReadLittleEndianDouble(chunk->Data() + position);
      position += 8;
    }
    GetParam(i)->SetClamped(value);
  }
  for (int i = 0; i < NParams(); ++i) OnParamChanged(i);
  return position;
}

bool IPlugBase::LoadPreset(int index) {
  PresetSlot* slot = mPresets.Get(index);
  if (!slot) return false;
  bool ok;
  if (slot->mInitialised) {
    ok = UnserializeParams(&slot->mChunk, 0) > 0;
  } else {
    slot->mInitialised = true;
    MakeUserPresetName(slot->mName, sizeof(slot->mName));
    ok = SerializeParams(&slot->mChunk);
  }
  if (ok) {
    mCurrentPresetIdx = index;
    RefreshEditorControls();
  }
  return ok;
}

void IPlugBase::StoreCurrentPreset(const char* name) {
  PresetSlot* slot = mPresets.Get(mCurrentPresetIdx);
  if (!slot) return;
  slot->mChunk.Clear();
  SerializeParams(&slot->mChunk);
  if (name && name[0]) CopyText(slot->mName, name);
}

const char* IPlugBase::PresetName(int index) const {
  const PresetSlot* slot = mPresets.Get(index);
  return slot ? slot->mName : "";
}

void IPlugBase::MakeUserPresetName(char* text, int size) const {
  int count = 0;
  for (int i = 0; i < mPresets.Size(); ++i) {
    if (std::strstr(mPresets.Get(i)->mName, kUserPresetName)) ++count;
  }
  std::snprintf(text, size, "%s %d", kUserPresetName, count + 1);
}

void IPlugBase::AddDefaultPresetIfNone() {
  if (mPresets.Size() > 0) return;
  PresetSlot* added = new (std::nothrow) PresetSlot;
  if (!added) return;
  std::snprintf(added->mName, sizeof(added->mName), "- %d -", 1);
  mPresets.Append(added);
  for (int i = 0; i < mPresets.Size(); ++i) {
    PresetSlot* slot = mPresets.Get(i);
    if (slot->mInitialised) continue;
    slot->mInitialised = true;
    CopyText(slot->mName, "Default");
    SerializeParams(&slot->mChunk);
    break;
  }
}

void IPlugBase::RefreshEditorControls() {
  if (!mpGraphics) return;
  for (int i = 0; i < NParams(); ++i) mpGraphics->SetParameterFromPlug(i, GetParam(i)->Value(), false);
}

// ---- Host --------------------------------------------------------------------

void IPlugBase::SetHost(const char* productText, int version) {
  mHostId = LookUpHostId(productText);
  mHostVersion = version;
}
