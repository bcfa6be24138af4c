#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "dsp/PortableMath.h"

using namespace PortableMath;

namespace {

#ifndef _WIN32
// Error in units of the last place of the correctly rounded result, against
// the 64-bit-mantissa long double functions as the reference.
double UlpError(double got, long double exact) {
  double rounded = static_cast<double>(exact);
  double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
  return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) / ulp);
}
#endif

struct Uniform {
  std::uint64_t state = 88172645463325252ull;
  // xorshift64: a value in [lo, hi).
  double Next(double lo, double hi) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return lo + (hi - lo) * ((state >> 11) * 0x1p-53);
  }
};

std::uint64_t Bits(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

}  // namespace

// The reference is the C library's long double maths, which on Windows is not
// accurate enough to judge by; the pinned results below show that the
// functions give the same bits there as on Linux, where this runs.
#ifndef _WIN32
TEST(PortableMath, AccurateToTheLastPlace) {
  Uniform u;
  double worst[7] = {};
  for (int i = 0; i < 200000; ++i) {
    double xe = u.Next(-745, 709), xl = std::exp(u.Next(-744, 709)), xt = u.Next(-40, 40);
    double xp = u.Next(-300, 300), xb = std::exp(u.Next(-20, 20)), y = u.Next(-3, 3);
    double err[7] = {UlpError(Exp(xe), expl(xe)),          UlpError(Log(xl), logl(xl)),
                     UlpError(Sin(xt), sinl(xt)),          UlpError(Cos(xt), cosl(xt)),
                     UlpError(Pow10(xp), powl(10.0L, xp)), UlpError(Log10(xl), log10l(xl)),
                     UlpError(Pow(xb, y), powl(xb, y))};
    for (int k = 0; k < 7; ++k) worst[k] = std::fmax(worst[k], err[k]);
  }
  EXPECT_LT(worst[0], 1.0) << "Exp";
  EXPECT_LT(worst[1], 1.0) << "Log";
  EXPECT_LT(worst[2], 1.0) << "Sin";
  EXPECT_LT(worst[3], 1.0) << "Cos";
  EXPECT_LT(worst[4], 2.0) << "Pow10";
  EXPECT_LT(worst[5], 2.0) << "Log10";
  EXPECT_LT(worst[6], 64.0) << "Pow";  // e^(y ln x) magnifies the rounding of y ln x
}
#endif

TEST(PortableMath, SpecialValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Exp(0.0), 1.0);
  EXPECT_EQ(Exp(1000.0), inf);
  EXPECT_EQ(Exp(-1000.0), 0.0);
  EXPECT_EQ(Exp(-inf), 0.0);
  EXPECT_NEAR(Exp(-740.0), 4.1995579896506e-322, 1e-323);  // subnormal
  EXPECT_TRUE(std::isnan(Exp(nan)));
  EXPECT_EQ(Log(1.0), 0.0);
  EXPECT_EQ(Log(0.0), -inf);
  EXPECT_EQ(Log(inf), inf);
  EXPECT_TRUE(std::isnan(Log(-1.0)));
  EXPECT_NEAR(Log(std::numeric_limits<double>::denorm_min()), -744.44007192138126, 1e-12);
  EXPECT_EQ(Sin(0.0), 0.0);
  EXPECT_EQ(Cos(0.0), 1.0);
  EXPECT_EQ(Cos(PI), -1.0);
  EXPECT_TRUE(std::isnan(Sin(inf)));
  EXPECT_TRUE(std::fabs(Sin(1e300)) <= 1.0);
  EXPECT_EQ(Pow10(0.0), 1.0);
  EXPECT_EQ(Pow(0.0, 0.0), 1.0);
  EXPECT_EQ(Pow(0.0, -1.0), inf);
}

// The same bits on every target are the point of these functions: a change
// of algorithm, constant or compiler setting (such as fused multiply-add
// contraction) shows here before it shows as a render that differs between
// Linux and Windows.
TEST(PortableMath, ResultsArePinnedBitForBit) {
  std::uint64_t hash = 0;
  for (int i = 0; i < 1000; ++i) {
    double x = i * 0.7431 - 371.0;
    const double results[] = {Exp(x), Log(i + 0.25), Sin(x), Cos(x * 0.01), Pow10(x * 0.3), Log10(i + 1.5)};
    for (double r : results) hash = hash * 1000003u + Bits(r);
  }
  EXPECT_EQ(hash, 6956544440491109289u);
}
