// Creation of one plug-in instance for the exported entry points.
#pragma once

#include <new>

#include "VstInterface.h"
#include "platform/Module.h"

namespace vrels {

// Constructs a plug-in of class Plugin under the process-wide creation lock
// and returns its AEffect record, or null when it cannot be created.
template <class Plugin>
AEffect* CreatePluginInstance(audioMasterCallback host) {
  LockCreation();
  AEffect* effect = nullptr;
  try {
    Plugin* plug = new (std::nothrow) Plugin(host);
    if (plug) {
      plug->AddDefaultPresetIfNone();
      effect = plug->GetAEffect();
      if (effect->numPrograms < 1) effect->numPrograms = 1;
    }
  } catch (...) {
    effect = nullptr;
  }
  UnlockCreation();
  return effect;
}

}  // namespace vrels
