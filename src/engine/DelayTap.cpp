#include "engine/DelayTap.h"

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

// ReadLine for both lines at once, when they share their write index.
void ReadBothLines(const double* __restrict left, const double* __restrict right, int start, double fraction,
                   const TapMix& mix, int frames, double* __restrict delayLeft, double* __restrict delayRight,
                   double* __restrict feedbackLeft, double* __restrict feedbackRight) {
  const double gainLeft = 1 - mix.mPan, gainRight = mix.mPan, feedback = mix.mFeedback;
  int k = 0;
  while (k < frames) {
    const int index = (start + k) & AudioRing::RING_MASK;
    const int run = std::min(frames - k, AudioRing::RING_MASK - index);
    if (run == 0) {
      const double l = left[index] + (left[0] - left[index]) * fraction;
      const double r = right[index] + (right[0] - right[index]) * fraction;
      delayLeft[k] += l * gainLeft;
      delayRight[k] += r * gainRight;
      feedbackLeft[k] += l * feedback;
      feedbackRight[k] += r * feedback;
      ++k;
      continue;
    }
    const double* l = left + index;
    const double* r = right + index;
    for (int j = 0; j < run; ++j) {
      const double xl = l[j] + (l[j + 1] - l[j]) * fraction;
      const double xr = r[j] + (r[j + 1] - r[j]) * fraction;
      delayLeft[k + j] += xl * gainLeft;
      delayRight[k + j] += xr * gainRight;
      feedbackLeft[k + j] += xl * feedback;
      feedbackRight[k + j] += xr * feedback;
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
  if (lines[0].mWriteIndex == lines[1].mWriteIndex) {
    // The lines advance together: one pass reads both.
    ReadBothLines(lines[0].mpSamples, lines[1].mpSamples, lines[0].mWriteIndex + whole, fraction, mix, frames,
                  delayLeft, delayRight, feedbackLeft, feedbackRight);
    return;
  }
  ReadLine(lines[0].mpSamples, lines[0].mWriteIndex + whole, fraction, 1 - mix.mPan, mix.mFeedback, frames,
           delayLeft, feedbackLeft);
  ReadLine(lines[1].mpSamples, lines[1].mWriteIndex + whole, fraction, mix.mPan, mix.mFeedback, frames,
           delayRight, feedbackRight);
}
