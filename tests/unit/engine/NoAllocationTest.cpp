// The audio thread never allocates: the operator new of this test program
// counts, and a busy engine whose flock grows and shrinks on every other
// swarm update, with parameters changed between blocks, runs for seconds.
//
// The sanitizer builds keep their own allocators; the count runs elsewhere.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "VrelsPlugin.h"

// These operators replace the library's; the compiler cannot tell that the
// pairs match when it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};

void* Allocate(std::size_t size) {
  if (gCounting) ++gAllocations;
  void* p = std::malloc(size ? size : 1);
  return p;
}
}  // namespace

void* operator new(std::size_t size) {
  void* p = Allocate(size);
  if (!p) throw std::bad_alloc();
  return p;
}
void* operator new[](std::size_t size) {
  void* p = Allocate(size);
  if (!p) throw std::bad_alloc();
  return p;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

void Set(VrelsPlugin& plug, int index, double value) {
  plug.GetParam(index)->Set(value);
  plug.OnParamChanged(index);
}

TEST(AudioThread, ProcessingCountAndShapeChangesAllocateNothing) {
  VrelsPlugin plug(nullptr);
  for (int i = 0; i < plug.NParams(); ++i) plug.OnParamChanged(i);
  Set(plug, kVrCount, 100);
  Set(plug, kVrCountM, 1);  // LFO-1 sweeps the count over the whole range
  Set(plug, kVrCountD, 1);
  Set(plug, kLfo1Rate, 5);
  Set(plug, kChCount, 20);
  Set(plug, kGrnCount, 200);
  Set(plug, kTapCount, 200);
  Set(plug, kGLenS, 0);
  Set(plug, kGLen, 100);
  Set(plug, kGIotS, 0);
  Set(plug, kGIot, 0);
  Set(plug, kGFdbk, 1);
  Set(plug, kDFbk, 0.5);
  Set(plug, kUpdTime, 0.1);

  std::vector<double> inL(512, 0.25), inR(512, -0.25), outL(512), outR(512);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  int mostVrels = 0, fewestVrels = 1000;
  gCounting = true;
  for (int block = 0; block < 400; ++block) {
    plug.ProcessBlock(in, out, 512);
    mostVrels = std::max(mostVrels, plug.GetSwarm().mNumVrels);
    fewestVrels = std::min(fewestVrels, plug.GetSwarm().mNumVrels);
    if (block % 50 == 25) {
      Set(plug, kGrnCount, 1 + block % 200);  // automation between blocks
      Set(plug, kTapCount, 200 - block % 150);
      Set(plug, kLfo2Shap, block / 50 % NUM_LFO_SHAPES);  // every shape in turn
    }
  }
  gCounting = false;
  EXPECT_EQ(0, gAllocations.load());
  EXPECT_GT(mostVrels, 150);  // the flock really swept its range
  EXPECT_LT(fewestVrels, 50);
}

}  // namespace

#endif
