#include <pthread.h>

#include <new>

#include "../Mutex.h"

namespace vrels {

struct RecursiveMutex::Impl {
  pthread_mutex_t mMutex;
};

RecursiveMutex::RecursiveMutex() : mpImpl(new (std::nothrow) Impl) {
  if (!mpImpl) return;
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&mpImpl->mMutex, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

RecursiveMutex::~RecursiveMutex() {
  if (!mpImpl) return;
  pthread_mutex_destroy(&mpImpl->mMutex);
  delete mpImpl;
}

void RecursiveMutex::Lock() {
  if (mpImpl) pthread_mutex_lock(&mpImpl->mMutex);
}

void RecursiveMutex::Unlock() {
  if (mpImpl) pthread_mutex_unlock(&mpImpl->mMutex);
}

}  // namespace vrels
