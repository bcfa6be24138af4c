// One delay tap's reading of the two delay lines for a chunk: a linearly
// interpolated read at a fixed delay behind each line's write position,
// panned into the delay sums and scaled into the feedback sums.
//
// Called by the processing loop once per tap and chunk, on the audio thread
// under the instance mutex. Reads only; no allocation.
#pragma once

#include "engine/AudioRing.h"

struct TapMix {
  double mPan = 0.5;       // 0 is left: the left line is weighted 1 - pan, the right pan
  double mFeedback = 0.0;  // weight of both lines in the feedback sums
};

// The most samples a tap reads behind the write position; longer delays
// (only absurd sample rates give them) are held here. The ring repeats
// every RING_LENGTH samples, so this is about reading a defined slot, not
// about what is heard.
const double MAX_TAP_DELAY = 1 << 30;

// Adds, for k = 0..frames-1, the lines' values at k - delay relative to
// their write indexes (where sample 0 of the chunk will be written) into the
// sums. A delay shorter than k reads what the slot held one ring length
// earlier. The delay must lie within 0..MAX_TAP_DELAY.
void ReadTap(const DelayLine lines[2], double delay, const TapMix& mix, int frames, double* delayLeft,
             double* delayRight, double* feedbackLeft, double* feedbackRight);
