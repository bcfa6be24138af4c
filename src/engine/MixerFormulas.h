// The mixer's conversions: level parameters in decibels to linear gains,
// the tap smoothing coefficient and the per-chunk glide of a tap's delay,
// and the feedback gain that keeps many taps from piling up.
//
// Called by the parameter handlers (gains, smoothing coefficient) and by the
// processing loop once per block or chunk (tap gain, tap delay). Pure
// functions: no state, no allocation.
#pragma once

#include "dsp/PortableMath.h"
#include "dsp/TimeUnits.h"

// Level parameters range from -120 dB, which means silence, to +24 dB.
const double MIN_LEVEL_DB = -120.0;
const double DB_PER_AMPLITUDE_DECADE = 20.0;
// The smoothing coefficient stays just below 1 so that a tap always moves.
const double MAX_TAP_SMOOTHING = 0.999999;
// The feedback of T taps is scaled by 1.1508 T^-0.8895, at most 1 (which
// T = 1 reaches): about 0.621 for 2 taps, 0.148 for 10.
const double TAP_GAIN_SCALE = 1.1508;
const double TAP_GAIN_EXPONENT = -0.8895;

// 10^(dB / 20) above -120 dB, exactly 0 at and below it.
inline double GainFromDecibels(double db) {
  if (db > MIN_LEVEL_DB) return PortableMath::Pow10(db / DB_PER_AMPLITUDE_DECADE);
  return 0.0;
}

// DSmooth (0..0.999999) to the coefficient of the tap delay's glide:
// squared from the top so that the knob's upper range is finely resolved.
inline double TapSmoothingFromParam(double v) {
  return (1 - (1 - v) * (1 - v)) * MAX_TAP_SMOOTHING;
}

// One chunk's step of a tap's delay (samples) towards the set time (ms,
// converted with sampleRate / 1000), in two parts: the share of the set
// time, which stays the same while the time does, and the glide itself.
inline double TapGlideTarget(double timeMs, double sampleRate, double smoothing) {
  return timeMs * sampleRate / MS_PER_SECOND * (1 - smoothing);
}
inline double GlideTapDelay(double target, double smoothing, double previous) {
  return target + smoothing * previous;
}
inline double SmoothTapDelay(double timeMs, double sampleRate, double smoothing, double previous) {
  return GlideTapDelay(TapGlideTarget(timeMs, sampleRate, smoothing), smoothing, previous);
}

// The feedback gain for a number of taps; 1 for no taps.
inline double TapFeedbackGain(int taps) {
  if (taps <= 0) return 1.0;
  double g = TAP_GAIN_SCALE * PortableMath::Pow(taps, TAP_GAIN_EXPONENT);
  return g < 1.0 ? g : 1.0;
}
