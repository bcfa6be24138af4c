#include "PluginModule.h"

#include "NativePath.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace testhost {

namespace {

#if defined(_WIN32)
std::string LastErrorText() {
  return "LoadLibraryA failed, error " + std::to_string(GetLastError());
}
#endif

}  // namespace

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, std::string* error) {
  const std::string native = ToNativePath(path);
#if defined(_WIN32)
  HMODULE handle = LoadLibraryA(native.c_str());
  if (!handle) {
    if (error) *error = LastErrorText() + " for " + native;
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(reinterpret_cast<void*>(handle), path));
#else
  // RTLD_LOCAL: the plug-in's symbols must not leak into the host or into a
  // second plug-in, as in a real host.
  void* handle = dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    if (error) {
      const char* text = dlerror();
      *error = text ? text : "dlopen failed";
    }
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(handle, path));
#endif
}

PluginModule::~PluginModule() {
#if defined(_WIN32)
  FreeLibrary(reinterpret_cast<HMODULE>(mpHandle));
#else
  dlclose(mpHandle);
#endif
}

VstPluginMainProc PluginModule::FindEntry(const char* symbol) const {
#if defined(_WIN32)
  FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(mpHandle), symbol);
  // Through the generic function pointer type, which the compiler accepts
  // as an intermediate for casts between unrelated function types.
  return reinterpret_cast<VstPluginMainProc>(reinterpret_cast<void (*)()>(address));
#else
  return reinterpret_cast<VstPluginMainProc>(dlsym(mpHandle, symbol));
#endif
}

VstPluginMainProc PluginModule::Entry() const {
  VstPluginMainProc entry = FindEntry("VSTPluginMain");
  return entry ? entry : FindEntry("main");
}

}  // namespace testhost
