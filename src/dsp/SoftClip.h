// The soft clipper on the grain sums, the outputs and the delay-line inputs.
//
// Below the threshold a sample passes unchanged; between the threshold and
// full scale it bends over smoothly; from full scale on it is held at the
// midpoint of the two. The curve is continuous at both joints and stays
// within 0.95 in magnitude, so nothing that passes it can run away in the
// feedback paths; a NaN comes out as 0.95.
//
// Called per sample by VrelsPlugin's processing loop on the audio thread.
#pragma once

const double SOFT_CLIP_THRESHOLD = 0.9;
// How sharply the curve bends between the threshold and full scale.
const double SOFT_CLIP_KNEE = 100.0;
// The held value from full scale on: the midpoint of threshold and 1.
const double SOFT_CLIP_LIMIT = (SOFT_CLIP_THRESHOLD + 1) / 2;

inline double SoftClip(double x) {
  double magnitude = x < 0 ? -x : x;
  if (magnitude < SOFT_CLIP_THRESHOLD) return x;
  double y;
  if (magnitude < 1) {
    double d = magnitude - SOFT_CLIP_THRESHOLD;
    y = SOFT_CLIP_THRESHOLD + d / (1 + SOFT_CLIP_KNEE * d * d);
    // The bend peaks at the held value just below full scale, where the
    // sum can round one unit in the last place above it.
    if (y > SOFT_CLIP_LIMIT) y = SOFT_CLIP_LIMIT;
  } else {
    y = SOFT_CLIP_LIMIT;
  }
  return x < 0 ? -y : y;
}
