// One plug-in instance as a host sees it: created through the binary's entry
// point, driven only through the AEffect record (dispatcher, parameter and
// processing callbacks), and answering the plug-in's host callback from its
// HostSettings while recording the calls in a CallLog.
//
// Thread use: the settings and the log may be read and written from any
// thread (the callback runs on whatever thread the plug-in calls from). The
// plug-in-side wrappers may be called from several threads as a real host
// does (an audio thread processing while another sends opcodes); creating and
// closing the instance must not overlap any other call.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "CallLog.h"
#include "HostSettings.h"
#include "VstInterface.h"

namespace testhost {

class Host {
 public:
  explicit Host(const HostSettings& settings = HostSettings());
  // Closes the instance if it is still open.
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Calls `entry` with this host's callback. True when it returned a record
  // with the VST magic; the instance is then this host's until Close.
  bool Instantiate(VstPluginMainProc entry);
  AEffect* Effect() const { return mpEffect; }

  // ---- Host side: what the plug-in is told, and what it asked. ----
  HostSettings Settings() const;
  void SetSettings(const HostSettings& settings);
  void SetProductString(const std::string& text);
  void SetVendorString(const std::string& text);
  void SetVendorVersion(int32_t version);
  void SetHostSampleRate(double rate);
  void SetHostBlockSize(int32_t frames);
  void SetTime(const HostTime& time);
  void SetTimeAvailable(bool available);
  void SetProcessEventsResult(intptr_t result);

  CallLog& Log() { return mLog; }
  const CallLog& Log() const { return mLog; }
  // Called with each callback's opcode after it is logged, on the calling
  // thread (a host reacting to the plug-in from inside its call). Set it
  // while no other thread calls the host.
  void SetCallHook(std::function<void(int32_t opcode)> hook) { mCallHook = std::move(hook); }

  // The answer to one host callback call; public so that the callback
  // trampoline can reach it.
  intptr_t Answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

  // ---- Plug-in side: the AEffect's entries. ----
  // An entry the record leaves null is not called (the processing calls
  // then leave the outputs as they are; getParameter answers 0).
  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);

  void Open();
  // effClose; afterwards the instance is gone and Effect() is null.
  void Close();
  void SetSampleRate(float rate);
  void SetBlockSize(intptr_t frames);
  void SetMainsChanged(bool on);

  void SetParameter(int32_t index, float value);
  float GetParameter(int32_t index);

  void ProcessReplacing(float** inputs, float** outputs, int32_t frames);
  void Process(float** inputs, float** outputs, int32_t frames);  // accumulating
  void ProcessDouble(double** inputs, double** outputs, int32_t frames);
  intptr_t ProcessEvents(VstEvents* events);

  // effGetChunk copied out: empty when the plug-in returns 0. `bank` selects
  // index 0 (bank), otherwise index 1 (program).
  std::vector<uint8_t> GetChunk(bool bank);
  intptr_t SetChunk(const void* data, intptr_t size, bool bank);
  intptr_t SetChunk(const std::vector<uint8_t>& data, bool bank);

  intptr_t SetProgram(int32_t index);
  int32_t GetProgram();
  void SetProgramName(const std::string& name);
  std::string GetProgramName();
  std::string GetProgramNameIndexed(int32_t index);

  std::string GetEffectName();
  std::string GetVendorString();
  std::string GetProductString();
  std::string GetParamName(int32_t index);
  std::string GetParamLabel(int32_t index);
  std::string GetParamDisplay(int32_t index);
  intptr_t CanDo(const char* text);

 private:
  // Runs a text opcode into a zeroed buffer larger than any plug-in text.
  std::string TextOpcode(int32_t opcode, int32_t index);

  mutable std::mutex mSettingsMutex;
  HostSettings mSettings;
  CallLog mLog;
  std::function<void(int32_t opcode)> mCallHook;
  AEffect* mpEffect = nullptr;
};

}  // namespace testhost
