#include "DelayTap.h"

#include <algorithm>

namespace {
// Adds one line's interpolated reads, starting at ring slot `start`, into a
// delay sum and a feedback sum. The reads are split where the ring wraps, so
// that the loop body runs over contiguous memory.
void ReadLine(const double* ring, int start, double fraction, double gain, double feedback, int frames,
              double* sum, double* feedbackSum) {
  int k = 0;
  while (k < frames) {
    const int index = (start + k) & AudioRing::RING_MASK;
    // Both neighbours must lie before the ring's end.
    const int run = std::min(frames - k, AudioRing::RING_MASK - index);
    if (run == 0) {
      const double a = ring[index];
      const double x = a + (ring[0] - a) * fraction;
      sum[k] += x * gain;
      feedbackSum[k] += x * feedback;
      ++k;
      continue;
    }
    const double* from = ring + index;
    double* to = sum + k;
    double* feedbackTo = feedbackSum + k;
    for (int j = 0; j < run; ++j) {
      const double x = from[j] + (from[j + 1] - from[j]) * fraction;
      to[j] += x * gain;
      feedbackTo[j] += x * feedback;
    }
    k += run;
  }
}
}  // namespace

void ReadTap(const DelayLine lines[2], double delay, const TapMix& mix, int frames, double* delayLeft,
             double* delayRight, double* feedbackLeft, double* feedbackRight) {
  // Sample k reads at k - delay: the same fraction for the whole chunk, and
  // whole-sample positions that advance by one per sample.
  const double position = -delay;
  int whole = static_cast<int>(position);
  if (position < whole) --whole;
  const double fraction = position - whole;
  ReadLine(lines[0].mpSamples.get(), lines[0].mWriteIndex + whole, fraction, 1 - mix.mPan, mix.mFeedback,
           frames, delayLeft, feedbackLeft);
  ReadLine(lines[1].mpSamples.get(), lines[1].mWriteIndex + whole, fraction, mix.mPan, mix.mFeedback, frames,
           delayRight, feedbackRight);
}
