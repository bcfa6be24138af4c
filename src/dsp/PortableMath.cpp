#include "dsp/PortableMath.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// The classic approach of the freely distributable math libraries: reduce
// the argument exactly with constants split into a high part (whose products
// with small integers are exact) and a low part, evaluate a minimax
// polynomial on the small remainder, and put the pieces together in an order
// that keeps the rounding error below one unit in the last place.

namespace {

std::uint64_t Bits(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

double FromBits(std::uint64_t u) {
  double x;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// The upper 32 bits: sign, exponent and the top 20 bits of the mantissa.
std::int32_t HighWord(double x) {
  return static_cast<std::int32_t>(Bits(x) >> 32);
}

// Adds k to the binary exponent of a normal number (no overflow check).
double AddToExponent(double y, int k) {
  const int MANTISSA_BITS = 52;
  return FromBits(Bits(y) + (static_cast<std::uint64_t>(static_cast<std::int64_t>(k)) << MANTISSA_BITS));
}

const double INF = std::numeric_limits<double>::infinity();
const double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// ln 2 in two parts: the high part has 32 significant bits, so its product
// with an exponent-sized integer is exact.
const double LN2_HI = 6.93147180369123816490e-01;
const double LN2_LO = 1.90821492927058770002e-10;
const double INV_LN2 = 1.44269504088896338700e+00;
const double HALF_LN2 = 0.34657359027997264;

// ---- exp --------------------------------------------------------------------

// Beyond these e^x is not a finite double / is below the smallest subnormal.
const double EXP_OVERFLOW = 7.09782712893383973096e+02;
const double EXP_UNDERFLOW = -7.45133219101941108420e+02;
// Below this |x|, e^x rounds to 1 + x.
const double EXP_TINY = 0x1p-28;
// Results below 2^-1021 are built 2^1000 too large and scaled down once, so
// that the only rounding into the subnormal range happens in that product.
const int EXP_SUBNORMAL_K = -1021;
const int EXP_SUBNORMAL_SHIFT = 1000;
const double TWO_TO_MINUS_1000 = 0x1p-1000;
// Minimax coefficients of r (e^r + 1) / (e^r - 1) on |r| <= ln2 / 2.
const double EP1 = 1.66666666666666019037e-01;
const double EP2 = -2.77777777770155933842e-03;
const double EP3 = 6.61375632143793436117e-05;
const double EP4 = -1.65339022054652515390e-06;
const double EP5 = 4.13813679705723846039e-08;

// ---- log --------------------------------------------------------------------

// Scales a subnormal argument into the normal range.
const double TWO_TO_54 = 0x1p54;
const int TWO_TO_54_EXPONENT = 54;
// Minimax coefficients of R(z), z = s^2, with log(1 + f) = 2s + s R(z) and
// s = f / (2 + f).
const double LG1 = 6.666666666666735130e-01;
const double LG2 = 3.999999999940941908e-01;
const double LG3 = 2.857142874366239149e-01;
const double LG4 = 2.222219843214978396e-01;
const double LG5 = 1.818357216161805012e-01;
const double LG6 = 1.531383769920937332e-01;
const double LG7 = 1.479819860511658591e-01;
// High-word bit patterns used to steer the reduction (see Log).
const std::int32_t HW_MIN_NORMAL = 0x00100000;
const std::int32_t HW_INF = 0x7ff00000;
const std::int32_t HW_MANTISSA = 0x000fffff;
const std::int32_t HW_EXPONENT_BIAS = 1023;
const int HW_EXPONENT_SHIFT = 20;
const std::int32_t HW_ONE = 0x3ff00000;
// Adding this to the mantissa carries into the exponent bit exactly when the
// mantissa is at least sqrt(2); such numbers are halved so that 1 + f lies in
// [sqrt(2)/2, sqrt(2)).
const std::int32_t HW_SQRT2_CARRY = 0x95f64;
// Mantissas between these two use the shorter form (f - s (f - R)).
const std::int32_t HW_LOG_SHORT_LOW = 0x6147a;
const std::int32_t HW_LOG_SHORT_HIGH = 0x6b851;
const double ONE_THIRD = 0.33333333333333333;

// ---- sin, cos ---------------------------------------------------------------

// pi/2 in three 33-bit parts, each with the remainder after it.
const double INV_PIO2 = 6.36619772367581382433e-01;
const double PIO2_1 = 1.57079632673412561417e+00;
const double PIO2_1T = 6.07710050650619224932e-11;
const double PIO2_2 = 6.07710050630396597660e-11;
const double PIO2_2T = 2.02226624879595063154e-21;
const double PIO2_3 = 2.02226624871116645580e-21;
const double PIO2_3T = 8.47842766036889956997e-32;
// |x| <= pi/4 needs no reduction; |x| <= 2^19 pi/2 is reduced exactly here.
const std::int32_t HW_PIO4 = 0x3fe921fb;
const std::int32_t HW_MEDIUM_LIMIT = 0x413921fb;
const double TWO_PI = 6.28318530717958647692;
// Bits of cancellation after which the next part of pi/2 is brought in.
const int SECOND_PART_CANCEL = 16;
const int THIRD_PART_CANCEL = 49;
const int EXPONENT_MASK = 0x7ff;
// Below 2^-27, sin x rounds to x and cos x to 1.
const std::int32_t HW_TRIG_TINY = 0x3e400000;
// Minimax coefficients of sin on [-pi/4, pi/4].
const double S1 = -1.66666666666666324348e-01;
const double S2 = 8.33333333332248946124e-03;
const double S3 = -1.98412698298579493134e-04;
const double S4 = 2.75573137070700676789e-06;
const double S5 = -2.50507602534068634195e-08;
const double S6 = 1.58969099521155010221e-10;
// Minimax coefficients of cos on [-pi/4, pi/4].
const double C1 = 4.16666666666666019037e-02;
const double C2 = -1.38888888888741095749e-03;
const double C3 = 2.48015872894767294178e-05;
const double C4 = -2.75573143513906633035e-07;
const double C5 = 2.08757232129817482790e-09;
const double C6 = -1.13596475577881948265e-11;
// cos: below |x| = 0.3 the plain form is accurate; above 0.78125 the
// correction term is a fixed 0.28125; in between it is x/4, cut to 21 bits.
const std::int32_t HW_COS_PLAIN = 0x3fd33333;
const std::int32_t HW_COS_FIXED = 0x3fe90000;
const double COS_FIXED_CORRECTION = 0.28125;
const std::int32_t HW_QUARTER = 0x00200000;

// sin(x + y) for |x| <= pi/4, y the tail of a reduced argument (0 when none).
double KernelSin(double x, double y, bool hasTail) {
  if ((HighWord(x) & 0x7fffffff) < HW_TRIG_TINY) return x;
  double z = x * x;
  double v = z * x;
  double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
  if (!hasTail) return x + v * (S1 + z * r);
  return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x + y) for |x| <= pi/4.
double KernelCos(double x, double y) {
  std::int32_t ix = HighWord(x) & 0x7fffffff;
  if (ix < HW_TRIG_TINY) return 1.0;
  double z = x * x;
  double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
  if (ix < HW_COS_PLAIN) return 1.0 - (0.5 * z - (z * r - x * y));
  double qx = ix > HW_COS_FIXED
                  ? COS_FIXED_CORRECTION
                  : FromBits(static_cast<std::uint64_t>(static_cast<std::uint32_t>(ix - HW_QUARTER)) << 32);
  double hz = 0.5 * z - qx;
  double a = 1.0 - qx;
  return a - (hz - (z * r - x * y));
}

// Writes y0 + y1 = x - n pi/2 with |y0 + y1| <= pi/4 (about) and returns n.
// x is finite and |x| > pi/4.
int ReducePiOver2(double x, double& y0, double& y1) {
  std::int32_t ix = HighWord(x) & 0x7fffffff;
  if (ix > HW_MEDIUM_LIMIT) {
    // Not reached by the engine; keeps huge arguments finite and the
    // quadrant count inside an int.
    x = std::fmod(x, TWO_PI);
    ix = HighWord(x) & 0x7fffffff;
    if (ix <= HW_PIO4) {
      y0 = x;
      y1 = 0.0;
      return 0;
    }
  }
  double t = x < 0 ? -x : x;
  int n = static_cast<int>(t * INV_PIO2 + 0.5);
  double fn = n;
  double r = t - fn * PIO2_1;  // exact: PIO2_1 has 33 bits, n at most 20
  double w = fn * PIO2_1T;
  int j = ix >> HW_EXPONENT_SHIFT;
  y0 = r - w;
  // Each part of pi/2 is good for about 33 more bits; bring in the next one
  // when the subtraction cancelled that many leading bits.
  int cancelled = j - ((HighWord(y0) >> HW_EXPONENT_SHIFT) & EXPONENT_MASK);
  if (cancelled > SECOND_PART_CANCEL) {
    t = r;
    w = fn * PIO2_2;
    r = t - w;
    w = fn * PIO2_2T - ((t - r) - w);
    y0 = r - w;
    cancelled = j - ((HighWord(y0) >> HW_EXPONENT_SHIFT) & EXPONENT_MASK);
    if (cancelled > THIRD_PART_CANCEL) {
      t = r;
      w = fn * PIO2_3;
      r = t - w;
      w = fn * PIO2_3T - ((t - r) - w);
      y0 = r - w;
    }
  }
  y1 = (r - y0) - w;
  if (x < 0) {
    y0 = -y0;
    y1 = -y1;
    return -n;
  }
  return n;
}

// ---- base 10 ------------------------------------------------------------------

const double LN10 = 2.302585092994046;
const double LN10_LO = -2.1707562233822494e-16;  // ln 10 - LN10
const double INV_LN10 = 0.4342944819032518;
// 10^x for |x| beyond this is 0 or overflows; no tail correction is needed.
const double POW10_CORRECTED_LIMIT = 300.0;
// Splits a double into two 26-bit halves (Dekker): 2^27 + 1.
const double SPLITTER = 134217729.0;

}  // namespace

namespace PortableMath {

double Exp(double x) {
  if (x != x) return x + x;
  if (x > EXP_OVERFLOW) return INF;
  if (x < EXP_UNDERFLOW) return 0.0;
  double ax = x < 0 ? -x : x;
  if (ax < EXP_TINY) return 1.0 + x;

  // x = k ln2 + r, |r| <= ln2 / 2, r held as hi - lo.
  int k = 0;
  double hi = 0.0;
  double lo = 0.0;
  if (ax > HALF_LN2) {
    k = static_cast<int>(INV_LN2 * x + (x < 0 ? -0.5 : 0.5));
    double t = k;
    hi = x - t * LN2_HI;  // exact
    lo = t * LN2_LO;
    x = hi - lo;
  }
  double t = x * x;
  double c = x - t * (EP1 + t * (EP2 + t * (EP3 + t * (EP4 + t * EP5))));
  if (k == 0) return 1.0 - ((x * c) / (c - 2.0) - x);
  double y = 1.0 - ((lo - (x * c) / (2.0 - c)) - hi);
  if (k >= EXP_SUBNORMAL_K) return AddToExponent(y, k);
  return AddToExponent(y, k + EXP_SUBNORMAL_SHIFT) * TWO_TO_MINUS_1000;
}

double Log(double x) {
  std::int32_t hx = HighWord(x);
  std::uint32_t lx = static_cast<std::uint32_t>(Bits(x));
  int k = 0;
  if (hx < HW_MIN_NORMAL) {
    if (((hx & 0x7fffffff) | static_cast<std::int32_t>(lx)) == 0) return -INF;
    if (hx < 0) return NOT_A_NUMBER;
    k -= TWO_TO_54_EXPONENT;
    x *= TWO_TO_54;
    hx = HighWord(x);
  }
  if (hx >= HW_INF) return x + x;

  // x = 2^k (1 + f) with sqrt(2)/2 <= 1 + f < sqrt(2).
  k += (hx >> HW_EXPONENT_SHIFT) - HW_EXPONENT_BIAS;
  hx &= HW_MANTISSA;
  std::int32_t carry = (hx + HW_SQRT2_CARRY) & HW_MIN_NORMAL;
  std::uint64_t lowWord = Bits(x) & 0xffffffffu;
  x = FromBits((static_cast<std::uint64_t>(static_cast<std::uint32_t>(hx | (carry ^ HW_ONE))) << 32) |
               lowWord);
  k += carry >> HW_EXPONENT_SHIFT;
  double f = x - 1.0;
  double dk = k;

  if ((HW_MANTISSA & (2 + hx)) < 3) {  // |f| < 2^-20
    if (f == 0.0) return k == 0 ? 0.0 : dk * LN2_HI + dk * LN2_LO;
    double r = f * f * (0.5 - ONE_THIRD * f);
    if (k == 0) return f - r;
    return dk * LN2_HI - ((r - dk * LN2_LO) - f);
  }
  double s = f / (2.0 + f);
  double z = s * s;
  double w = z * z;
  double t1 = w * (LG2 + w * (LG4 + w * LG6));
  double t2 = z * (LG1 + w * (LG3 + w * (LG5 + w * LG7)));
  double r = t2 + t1;
  if (((hx - HW_LOG_SHORT_LOW) | (HW_LOG_SHORT_HIGH - hx)) > 0) {
    double hfsq = 0.5 * f * f;
    if (k == 0) return f - (hfsq - s * (hfsq + r));
    return dk * LN2_HI - ((hfsq - (s * (hfsq + r) + dk * LN2_LO)) - f);
  }
  if (k == 0) return f - s * (f - r);
  return dk * LN2_HI - ((s * (f - r) - dk * LN2_LO) - f);
}

double Sin(double x) {
  std::int32_t ix = HighWord(x) & 0x7fffffff;
  if (ix <= HW_PIO4) return KernelSin(x, 0.0, false);
  if (ix >= HW_INF) return x - x;
  double y0, y1;
  switch (ReducePiOver2(x, y0, y1) & 3) {
    case 0:
      return KernelSin(y0, y1, true);
    case 1:
      return KernelCos(y0, y1);
    case 2:
      return -KernelSin(y0, y1, true);
    default:
      return -KernelCos(y0, y1);
  }
}

double Cos(double x) {
  std::int32_t ix = HighWord(x) & 0x7fffffff;
  if (ix <= HW_PIO4) return KernelCos(x, 0.0);
  if (ix >= HW_INF) return x - x;
  double y0, y1;
  switch (ReducePiOver2(x, y0, y1) & 3) {
    case 0:
      return KernelCos(y0, y1);
    case 1:
      return -KernelSin(y0, y1, true);
    case 2:
      return -KernelCos(y0, y1);
    default:
      return KernelSin(y0, y1, true);
  }
}

double Pow10(double x) {
  double y = x * LN10;
  if (!(x > -POW10_CORRECTED_LIMIT && x < POW10_CORRECTED_LIMIT)) return Exp(y);
  // The rounding error of x * ln10 (exact product minus y, by splitting both
  // factors into halves whose products are exact), plus x times the part of
  // ln 10 beyond the double: e^(y + e) = e^y (1 + e).
  double cx = SPLITTER * x;
  double xHi = cx - (cx - x);
  double xLo = x - xHi;
  double cl = SPLITTER * LN10;
  double lHi = cl - (cl - LN10);
  double lLo = LN10 - lHi;
  double e = ((xHi * lHi - y) + xHi * lLo + xLo * lHi) + xLo * lLo + x * LN10_LO;
  double r = Exp(y);
  return r + r * e;
}

double Log10(double x) {
  return Log(x) * INV_LN10;
}

double Pow(double x, double y) {
  if (y == 0.0) return 1.0;
  return Exp(y * Log(x));
}

}  // namespace PortableMath
