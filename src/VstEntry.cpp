// The library's exported entry points. Hosts look for VSTPluginMain; older
// ones for main, which behaves identically.
#include "PluginEntry.h"
#include "VrelsPlugin.h"

#if defined(_WIN32)
#define VRELS_EXPORT
#else
#define VRELS_EXPORT __attribute__((visibility("default")))
#endif

extern "C" VRELS_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
  return vrels::CreatePluginInstance<VrelsPlugin>(host);
}

// C++ reserves the name main, so the second entry point is defined under
// another name and exported as "main": on Windows by the module-definition
// file, elsewhere by an assembler-level name.
#if defined(_WIN32)
extern "C" AEffect* VSTCALLBACK VSTPluginMainAlias(audioMasterCallback host);
#else
extern "C" VRELS_EXPORT AEffect* VSTPluginMainAlias(audioMasterCallback host) __asm__("main");
#endif

extern "C" AEffect* VSTCALLBACK VSTPluginMainAlias(audioMasterCallback host) {
  return VSTPluginMain(host);
}
