// What the engine benchmarks share: the block size and rate, a second of
// fixed noise, and one plug-in instance opened as a host opens it, with the
// heavy setting (200 vrels, streams and taps, 20 chasers, 100 ms grains back
// to back, both feedbacks on, every grain and tap parameter on a vrel
// source).
#pragma once

#include <time.h>

#include <utility>
#include <vector>

#include "VrelsPlugin.h"

namespace enginerig {

const int kRate = 44100;
const int kBlock = 512;
// Blocks before timing starts: the flock, the streams and the grain pool
// reach their working size.
const int kWarmBlocks = 200;

inline double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

// A second of noise from a fixed generator (or silence), made before any
// timing; blocks cycle through it.
class Input {
 public:
  explicit Input(double amplitude) : mLeft(kRate), mRight(kRate) {
    unsigned state = 1;
    for (int i = 0; i < kRate; ++i) {
      state = state * 1664525u + 1013904223u;
      mLeft[i] = amplitude * (static_cast<int>(state >> 16) - 32768) / 32768.0;
      state = state * 1664525u + 1013904223u;
      mRight[i] = amplitude * (static_cast<int>(state >> 16) - 32768) / 32768.0;
    }
  }
  double* Left(int block) { return mLeft.data() + Offset(block); }
  double* Right(int block) { return mRight.data() + Offset(block); }

 private:
  static int Offset(int block) { return (block * kBlock) % (kRate - kBlock); }
  std::vector<double> mLeft, mRight;
};

// One plug-in instance opened as a host opens it.
class Instance {
 public:
  Instance() : mPlug(new VrelsPlugin(nullptr)), mEffect(mPlug->GetAEffect()) {
    mEffect->dispatcher(mEffect, effOpen, 0, 0, nullptr, 0.0f);
    mEffect->dispatcher(mEffect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    mEffect->dispatcher(mEffect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
    mEffect->dispatcher(mEffect, effMainsChanged, 0, 1, nullptr, 0.0f);
  }
  ~Instance() { mEffect->dispatcher(mEffect, effClose, 0, 0, nullptr, 0.0f); }
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  VrelsPlugin* Plug() const { return mPlug; }

  void Set(int index, double value) {
    mPlug->GetParam(index)->Set(value);
    mPlug->OnParamChanged(index);
  }

  // One block through the host's entry (which flushes denormals for the
  // call), or straight into the engine with the caller's floating-point mode.
  void Block(Input& input, int block, bool throughHostEntry = true) {
    double* in[2] = {input.Left(block), input.Right(block)};
    double* out[2] = {mOut[0].data(), mOut[1].data()};
    if (throughHostEntry) {
      mEffect->processDoubleReplacing(mEffect, in, out, kBlock);
    } else {
      mPlug->ProcessBlock(in, out, kBlock);
    }
  }
  // The same, timed.
  double TimedBlock(Input& input, int block, bool throughHostEntry = true) {
    const double start = ThreadSeconds();
    Block(input, block, throughHostEntry);
    return ThreadSeconds() - start;
  }

 private:
  VrelsPlugin* mPlug;  // owned by the effect record, deleted by effClose
  AEffect* mEffect;
  std::vector<double> mOut[2] = {std::vector<double>(kBlock), std::vector<double>(kBlock)};
};

inline void ApplyHeavySetting(Instance& heavy) {
  const std::pair<int, double> settings[] = {
      {kVrCount, 200}, {kGrnCount, 200}, {kTapCount, 200}, {kChCount, 20},  {kGLenS, 0},    {kGLen, 100},
      {kGIotS, 0},     {kGIot, 0},       {kGFdbk, 1},      {kDFbk, 0.5},    {kGLenM, 6},    {kGLenD, 0.3},
      {kGIotM, 7},     {kGIotD, 0.3},    {kGXposeM, 8},    {kGXposeD, 0.5}, {kGDelayM, 12}, {kGDelayD, 0.5},
      {kGSrcM, 9},     {kGSrcD, 1},      {kGPanM, 6},      {kGPanD, 1},     {kGAmplM, 10},  {kGAmplD, 0.5},
      {kGDirM, 11},    {kGDirD, 0.5},    {kGFdbkM, 13},    {kGFdbkD, 0.5},  {kDTimeM, 12},  {kDTimeD, 0.5},
      {kDPanM, 6},     {kDPanD, 1},      {kDFbkM, 7},      {kDFbkD, 0.5}};
  for (const auto& setting : settings) heavy.Set(setting.first, setting.second);
}

}  // namespace enginerig
