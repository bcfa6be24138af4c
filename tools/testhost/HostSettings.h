// What the host tells a plug-in when asked: its identity, the audio set-up
// and the transport. A plain record; Host keeps one per instance and answers
// the callback from it.
#pragma once

#include <cstdint>
#include <string>

#include "VstInterface.h"

namespace testhost {

// The transport the host reports through audioMasterGetTime.
struct HostTime {
  bool available = true;  // false: audioMasterGetTime answers 0 (no time info)
  double samplePos = 0.0;
  double ppqPos = 0.0;
  double tempo = 120.0;
  double barStartPos = 0.0;
  double cycleStartPos = 0.0;
  double cycleEndPos = 0.0;
  int32_t timeSigNumerator = 4;
  int32_t timeSigDenominator = 4;
  int32_t flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
};

struct HostSettings {
  // Answered to audioMasterGetProductString, audioMasterGetVendorString and
  // audioMasterGetVendorVersion (decimal form major*10000 + minor*100 + rev).
  std::string productString = "Vrels Test Host";
  std::string vendorString = "Quillmarsh";
  int32_t vendorVersion = 10000;

  // Answered to audioMasterGetSampleRate and audioMasterGetBlockSize, and the
  // sample rate of the time record.
  double sampleRate = 44100.0;
  int32_t blockSize = 1024;

  HostTime time;

  // Returned from audioMasterProcessEvents; anything but 1 means the host
  // rejected the events.
  intptr_t processEventsResult = 1;
};

}  // namespace testhost
