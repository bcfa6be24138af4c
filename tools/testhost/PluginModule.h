// A plug-in binary loaded into this process: the shared object or DLL, found
// by path, and the lookup of its entry points. Unloading happens when the
// object is destroyed, so every instance created from it must be closed
// before that.
//
// Thread use: Load and the destructor from one thread; FindEntry from any.
#pragma once

#include <memory>
#include <string>

#include "VstInterface.h"

namespace testhost {

class PluginModule {
 public:
  // Loads the binary at `path` (a Unix path is accepted on Windows too, see
  // ToNativePath). Returns null and fills `error` (when given) on failure.
  static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error = nullptr);

  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // The exported function named `symbol` taken as an entry point, or null
  // when the binary does not export it.
  VstPluginMainProc FindEntry(const char* symbol) const;

  // The entry point a host uses: VSTPluginMain, or the older name main when
  // that is the only one. Null when neither is exported.
  VstPluginMainProc Entry() const;

  const std::string& Path() const { return mPath; }
  // The loader's handle: the dlopen handle, or the HMODULE on Windows.
  void* Handle() const { return mpHandle; }

 private:
  PluginModule(void* handle, const std::string& path) : mpHandle(handle), mPath(path) {}

  void* mpHandle;  // dlopen handle or HMODULE
  std::string mPath;
};

}  // namespace testhost
