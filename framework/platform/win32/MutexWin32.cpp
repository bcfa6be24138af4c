#include <windows.h>

#include <new>

#include "../Mutex.h"

namespace vrels {

struct RecursiveMutex::Impl {
  CRITICAL_SECTION mSection;
};

RecursiveMutex::RecursiveMutex() : mpImpl(new (std::nothrow) Impl) {
  if (mpImpl) InitializeCriticalSection(&mpImpl->mSection);
}

RecursiveMutex::~RecursiveMutex() {
  if (!mpImpl) return;
  DeleteCriticalSection(&mpImpl->mSection);
  delete mpImpl;
}

void RecursiveMutex::Lock() {
  if (mpImpl) EnterCriticalSection(&mpImpl->mSection);
}

void RecursiveMutex::Unlock() {
  if (mpImpl) LeaveCriticalSection(&mpImpl->mSection);
}

}  // namespace vrels
