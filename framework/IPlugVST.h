// The VST 2.4 host adapter: fills the AEffect record the host sees, answers
// the dispatcher's opcodes, runs the processing and parameter callbacks, and
// implements the host queries and notifications of the plug-in interface.
//
// Threads: every callback below locks the instance mutex for its whole
// duration (effClose releases it before deleting the instance).
#pragma once

#include "IPlugBase.h"
#include "VstInterface.h"

class IPlugVST : public IPlugBase {
 public:
  // The size of program names handed to hosts (by the letter of the
  // interface; host-set names are kept longer in the slot).
  static const int PROGRAM_NAME_SIZE = kVstMaxProgNameLen;
  static const std::int32_t EFFECT_IDENTITY = 0x4E764566;  // 'NvEf'
  static const intptr_t COCKOS_EXTENSION_ANSWER = 0xBEEF0000;
  static const intptr_t VENDOR_DISPLAY_ANSWER = 0xBEEF;

  IPlugVST(audioMasterCallback host, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* mfrName, int vendorVersion,
           int uniqueID, int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst);
  ~IPlugVST() override;

  AEffect* GetAEffect() { return &mAEffect; }

  void BeginParamEdit(int paramIdx) override;
  void ReportParamToHost(int paramIdx, double normalized) override;
  void EndParamEdit(int paramIdx) override;
  int GetSamplePosition() override;
  double GetHostTempo() override;
  void GetTimeSignature(int* numerator, int* denominator) override;
  void GetTransportInfo(double* samplePos, double* tempo, double* ppqPos, double* barStart, int* numerator,
                        int* denominator, double* cycleStart, double* cycleEnd, bool* playing,
                        bool* cycleActive) override;
  int GetHostId() override;
  void UpdateEditorRect(int width, int height) override;
  void InitForHost() override;
  void AttachEditor(IGraphics* graphics) override;
  void SetInitialDelay(int samples) override;
  bool SendMidiMessage(const MidiMessage& message) override;
  bool SendMidiMessages(const MidiMessage* messages, int count) override;
  // Tells the host the plug-in wants MIDI (before every processing call of a
  // plug-in that takes MIDI).
  void WantMidi();
  // Passes a host event the plug-in does not handle back to the host.
  bool ForwardHostEvent(VstEvent* event);

  // The callbacks installed in the AEffect record.
  static intptr_t VSTCALLBACK VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                            void* ptr, float opt);
  static void VSTCALLBACK VSTProcess(AEffect* effect, float** inputs, float** outputs, int32_t frames);
  static void VSTCALLBACK VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                              int32_t frames);
  static void VSTCALLBACK VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs,
                                                    int32_t frames);
  static float VSTCALLBACK VSTGetParameter(AEffect* effect, int32_t index);
  static void VSTCALLBACK VSTSetParameter(AEffect* effect, int32_t index, float value);

 private:
  // Runs one processing call under the instance mutex, asking the host for
  // MIDI first when the plug-in takes it.
  template <class Processing>
  static void RunProcessing(AEffect* effect, Processing processing);
  intptr_t Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
  // effEditOpen, effEditClose and effEditIdle, without the instance mutex.
  intptr_t DispatchEditor(int32_t opcode, void* ptr);
  intptr_t GetChunk(int32_t index, void* ptr);
  intptr_t SetChunk(int32_t index, intptr_t byteCount, void* ptr);
  intptr_t ProcessEvents(const VstEvents* events);
  intptr_t CanDo(const char* text) const;
  intptr_t GetPinProperties(int32_t index, VstPinProperties* properties, bool input) const;
  void SetSpeakerArrangement(const VstSpeakerArrangement* arrangement, bool input);
  intptr_t CallHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.f);
  VstTimeInfo* GetTimeInfo(intptr_t wantedFlags);
  static void FillArrangement(VstSpeakerArrangement* arrangement, int nChannels);

  audioMasterCallback mHostCallback;
  AEffect mAEffect;
  ERect mEditRect = {};
  VstSpeakerArrangement mInputSpkrArr;
  VstSpeakerArrangement mOutputSpkrArr;
  ByteBuffer mBankState;
  ByteBuffer mState;
  bool mHostSpecificInitDone = false;
};
