#include "VrelsPlugin.h"

namespace {
const char* const kChannelConfigs = "1-1 2-2";
const char* const kEffectName = "Vrels";
const char* const kProductName = "";
const char* const kMakerName = "Quillmarsh";
const int kVersion = 0x00010000;       // 1.0.0
const int kUniqueId = 0x716C5672;      // 'qlVr'
const int kMakerId = 0x716C6D68;       // 'qlmh'
const int kLatency = 0;
const bool kDoesMidi = false;
const bool kDoesChunks = true;
const bool kIsInstrument = false;
}  // namespace

VrelsPlugin::VrelsPlugin(audioMasterCallback host)
    : IPlugVST(host, NUM_HOST_PARAMS, kChannelConfigs, NUM_PRESETS, kEffectName, kProductName, kMakerName,
               kVersion, kUniqueId, kMakerId, kLatency, kDoesMidi, kDoesChunks, kIsInstrument) {}

VrelsPlugin::~VrelsPlugin() {}
