#include "modulation/LfoSine.h"

#include <cmath>

namespace {

const float PI = 3.14159265f;
const float TWO_PI = 6.28318531f;
// A tick never advances the phase by more than 16 samples of a one-sample
// period (about 100 radians). Beyond this the wrap is done by a remainder so
// that no advance, however large, can make the wrap loop run for long.
const float MAX_LOOP_ADVANCE = 1024.0f;

// y = 4/pi x - 4/pi^2 x |x| is a parabola through the sine's zeros and peaks;
// blending it with its own square (weight 0.225) brings it within 0.001 of
// the sine.
const float FOUR_OVER_PI = 1.2732395f;
const float FOUR_OVER_PI_SQUARED = 0.40528473f;
const float PARABOLA_CORRECTION = 0.225f;

}  // namespace

void LfoSine::Tick(int samples) {
  float advance = samples * mStep;
  if (advance > MAX_LOOP_ADVANCE) advance = std::fmod(advance, TWO_PI);
  mPhase = mPhase + advance;
  while (mPhase > PI) mPhase = mPhase - TWO_PI;

  float y = mPhase * FOUR_OVER_PI - std::fabs(mPhase) * mPhase * FOUR_OVER_PI_SQUARED;
  y = (std::fabs(y) * y - y) * PARABOLA_CORRECTION + y;
  // From -1..1 to 0..1.
  float out = (y + 1.0f) * 0.5f;
  mOutput = out < 0.0f ? 0.0f : (out > 1.0f ? 1.0f : out);
}

void LfoSine::Recalc() {
  mStep = TWO_PI / mPeriod;
}

void LfoSine::Rewind() {
  Recalc();
}
