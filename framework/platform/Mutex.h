// A re-entrant mutex: the same thread may lock it again while it holds it.
// Each plug-in instance owns one; the creation lock is another. Implemented
// with a critical section on Windows and a recursive pthread mutex elsewhere.
#pragma once

namespace vrels {

class RecursiveMutex {
 public:
  RecursiveMutex();
  ~RecursiveMutex();
  RecursiveMutex(const RecursiveMutex&) = delete;
  RecursiveMutex& operator=(const RecursiveMutex&) = delete;

  void Lock();
  void Unlock();

 private:
  struct Impl;
  Impl* mpImpl;
};

class ScopedLock {
 public:
  explicit ScopedLock(RecursiveMutex& mutex) : mMutex(mutex) { mMutex.Lock(); }
  ~ScopedLock() { mMutex.Unlock(); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  RecursiveMutex& mMutex;
};

}  // namespace vrels
