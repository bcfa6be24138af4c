// The library's load and unload notification. Linked into the plug-in DLL
// itself (not the core library) so that the loader finds it.
#include <windows.h>

#include "ModuleWin32.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  vrels::RecordModuleHandle(instance);
  // The creation lock lives as long as the library is loaded.
  if (reason == DLL_PROCESS_DETACH) vrels::ReleaseModuleState();
  return TRUE;
}
