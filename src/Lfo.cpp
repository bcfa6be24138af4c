#include "Lfo.h"

#include <new>

#include "LfoRandom.h"
#include "LfoSampleAndHold.h"
#include "LfoSine.h"
#include "LfoSquare.h"
#include "LfoTriangle.h"

namespace {

// Each shape's fixed skew and starting rate. The random shapes ignore both.
struct ShapeDefaults {
  float mSkew;
  float mRate;  // Hz
};

const ShapeDefaults SHAPE_DEFAULTS[NUM_LFO_SHAPES] = {
    {0.5f, 1.0f},  // Sine
    {0.5f, 1.0f},  // Tri: rises for half the period
    {0.0f, 1.0f},  // Ramp Dn: falls for the whole period
    {1.0f, 1.0f},  // Ramp Up: rises for the whole period
    {0.5f, 1.0f},  // Square: low for half the period
    {0.0f, 0.0f},  // Random
    {0.0f, 0.0f},  // SampHold
};

}  // namespace

std::unique_ptr<Lfo> Lfo::Create(int shape) {
  if (shape < 0 || shape >= NUM_LFO_SHAPES) shape = LFO_RANDOM;
  const ShapeDefaults& defaults = SHAPE_DEFAULTS[shape];
  std::unique_ptr<Lfo> lfo;
  switch (shape) {
    case LFO_SINE:
      lfo.reset(new (std::nothrow) LfoSine(shape, defaults.mSkew, defaults.mRate));
      break;
    case LFO_TRIANGLE:
    case LFO_RAMP_DOWN:
    case LFO_RAMP_UP:
      lfo.reset(new (std::nothrow) LfoTriangle(shape, defaults.mSkew, defaults.mRate));
      break;
    case LFO_SQUARE:
      lfo.reset(new (std::nothrow) LfoSquare(shape, defaults.mSkew, defaults.mRate));
      break;
    case LFO_SAMPLE_AND_HOLD:
      lfo.reset(new (std::nothrow) LfoSampleAndHold(shape, defaults.mSkew, defaults.mRate));
      break;
    default:
      lfo.reset(new (std::nothrow) LfoRandom(shape, defaults.mSkew, defaults.mRate));
      break;
  }
  // Derive the timing of the period of 1 (the random shapes have none to derive).
  if (lfo) {
    lfo->Recalc();
    lfo->Rewind();
  }
  return lfo;
}

void Lfo::UpdatePeriod() {
  // Single precision, as the fields are: 44100 / 0.3f gives 147000, not 146999.
  float divisor = mRate > 0.0f ? mRate : mSampleRate;
  float samples = mSampleRate / divisor;
  // The negated test also catches 0 / 0 (no sample rate yet).
  if (!(samples >= 1.0f)) {
    mPeriod = 1;
  } else if (samples >= static_cast<float>(MAX_PERIOD)) {
    mPeriod = MAX_PERIOD;
  } else {
    mPeriod = static_cast<int>(samples);
  }
  Recalc();
}
