#include <windows.h>

#include "../Module.h"
#include "../Resources.h"

namespace vrels {

bool FindPngResource(int id, const void** bytes, std::size_t* size) {
  if (!bytes || !size || id <= 0 || id > 0xffff) return false;
  HMODULE module = static_cast<HMODULE>(ModuleHandle());
  if (!module) {
    // Linked into a program rather than loaded as a library: the module that
    // holds this function (the program, which then carries the resources).
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&FindPngResource), &module);
  }
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
  if (!resource) return false;
  DWORD length = SizeofResource(module, resource);
  HGLOBAL handle = LoadResource(module, resource);
  if (!handle) return false;
  const void* data = LockResource(handle);
  if (!data) return false;
  *bytes = data;
  *size = length;
  return true;
}

}  // namespace vrels
