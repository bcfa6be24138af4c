#include "dsp/EnvelopeTable.h"

#include <cstdlib>

#include "dsp/PortableMath.h"

using PortableMath::Cos;
using PortableMath::Exp;
using PortableMath::PI;

namespace {

const int SIZE = EnvelopeTable::SIZE;

// Hann: one cosine period over the entries 0..255 (255 steps).
const int HANN_STEPS = SIZE - 1;

// Gaussian: the bell is centred between entries 127 and 128; its width in
// entries is (0.75 (1 - a) + 0.02) times half the table.
const double GAUSS_CENTRE = 127.5;
const double GAUSS_WIDTH_RANGE = 0.75;
const double GAUSS_MIN_WIDTH = 0.02;
const double GAUSS_HALF_TABLE = 127.5;

// Exp Up and Exp Down: e^(-11 a (1 - i/256)) and e^(-11 a i/256), both as
// e^d / e^(7a), d walking by 11a/256 from -4a upwards or from 7a downwards.
const double EXP_DECAY = 11.0;
const double EXP_NORMALISER = 7.0;
const double EXP_UP_START = -4.0;

// Hann-Pois: a two-sided exponential peaking at entry 127 whose ends are
// (1 + 119 a) dB down: k = (119 a + 1) / (8.69 dB per neper * 128 entries).
const int POISSON_PEAK = 127;
const double POISSON_EXTRA_DB = 119.0;
const double DB_PER_NEPER = 8.69;
const double POISSON_HALF_TABLE = 128.0;

const int CHOICE_SHAPES[NUM_ENVELOPE_CHOICES] = {
    ENVELOPE_TUKEY,     ENVELOPE_GAUSSIAN, ENVELOPE_HANN,      ENVELOPE_EXP_UP,      ENVELOPE_EXP_DOWN,
    ENVELOPE_RECTANGLE, ENVELOPE_TRIANGLE, ENVELOPE_TRAPEZOID, ENVELOPE_HANN_POISSON};

void BuildRectangle(double* e) {
  for (int i = 0; i < SIZE; ++i) e[i] = 1.0;
}

// A straight rise to 1 at p = int(256 a), then a straight fall towards 0 that
// would reach it at entry 256. p = 0 has no rise, p >= 255 no fall.
void BuildTriangle(double* e, float a) {
  int p = static_cast<int>(a * static_cast<float>(SIZE));
  if (p > 0) {
    for (int i = 0; i <= p && i < SIZE; ++i) e[i] = static_cast<double>(i) / p;
  }
  if (p <= SIZE - 2) {
    for (int i = p; i < SIZE; ++i) e[i] = static_cast<double>(SIZE - i) / (SIZE - p);
  }
}

void BuildHann(double* e) {
  for (int i = 0; i < SIZE; ++i) e[i] = 0.5 - 0.5 * Cos(i * 2 * PI / HANN_STEPS);
}

// A flat top with half-cosine flanks, each flank a * 128 entries long.
void BuildTukey(double* e, double a) {
  int rise = static_cast<int>(a * SIZE * 0.5);
  int flatEnd = static_cast<int>((1 - a * 0.5) * SIZE);
  for (int i = 0; i < rise; ++i) e[i] = (Cos((i * 2 / (a * SIZE) - 1) * PI) + 1) * 0.5;
  for (int i = rise; i < flatEnd; ++i) e[i] = 1.0;
  for (int i = rise > flatEnd ? rise : flatEnd; i < SIZE; ++i) {
    e[i] = (Cos((i * 2 / (a * SIZE) - 2 / a + 1) * PI) + 1) * 0.5;
  }
}

void BuildGaussian(double* e, double a) {
  double s = ((1 - a) * GAUSS_WIDTH_RANGE + GAUSS_MIN_WIDTH) * GAUSS_HALF_TABLE;
  for (int i = 0; i < SIZE; ++i) {
    double b = (i - GAUSS_CENTRE) / s;
    e[i] = Exp(-0.5 * b * b);
  }
}

// A flat top with straight flanks, each c = int(128 a) entries long.
void BuildTrapezoid(double* e, float a) {
  int c = static_cast<int>(a * static_cast<float>(SIZE) * 0.5f);
  for (int i = 0; i < c; ++i) e[i] = static_cast<double>(i) / c;
  for (int i = c; i < SIZE - c; ++i) e[i] = 1.0;
  if (c > 0) {
    for (int i = c > SIZE - c ? c : SIZE - c; i < SIZE; ++i) e[i] = static_cast<double>(SIZE - i) / c;
  }
}

void BuildExpUp(double* e, double a) {
  double norm = Exp(EXP_NORMALISER * a);
  double step = EXP_DECAY * a / SIZE;
  double d = EXP_UP_START * a;
  for (int i = 0; i < SIZE; ++i) {
    e[i] = Exp(d) / norm;
    d += step;
  }
}

void BuildExpDown(double* e, double a) {
  double norm = Exp(EXP_NORMALISER * a);
  double step = EXP_DECAY * a / SIZE;
  double d = EXP_NORMALISER * a;
  for (int i = 0; i < SIZE; ++i) {
    e[i] = Exp(d) / norm;
    d -= step;
  }
}

void BuildHannPoisson(double* e, double a) {
  double k = (POISSON_EXTRA_DB * a + 1) / (DB_PER_NEPER * POISSON_HALF_TABLE);
  for (int i = 0; i < SIZE; ++i) e[i] = Exp(-std::abs(i - POISSON_PEAK) * k);
}

}  // namespace

EnvelopeTable::EnvelopeTable() : mTable(), mShape(INITIAL_SHAPE), mShapeValue(INITIAL_SHAPE_VALUE) {
  BuildEnvelope(*this, INITIAL_SHAPE);
}

void BuildEnvelope(EnvelopeTable& table, int code) {
  float a = table.mShapeValue;
  if (!(a >= 0.0f)) a = 0.0f;
  if (a > 1.0f) a = 1.0f;
  double* e = table.mTable;
  switch (code) {
    case ENVELOPE_RECTANGLE:
      BuildRectangle(e);
      break;
    case ENVELOPE_TRIANGLE:
      BuildTriangle(e, a);
      break;
    case ENVELOPE_HANN:
      BuildHann(e);
      break;
    case ENVELOPE_TUKEY:
      BuildTukey(e, a);
      break;
    case ENVELOPE_GAUSSIAN:
      BuildGaussian(e, a);
      break;
    case ENVELOPE_TRAPEZOID:
      BuildTrapezoid(e, a);
      break;
    case ENVELOPE_EXP_UP:
      BuildExpUp(e, a);
      break;
    case ENVELOPE_EXP_DOWN:
      BuildExpDown(e, a);
      break;
    case ENVELOPE_HANN_POISSON:
      BuildHannPoisson(e, a);
      break;
    default:
      break;
  }
  e[SIZE] = 0.0;
}

void SetEnvelope(EnvelopeTable& table, int code, float shapeValue) {
  table.mShape = code;
  table.mShapeValue = shapeValue;
  BuildEnvelope(table, code);
}

int EnvelopeShapeForChoice(int choice) {
  if (choice < 0 || choice >= NUM_ENVELOPE_CHOICES) return -1;
  return CHOICE_SHAPES[choice];
}

float EnvelopeShapeValueForChoice(int choice, double skew) {
  if (EnvelopeShapeForChoice(choice) == ENVELOPE_TRIANGLE) return static_cast<float>(skew);
  return static_cast<float>(1 - skew);
}

bool SetEnvelopeFromChoice(EnvelopeTable& table, int choice, double skew) {
  int code = EnvelopeShapeForChoice(choice);
  if (code < 0) return false;
  SetEnvelope(table, code, EnvelopeShapeValueForChoice(choice, skew));
  return true;
}
