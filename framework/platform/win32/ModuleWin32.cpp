#include "ModuleWin32.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "../Module.h"
#include "../Mutex.h"

namespace vrels {

namespace {
HINSTANCE sModule = nullptr;
INIT_ONCE sCreationOnce = INIT_ONCE_STATIC_INIT;
RecursiveMutex* sCreationMutex = nullptr;

BOOL CALLBACK CreateCreationMutex(PINIT_ONCE, PVOID, PVOID*) {
  sCreationMutex = new (std::nothrow) RecursiveMutex;
  return TRUE;
}
}  // namespace

void RecordModuleHandle(void* module) {
  sModule = static_cast<HINSTANCE>(module);
}

void ReleaseModuleState() {
  delete sCreationMutex;
  sCreationMutex = nullptr;
}

void* ModuleHandle() {
  return sModule;
}

bool ModuleFileName(char* buffer, std::size_t size) {
  if (!buffer || size == 0) return false;
  buffer[0] = '\0';
  HMODULE module = sModule;
  if (!module) {
    // Linked into a program rather than loaded as a library: the module that
    // holds this function.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleFileName), &module);
  }
  DWORD capacity = size > 0x7fffffff ? 0x7fffffff : static_cast<DWORD>(size);
  DWORD n = GetModuleFileNameA(module, buffer, capacity);
  if (n == 0 || n >= capacity) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

void LockCreation() {
  InitOnceExecuteOnce(&sCreationOnce, CreateCreationMutex, nullptr, nullptr);
  if (sCreationMutex) sCreationMutex->Lock();
}

void UnlockCreation() {
  if (sCreationMutex) sCreationMutex->Unlock();
}

}  // namespace vrels
