#include "TextFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

const int MAX_PRECISION = 100;
// Enough for the largest double in fixed notation (309 digits), the point
// and MAX_PRECISION digits; to_chars then never runs out of room.
const int NUMBER_BUFFER_LEN = 448;

// Appends to a bounded, always terminated buffer; what does not fit is
// dropped.
class Writer {
 public:
  Writer(char* out, size_t size) : mpOut(out), mSize(size) {
    if (mSize > 0) mpOut[0] = '\0';
  }

  void Put(char c) {
    if (mPos + 1 < mSize) {
      mpOut[mPos++] = c;
      mpOut[mPos] = '\0';
    }
  }
  void Put(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) Put(text[i]);
  }
  void Repeat(char c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  int Length() const { return static_cast<int>(mPos); }

 private:
  char* mpOut;
  size_t mSize;
  size_t mPos = 0;
};

struct Conversion {
  bool mLeft = false;     // '-'
  bool mZeroPad = false;  // '0'
  char mSignChar = '\0';  // '+' or ' ' for non-negative numbers
  int mWidth = 0;
  int mPrecision = -1;  // -1: none given
};

// One number: sign, digits, and the padding the flags ask for. Zero padding
// goes between the sign and the digits, and only for finite numbers.
void PutNumber(Writer& w, const Conversion& conversion, bool negative, const char* digits, size_t length,
               bool zeroPadAllowed) {
  char sign = negative ? '-' : conversion.mSignChar;
  int used = static_cast<int>(length) + (sign ? 1 : 0);
  int pad = conversion.mWidth > used ? conversion.mWidth - used : 0;
  if (conversion.mLeft) {
    if (sign) w.Put(sign);
    w.Put(digits, length);
    w.Repeat(' ', pad);
  } else if (conversion.mZeroPad && zeroPadAllowed) {
    if (sign) w.Put(sign);
    w.Repeat('0', pad);
    w.Put(digits, length);
  } else {
    w.Repeat(' ', pad);
    if (sign) w.Put(sign);
    w.Put(digits, length);
  }
}

void PutText(Writer& w, const Conversion& conversion, const char* text, size_t length) {
  int pad = conversion.mWidth > static_cast<int>(length) ? conversion.mWidth - static_cast<int>(length) : 0;
  if (!conversion.mLeft) w.Repeat(' ', pad);
  w.Put(text, length);
  if (conversion.mLeft) w.Repeat(' ', pad);
}

void PutInteger(Writer& w, const Conversion& conversion, bool negative, unsigned long long magnitude) {
  char digits[32];
  char* end = std::to_chars(digits, digits + sizeof(digits), magnitude).ptr;
  size_t length = static_cast<size_t>(end - digits);
  // A precision is the least number of digits (and "%.0d" of 0 writes none).
  char padded[32 + MAX_PRECISION];
  int precision = conversion.mPrecision > MAX_PRECISION ? MAX_PRECISION : conversion.mPrecision;
  if (precision == 0 && magnitude == 0) length = 0;
  int zeros = precision > static_cast<int>(length) ? precision - static_cast<int>(length) : 0;
  std::memset(padded, '0', static_cast<size_t>(zeros));
  std::memcpy(padded + zeros, digits, length);
  // As with printf, a precision turns zero padding off.
  PutNumber(w, conversion, negative, padded, length + static_cast<size_t>(zeros), precision < 0);
}

size_t FixedDigits(char* digits, double magnitude, int precision) {
  if (precision < 0) precision = 0;
  if (precision > MAX_PRECISION) precision = MAX_PRECISION;
  std::to_chars_result r =
      std::to_chars(digits, digits + NUMBER_BUFFER_LEN, magnitude, std::chars_format::fixed, precision);
  return r.ec == std::errc() ? static_cast<size_t>(r.ptr - digits) : 0;
}

void PutFixed(Writer& w, const Conversion& conversion, double x) {
  char digits[NUMBER_BUFFER_LEN];
  size_t length = FixedDigits(digits, std::fabs(x), conversion.mPrecision < 0 ? 6 : conversion.mPrecision);
  PutNumber(w, conversion, std::signbit(x), digits, length, std::isfinite(x));
}

}  // namespace

int FormatTextV(char* out, size_t size, const char* format, va_list args) {
  Writer w(out, size);
  if (!format) return 0;
  const char* p = format;
  while (*p) {
    if (*p != '%') {
      w.Put(*p++);
      continue;
    }
    const char* start = p++;
    Conversion conversion;
    for (;; ++p) {
      if (*p == '-')
        conversion.mLeft = true;
      else if (*p == '0')
        conversion.mZeroPad = true;
      else if (*p == '+')
        conversion.mSignChar = '+';
      else if (*p == ' ') {
        if (conversion.mSignChar != '+') conversion.mSignChar = ' ';
      } else if (*p == '#') {
      } else
        break;
    }
    if (*p == '*') {
      conversion.mWidth = va_arg(args, int);
      if (conversion.mWidth < 0) {
        conversion.mLeft = true;
        conversion.mWidth = -conversion.mWidth;
      }
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') conversion.mWidth = conversion.mWidth * 10 + (*p++ - '0');
    }
    if (*p == '.') {
      ++p;
      conversion.mPrecision = 0;
      if (*p == '*') {
        conversion.mPrecision = va_arg(args, int);
        if (conversion.mPrecision < 0) conversion.mPrecision = -1;
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') conversion.mPrecision = conversion.mPrecision * 10 + (*p++ - '0');
      }
    }
    // Widths beyond the buffer would only be cut again.
    if (conversion.mWidth > static_cast<int>(size)) conversion.mWidth = static_cast<int>(size);
    int longs = 0;
    bool longDouble = false;
    while (*p == 'h' || *p == 'l' || *p == 'L') {
      if (*p == 'l') ++longs;
      if (*p == 'L') longDouble = true;
      ++p;
    }
    switch (*p) {
      case 'd':
      case 'i': {
        long long v = longs >= 2   ? va_arg(args, long long)
                      : longs == 1 ? va_arg(args, long)
                                   : va_arg(args, int);
        unsigned long long magnitude =
            v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        PutInteger(w, conversion, v < 0, magnitude);
        break;
      }
      case 'u': {
        unsigned long long v = longs >= 2   ? va_arg(args, unsigned long long)
                               : longs == 1 ? va_arg(args, unsigned long)
                                            : va_arg(args, unsigned);
        PutInteger(w, conversion, false, v);
        break;
      }
      case 'f':
      case 'F': {
        double v = longDouble ? static_cast<double>(va_arg(args, long double)) : va_arg(args, double);
        PutFixed(w, conversion, v);
        break;
      }
      case 's': {
        const char* s = va_arg(args, const char*);
        if (!s) s = "(null)";
        size_t length = 0;
        while (s[length] &&
               (conversion.mPrecision < 0 || length < static_cast<size_t>(conversion.mPrecision)))
          ++length;
        PutText(w, conversion, s, length);
        break;
      }
      case 'c': {
        char c = static_cast<char>(va_arg(args, int));
        PutText(w, conversion, &c, 1);
        break;
      }
      case '%':
        w.Put('%');
        break;
      default:
        // Not a conversion we know (or the format ends): copied as it stands,
        // and nothing is read from the arguments.
        w.Put(start, static_cast<size_t>(p - start));
        if (!*p) return w.Length();
        w.Put(*p);
        break;
    }
    ++p;
  }
  return w.Length();
}

int FormatText(char* out, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int length = FormatTextV(out, size, format, args);
  va_end(args);
  return length;
}

int FormatFixed(char* out, size_t size, double x, int precision) {
  Writer w(out, size);
  Conversion conversion;
  conversion.mPrecision = precision < 0 ? 0 : precision;
  PutFixed(w, conversion, x);
  return w.Length();
}
