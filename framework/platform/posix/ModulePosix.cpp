#include <dlfcn.h>
#include <pthread.h>

#include <cstring>

#include "../Module.h"
#include "../Mutex.h"

namespace vrels {

namespace {
// Created once, on first use; its destructor runs when the library is
// unloaded (or the program exits).
RecursiveMutex* CreationMutex() {
  static RecursiveMutex sMutex;
  return &sMutex;
}
}  // namespace

void* ModuleHandle() {
  return nullptr;
}

bool ModuleFileName(char* buffer, std::size_t size) {
  if (!buffer || size == 0) return false;
  buffer[0] = '\0';
  Dl_info info;
  if (!dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) || !info.dli_fname) return false;
  std::size_t n = std::strlen(info.dli_fname);
  if (n + 1 > size) return false;
  std::memcpy(buffer, info.dli_fname, n + 1);
  return true;
}

void LockCreation() {
  CreationMutex()->Lock();
}
void UnlockCreation() {
  CreationMutex()->Unlock();
}

}  // namespace vrels
