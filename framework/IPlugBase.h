// The plug-in base: parameters, preset slots and state serialisation, channel
// configurations and channel buffers, host identity, and the virtual
// interface through which the host adapter calls into the plug-in.
//
// Threads: the host's GUI thread (dispatcher, parameter calls, editor) and
// its audio thread (processing) both enter an instance; every entry holds the
// instance's re-entrant mutex, so the two never overlap. Change handlers
// (OnParamChanged) therefore always run under the mutex. The one exception
// is OnVendorRequest, which takes the mutex itself where it needs it.
#pragma once

#include <cstdint>
#include <vector>

#include "ByteBuffer.h"
#include "HostId.h"
#include "IParameter.h"
#include "MidiMessage.h"
#include "PointerList.h"
#include "platform/Mutex.h"

class IGraphics;

struct ChannelConfig {
  int mNumInputs;
  int mNumOutputs;
};

struct PresetSlot {
  static const int NAME_SIZE = 256;  // room for 255 characters
  bool mInitialised = false;
  char mName[NAME_SIZE] = {};
  ByteBuffer mChunk;  // the slot's values: one double per serialised parameter
};

const int MAX_EFFECT_NAME_LEN = 128;
// The largest block a host may announce. A request above it is refused like
// one that cannot be allocated; longer processing calls are handled in slices.
const int MAX_BLOCK_SIZE = 1 << 20;

class IPlugBase {
 public:
  // The chunk header: magic and format version, both little-endian 32-bit.
  static const std::uint32_t CHUNK_MAGIC = 0x70666674;
  static const std::uint32_t CHUNK_VERSION = 0x00010000;

  IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID, int mfrID,
            int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst);
  virtual ~IPlugBase();
  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // ---- The plug-in's virtual interface -----------------------------------
  virtual void OnReset() {}
  virtual void OnParamChanged(int /*paramIdx*/) {}
  // Copies each input to the output of the same index; zeros other outputs.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  virtual void OnEditorOpened() {}
  virtual void OnEditorClosing() {}
  virtual void OnMainsChanged(bool /*on*/) {}
  // Default: passes the message back to the host.
  virtual void OnMidiMessage(const MidiMessage& message) { SendMidiMessage(message); }
  // A host request through the vendor-specific opcode that the framework
  // does not answer itself; 0 means "not understood". Called on the host's
  // thread WITHOUT the instance mutex (a request may draw the editor, which
  // the audio thread must not wait for): an override takes the mutex for
  // whatever touches the plug-in's state.
  virtual intptr_t OnVendorRequest(int32_t /*index*/, intptr_t /*value*/, void* /*ptr*/, float /*opt*/) {
    return 0;
  }
  virtual bool GetMidiKeyName(int key, char* text);
  virtual bool SaveState(ByteBuffer* chunk) { return SerializeParams(chunk); }
  virtual int LoadState(const ByteBuffer* chunk, int startPos) { return UnserializeParams(chunk, startPos); }
  virtual bool SaveStateFromValues(ByteBuffer* chunk, const double* values);
  virtual void BeginParamEdit(int paramIdx) = 0;
  virtual void ReportParamToHost(int paramIdx, double normalized) = 0;
  virtual void EndParamEdit(int paramIdx) = 0;
  virtual int GetSamplePosition() = 0;
  virtual double GetHostTempo() = 0;
  virtual void GetTimeSignature(int* numerator, int* denominator) = 0;
  virtual void GetTransportInfo(double* samplePos, double* tempo, double* ppqPos, double* barStart,
                                int* numerator, int* denominator, double* cycleStart, double* cycleEnd,
                                bool* playing, bool* cycleActive) = 0;
  virtual int GetHostId() { return mHostId; }
  virtual void UpdateEditorRect(int width, int height) = 0;
  virtual void InitForHost() = 0;
  // Takes ownership of the editor's graphics object.
  virtual void AttachEditor(IGraphics* graphics);
  virtual void SetBlockSize(int nFrames);
  virtual void SetInitialDelay(int samples) { mLatency = samples; }
  virtual bool SendMidiMessage(const MidiMessage& message) = 0;
  virtual bool SendMidiMessages(const MidiMessage* messages, int count) = 0;

  // ---- Parameters ---------------------------------------------------------
  int NParams() const { return mParams.Size(); }
  // Parameters that are announced to the host and stored in state chunks.
  int NSerializedParams() const { return mNumSerializedParams; }
  IParameter* GetParam(int paramIdx) const { return mParams.Get(paramIdx); }
  // Appends a record beyond the host-visible ones; null when out of memory.
  IParameter* AppendParam();
  // An editor control writes a normalised value: stored, reported to the
  // host as automation, then handled.
  void SetParameterFromGUI(int paramIdx, double normalized);

  // ---- Programs and state -------------------------------------------------
  bool SerializeParams(ByteBuffer* chunk);
  int UnserializeParams(const ByteBuffer* chunk, int startPos);
  bool LoadPreset(int index);
  void StoreCurrentPreset(const char* name = nullptr);
  const char* PresetName(int index) const;
  void MakeUserPresetName(char* text, int size) const;
  void AddDefaultPresetIfNone();
  void RefreshEditorControls();
  int NPresets() const { return mPresets.Size(); }
  int CurrentPresetIdx() const { return mCurrentPresetIdx; }
  bool DoesStateChunks() const { return mStateChunks; }

  // ---- Channels -----------------------------------------------------------
  int NInChannels() const { return mInChannels.Size(); }
  int NOutChannels() const { return mOutChannels.Size(); }
  bool LegalIO(int nIn, int nOut) const;
  void SetInputChannelConnections(int first, int count, bool connected);
  void SetOutputChannelConnections(int first, int count, bool connected);
  bool IsInChannelConnected(int channel) const;
  bool IsOutChannelConnected(int channel) const;

  // ---- Host and timing ----------------------------------------------------
  void SetHost(const char* productText, int version);
  int HostVersion() const { return mHostVersion; }
  double GetSampleRate() const { return mSampleRate; }
  int GetBlockSize() const { return mBlockSize; }
  int GetLatency() const { return mLatency; }
  bool IsInstrument() const { return mIsInstrument; }
  bool DoesMidi() const { return mDoesMidi; }
  const char* EffectName() const { return mEffectName; }
  const char* ProductName() const { return mProductName; }
  const char* MfrName() const { return mMfrName; }
  int UniqueID() const { return mUniqueID; }
  int MfrID() const { return mMfrID; }
  int VendorVersion() const { return mVersion; }
  IGraphics* GetGUI() const { return mpGraphics; }

  vrels::RecursiveMutex& Mutex() { return mMutex; }

 protected:
  // Processing entries for the host adapter: they lock, flush denormals for
  // the call and run ProcessBlock in slices of at most the block size.
  void ProcessFloatBuffers(float** inputs, float** outputs, int nFrames, bool accumulate);
  void ProcessDoubleBuffers(double** inputs, double** outputs, int nFrames);

  // A rate that is not a positive finite number is ignored; true when taken.
  bool SetSampleRate(double sampleRate);
  // Resizes every scratch buffer; false (and nothing changed) for a size that
  // is not positive, too large or cannot be allocated.
  bool TrySetBlockSize(int nFrames);

  // Host-specific channel set-up (adds a 2-2 configuration for hosts that
  // need one when the plug-in has no channels at all).
  void AddStereoChannelsForHost();
  void SetHostIdValue(int id) { mHostId = id; }
  int StoredHostId() const { return mHostId; }

  void PushParamToEditor(int paramIdx, double value, bool normalized);

 private:
  struct InputChannel {
    bool mConnected = false;
    ByteBuffer mScratch;
  };
  struct OutputChannel {
    bool mConnected = false;
    float* mpHostFloat = nullptr;
    ByteBuffer mScratch;
  };

  static double* ScratchOf(ByteBuffer& buffer) { return reinterpret_cast<double*>(buffer.Data()); }
  bool AddChannelRecords(int nIn, int nOut);
  void ParseChannelConfigs(const char* channelIOStr);

  PointerList<IParameter> mParams;
  int mNumSerializedParams;
  PointerList<PresetSlot> mPresets;
  int mCurrentPresetIdx = 0;

  PointerList<ChannelConfig> mChannelConfigs;
  PointerList<InputChannel> mInChannels;
  PointerList<OutputChannel> mOutChannels;
  // The pointer arrays ProcessBlock receives, one slot per channel.
  std::vector<double*> mInData;
  std::vector<double*> mOutData;

  char mEffectName[MAX_EFFECT_NAME_LEN] = {};
  char mProductName[MAX_EFFECT_NAME_LEN] = {};
  char mMfrName[MAX_EFFECT_NAME_LEN] = {};
  int mUniqueID;
  int mMfrID;
  int mVersion;
  int mLatency;
  bool mDoesMidi;
  bool mStateChunks;
  bool mIsInstrument;
  int mHostId = kHostUninit;
  int mHostVersion = 0;
  double mSampleRate = 44100.0;
  int mBlockSize = 0;
  IGraphics* mpGraphics = nullptr;

  vrels::RecursiveMutex mMutex;
};
