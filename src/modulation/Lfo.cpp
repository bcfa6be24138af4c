#include "modulation/Lfo.h"

#include <new>

#include "modulation/LfoRandom.h"
#include "modulation/LfoSampleAndHold.h"
#include "modulation/LfoSine.h"
#include "modulation/LfoSquare.h"
#include "modulation/LfoTriangle.h"

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

namespace {

// A new oscillator of class T for a shape: in `storage` when given (which
// must have held a T), else on the heap.
template <class T>
Lfo* Make(int shape, void* storage) {
  const ShapeDefaults& defaults = SHAPE_DEFAULTS[shape];
  if (storage) return new (storage) T(shape, defaults.mSkew, defaults.mRate);
  return new (std::nothrow) T(shape, defaults.mSkew, defaults.mRate);
}

Lfo* Build(int shape, void* storage) {
  switch (shape) {
    case LFO_SINE:
      return Make<LfoSine>(shape, storage);
    case LFO_TRIANGLE:
    case LFO_RAMP_DOWN:
    case LFO_RAMP_UP:
      return Make<LfoTriangle>(shape, storage);
    case LFO_SQUARE:
      return Make<LfoSquare>(shape, storage);
    case LFO_SAMPLE_AND_HOLD:
      return Make<LfoSampleAndHold>(shape, storage);
    default:
      return Make<LfoRandom>(shape, storage);
  }
}

}  // namespace

std::unique_ptr<Lfo> Lfo::Create(int shape) {
  if (shape < 0 || shape >= NUM_LFO_SHAPES) shape = LFO_RANDOM;
  std::unique_ptr<Lfo> lfo(Build(shape, nullptr));
  // Derive the timing of the period of 1 (the random shapes have none to derive).
  if (lfo) {
    lfo->Recalc();
    lfo->Rewind();
  }
  return lfo;
}

Lfo* Lfo::CreateAt(int shape, void* storage) {
  if (shape < 0 || shape >= NUM_LFO_SHAPES) shape = LFO_RANDOM;
  Lfo* lfo = Build(shape, storage);
  lfo->Recalc();
  lfo->Rewind();
  return lfo;
}

static_assert(sizeof(LfoSine) <= Lfo::STORAGE_SIZE && sizeof(LfoTriangle) <= Lfo::STORAGE_SIZE &&
                  sizeof(LfoSquare) <= Lfo::STORAGE_SIZE && sizeof(LfoSampleAndHold) <= Lfo::STORAGE_SIZE &&
                  sizeof(LfoRandom) <= Lfo::STORAGE_SIZE,
              "every oscillator fits the storage CreateAt is given");

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
