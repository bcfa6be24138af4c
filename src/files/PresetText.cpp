#include "files/PresetText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "TextFormat.h"

namespace {
// The longest "inf" or "nan" form read ("nan(...)" may carry characters).
const int kNamedNumberLength = 64;

bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

// A decimal number in the form scanf's "%lf" reads (an optional sign, digits
// with at most one point and at least one digit, then optionally "e" or "E",
// an optional sign and digits), of any length, taken a character at a time.
// Only what decides the nearest double is kept: the significant digits, up
// to SIGNIFICANT_DIGITS of them, and a power of ten; the digits beyond are
// folded into one sticky digit (1 when any of them is not 0). A halfway
// point between two doubles has at most 767 significant digits, so the kept
// form rounds as the whole number does.
class DecimalNumber {
 public:
  void Add(int c) {
    switch (mPart) {
      case kStart:
        mPart = kInteger;
        if (c == '-' || c == '+') {
          mNegative = c == '-';
          return;
        }
        Add(c);
        return;
      case kInteger:
        if (c == '.') {
          mPart = kFraction;
        } else if ((c == 'e' || c == 'E') && mAnyDigit) {
          mPart = kExponentSign;
        } else if (IsDigit(c)) {
          AddDigit(c, false);
        } else {
          mPart = kInvalid;
        }
        return;
      case kFraction:
        if ((c == 'e' || c == 'E') && mAnyDigit) {
          mPart = kExponentSign;
        } else if (IsDigit(c)) {
          AddDigit(c, true);
        } else {
          mPart = kInvalid;
        }
        return;
      case kExponentSign:
        mPart = kExponent;
        if (c == '-' || c == '+') {
          mExponentNegative = c == '-';
          return;
        }
        Add(c);
        return;
      case kExponent:
        if (!IsDigit(c)) {
          mPart = kInvalid;
          return;
        }
        mAnyExponentDigit = true;
        if (mExponent < LARGE_EXPONENT) mExponent = mExponent * 10 + (c - '0');
        return;
      case kInvalid:
        return;
    }
  }

  // The nearest double; false when the characters were no such number.
  bool Value(double* value) const {
    if (mPart == kInvalid || !mAnyDigit) return false;
    if ((mPart == kExponentSign || mPart == kExponent) && !mAnyExponentDigit) return false;
    if (mNumDigits == 0) {
      *value = mNegative ? -0.0 : 0.0;
      return true;
    }
    // The kept digits as an integer times a power of ten, in a form
    // from_chars reads whatever the locale.
    char text[1 + SIGNIFICANT_DIGITS + 1 + 32];
    int length = 0;
    if (mNegative) text[length++] = '-';
    std::memcpy(text + length, mDigits, static_cast<std::size_t>(mNumDigits));
    length += mNumDigits;
    long long power = mPower + (mExponentNegative ? -mExponent : mExponent);
    int numDigits = mNumDigits;
    if (mSticky) {
      text[length++] = '1';
      ++numDigits;
      --power;
    }
    text[length++] = 'e';
    const std::to_chars_result written = std::to_chars(text + length, text + sizeof text, power);
    const std::from_chars_result read = std::from_chars(text, written.ptr, *value);
    if (read.ec == std::errc::result_out_of_range) {
      // Beyond the largest double, or closer to 0 than the smallest: the
      // position of the first digit tells which.
      const bool huge = power + numDigits - 1 > 0;
      *value = huge ? (mNegative ? -HUGE_VAL : HUGE_VAL) : 0.0;
      return true;
    }
    return read.ec == std::errc() && read.ptr == written.ptr;
  }

 private:
  // 767 significant digits and a margin.
  static constexpr int SIGNIFICANT_DIGITS = 800;
  // Far beyond any double's exponent, and safe to add to in long long.
  static constexpr long long LARGE_EXPONENT = 1000000000000LL;

  void AddDigit(int c, bool fraction) {
    mAnyDigit = true;
    if (mNumDigits == 0 && c == '0') {
      if (fraction) --mPower;  // a leading zero after the point
    } else if (mNumDigits < SIGNIFICANT_DIGITS) {
      mDigits[mNumDigits++] = static_cast<char>(c);
      if (fraction) --mPower;
    } else {
      mSticky = mSticky || c != '0';
      if (!fraction) ++mPower;
    }
    if (mPower < -LARGE_EXPONENT) mPower = -LARGE_EXPONENT;
    if (mPower > LARGE_EXPONENT) mPower = LARGE_EXPONENT;
  }

  enum Part { kStart, kInteger, kFraction, kExponentSign, kExponent, kInvalid };
  Part mPart = kStart;
  bool mNegative = false;
  bool mAnyDigit = false;
  char mDigits[SIGNIFICANT_DIGITS] = {};
  int mNumDigits = 0;
  bool mSticky = false;  // a digit other than 0 beyond those kept
  long long mPower = 0;  // the power of ten of the last kept digit
  bool mExponentNegative = false;
  bool mAnyExponentDigit = false;
  long long mExponent = 0;
};

}  // namespace

bool FormatPresetLine(char* out, std::size_t size, const char* key, double value) {
  const int length = FormatText(out, size, "%s %.12lf\n", key, value);
  return length > 0 && static_cast<std::size_t>(length) < size;
}

int PresetTextReader::Next() {
  if (mPending != -2) {
    const int c = mPending;
    mPending = -2;
    return c;
  }
  const int c = mBytes.Next();
  if (c == EOF) mAtEnd = true;
  return c;
}

void PresetTextReader::SkipWhiteSpace() {
  int c;
  do {
    c = Next();
  } while (IsWhiteSpace(c));
  if (c != EOF) mPending = c;
}

bool PresetTextReader::ReadToken(char* buffer, int maximum) {
  int stored = 0;
  bool fits = true;
  for (int c = Next(); c != EOF; c = Next()) {
    if (IsWhiteSpace(c)) {
      mPending = c;
      break;
    }
    if (stored < maximum) {
      buffer[stored++] = static_cast<char>(c);
    } else {
      fits = false;
    }
  }
  buffer[stored] = '\0';
  return fits;
}

bool PresetTextReader::ReadInt() {
  SkipWhiteSpace();
  int c = Next();
  if (c == '+' || c == '-') c = Next();
  if (!std::isdigit(c)) {
    if (c != EOF) mPending = c;
    return false;
  }
  while (std::isdigit(c)) c = Next();
  if (c != EOF) mPending = c;
  return true;
}

bool PresetTextReader::ReadVersion() {
  if (Next() != 'V' || !ReadInt() || Next() != '.' || !ReadInt()) return false;
  SkipWhiteSpace();
  return true;
}

bool PresetTextReader::ReadPair(char (&key)[PRESET_KEY_LENGTH + 1], double* value) {
  SkipWhiteSpace();
  if (mAtEnd && mPending == -2) return false;
  if (!ReadToken(key, PRESET_KEY_LENGTH)) key[0] = '\0';
  SkipWhiteSpace();
  if (!ReadNumber(value)) {
    mAtEnd = false;  // stopped at a value, not at the end
    return false;
  }
  SkipWhiteSpace();
  return true;
}

bool PresetTextReader::ReadNumber(double* value) {
  DecimalNumber decimal;
  char named[kNamedNumberLength + 1];
  int length = 0;
  bool any = false;
  for (int c = Next(); c != EOF; c = Next()) {
    if (IsWhiteSpace(c)) {
      mPending = c;
      break;
    }
    any = true;
    decimal.Add(c);
    if (length <= kNamedNumberLength) named[length++] = static_cast<char>(c);
  }
  if (!any) return false;
  if (decimal.Value(value)) return true;
  // Not decimal: perhaps an infinity or not-a-number, as "%lf" reads them
  // (IParameter::SetClamped limits both).
  if (length > kNamedNumberLength) return false;
  // from_chars reads no leading "+", which %lf accepts.
  const char* first = named[0] == '+' ? named + 1 : named;
  const char* last = named + length;
  const std::from_chars_result result = std::from_chars(first, last, *value);
  return result.ec == std::errc() && result.ptr == last && !std::isfinite(*value);
}

void PresetNameFromPath(const char* path, char* out, std::size_t size) {
  if (!path) path = "";
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == ':' || *p == '\\') name = p + 1;
  }
  std::size_t length = std::strlen(name);
  const char* dot = std::strrchr(name, '.');
  if (dot && dot != name) length = static_cast<std::size_t>(dot - name);
  if (size == 0) return;
  if (length > size - 1) length = size - 1;
  std::memcpy(out, name, length);
  out[length] = '\0';
}
