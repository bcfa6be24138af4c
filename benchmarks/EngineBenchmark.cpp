// The whole engine's speed, as a host would see it: blocks of 512 frames at
// 44.1 kHz through processDoubleReplacing on one thread, timed in thread CPU
// time. For each setting it prints the realtime factor (seconds of audio per
// CPU second) and the worst block against the mean once the pools are warm;
// for silence after loud input it prints the mean block time through a
// 60-second silent tail, with the processing call's flush-to-zero mode and,
// for contrast, without it.
//
// Usage: vrels_engine_benchmark [seconds per setting, default 60] [defaults|heavy|tail]
#include <time.h>
#include <xmmintrin.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "EngineRig.h"

namespace {

using namespace enginerig;

// The realtime factor comes from one run timed as a whole. Three more runs
// on fresh instances with the same input time each block: the spread is
// taken from each block's fastest run, which is the engine's own variation
// from block to block without the interrupts and preemptions that a shared
// machine adds to single runs (the worst single block of any run is shown
// for comparison).
void Report(const char* name, const std::function<void(Instance&)>& configure, double seconds) {
  Input input(0.5);
  const int blocks = static_cast<int>(seconds * kRate / kBlock);
  double total;
  {
    Instance instance;
    configure(instance);
    for (int b = 0; b < kWarmBlocks; ++b) instance.Block(input, b);
    const double start = ThreadSeconds();
    for (int b = 0; b < blocks; ++b) instance.Block(input, b);
    total = ThreadSeconds() - start;
  }
  const int runs = 3;
  std::vector<double> fastest(blocks, 1e9);
  double rawWorst = 0, timedTotal = 0;
  for (int run = 0; run < runs; ++run) {
    Instance instance;
    configure(instance);
    for (int b = 0; b < kWarmBlocks; ++b) instance.Block(input, b);
    for (int b = 0; b < blocks; ++b) {
      const double t = instance.TimedBlock(input, b);
      timedTotal += t;
      rawWorst = std::max(rawWorst, t);
      fastest[b] = std::min(fastest[b], t);
    }
  }
  const double mean = total / blocks;
  double fastestTotal = 0;
  for (double t : fastest) fastestTotal += t;
  const double worst = *std::max_element(fastest.begin(), fastest.end());
  std::printf("%-34s %9.1fx %10.2f %14.2f %10.2f us\n", name, blocks * kBlock / double(kRate) / total,
              worst / (fastestTotal / blocks), rawWorst / (timedTotal / runs / blocks), mean * 1e6);
}

// Loud input, then silence: the mean block time of each 10 seconds of the
// silent tail.
void ReportTail(const char* name, bool flush, double seconds) {
  Instance instance;
  instance.Set(kDFbk, 0.9);  // long echoes that decay towards the denormal range
  instance.Set(kDSmooth, 0);
  Input loud(1.0), silence(0.0);
  const unsigned mxcsr = _mm_getcsr();
  if (!flush) _mm_setcsr(mxcsr & ~0x8040u);  // FTZ and DAZ off for the direct calls
  for (int b = 0; b < 5 * kRate / kBlock; ++b) instance.Block(loud, b, flush);
  std::printf("%-34s", name);
  const int perSegment = 10 * kRate / kBlock;
  for (int segment = 0; segment < seconds / 10; ++segment) {
    const double start = ThreadSeconds();
    for (int b = 0; b < perSegment; ++b) instance.Block(silence, b, flush);
    std::printf(" %7.2f", (ThreadSeconds() - start) / perSegment * 1e6);
  }
  std::printf("  us per block\n");
  _mm_setcsr(mxcsr);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::max(10.0, std::atof(argv[1])) : 60.0;
  const char* only = argc > 2 ? argv[2] : nullptr;
  auto wanted = [only](const char* name) { return !only || std::strcmp(only, name) == 0; };
  std::printf("%.0f s of audio per setting, %d-frame blocks at %d Hz, one thread\n\n", seconds, kBlock,
              kRate);
  std::printf("%-34s %10s %10s %14s %13s\n", "setting", "realtime", "worst/mean", "(single runs)",
              "mean block");
  if (wanted("defaults"))
    Report(
        "defaults", [](Instance&) {}, seconds);
  if (wanted("heavy")) {
    Report("heavy (200/200/200, 20 chasers)", ApplyHeavySetting, seconds);
  }
  if (wanted("tail")) {
    std::printf("\nsilence after 5 s of loud input, mean block time per 10 s of the tail:\n");
    ReportTail("with flush-to-zero (host entry)", true, seconds);
    ReportTail("without (engine called directly)", false, seconds);
  }
  return 0;
}
