// Exponential, logarithm and circular functions that give the same bits on
// every target.
//
// The C runtimes of the three targets disagree in the last bit of exp, log,
// sin and cos (glibc on Linux, MinGW's own routines on Windows), which would
// make the same render differ from target to target. These are built from
// additions, multiplications and divisions only, which are exact IEEE-754
// operations in SSE2 without contraction, so every target computes the same
// result. Exp, Log, Sin and Cos are within one unit in the last place,
// Pow10, Log10 and Pow within two.
//
// Called wherever the engine needs these functions: envelope tables, filter
// designs, the limiter (per sample, audio thread), gains and meter displays.
// Pure functions: no state, no allocation, safe on any thread.
#pragma once

namespace PortableMath {

const double PI = 3.14159265358979323846;

// e^x. Overflows to +inf above about 709.78, underflows to 0 below about
// -745.13; NaN stays NaN.
double Exp(double x);
// Natural logarithm. -inf at 0, NaN below 0 and for NaN, +inf at +inf.
double Log(double x);
// Sine and cosine of x radians. Exact argument reduction for |x| up to
// about 800000; larger arguments still give finite values in -1..1. NaN for
// NaN and infinities.
double Sin(double x);
double Cos(double x);
// 10^x.
double Pow10(double x);
// Base-10 logarithm.
double Log10(double x);
// x^y for x > 0 (e^(y ln x)); the engine uses it for positive bases only.
double Pow(double x, double y);

}  // namespace PortableMath
