// printf-style text formatting that does not depend on the process locale.
//
// The C library's "%f" writes the decimal separator of the current locale,
// and a host may well run with a comma locale; the plug-in must not change
// the locale of the process it lives in. These functions write numbers with
// a decimal point, always, and give the same text on every target (they
// round exactly, like glibc's printf: the nearest decimal, ties to even on
// the exact binary value).
//
// Pure functions of their arguments: no allocation, no locks, no state; any
// thread may call them.
#pragma once

#include <cstdarg>
#include <cstddef>

#if defined(__clang__)
#define VRELS_PRINTF_LIKE(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#elif defined(__GNUC__)
#define VRELS_PRINTF_LIKE(formatIndex, firstArg) __attribute__((format(gnu_printf, formatIndex, firstArg)))
#else
#define VRELS_PRINTF_LIKE(formatIndex, firstArg)
#endif

// Formats into out (size bytes, terminated whenever size > 0), cutting the
// text at size - 1 characters. Understands the conversions d, i, u, f, F, s,
// c and %, the flags '-', '+', ' ' and '0', a width and a precision (either
// may be '*'), and the length modifiers h, l and ll (L is read as a long
// double and written as a double). Anything else is copied as it stands.
// Returns the number of characters written, without the terminator.
int FormatText(char* out, size_t size, const char* format, ...) VRELS_PRINTF_LIKE(3, 4);
int FormatTextV(char* out, size_t size, const char* format, va_list args);

// x in fixed notation with a number of digits after the point (0..100;
// outside that range it is held to the nearer end), as "%.*f" would write it
// in the "C" locale: "-0.50", "988.00", "inf", "nan". Same contract for out,
// size and the result as FormatText.
int FormatFixed(char* out, size_t size, double x, int precision);
