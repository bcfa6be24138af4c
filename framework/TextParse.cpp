#include "TextParse.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// Longer input is cut: no typed parameter value needs more characters.
const int MAX_NUMBER_TEXT = 64;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

double ParseNumberText(const char* text) {
  if (!text) return 0.0;
  while (IsSpace(*text)) ++text;
  // A copy with the sign handled and a comma turned into a point.
  char number[MAX_NUMBER_TEXT + 1];
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  int length = 0;
  for (; length < MAX_NUMBER_TEXT && text[length]; ++length) {
    number[length] = text[length] == ',' ? '.' : text[length];
  }
  number[length] = '\0';
  // from_chars would read "inf" and "nan", which are not typed numbers.
  if (length == 0 || !(number[0] == '.' || (number[0] >= '0' && number[0] <= '9'))) return 0.0;

  double value = 0.0;
  const std::from_chars_result result = std::from_chars(number, number + length, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large, or too close to 0: the exponent's sign tells which.
    bool tiny = false;
    for (const char* p = number; p < result.ptr; ++p) {
      if ((*p == 'e' || *p == 'E') && p[1] == '-') tiny = true;
    }
    value = tiny ? 0.0 : DBL_MAX;
  } else if (result.ec != std::errc() || !std::isfinite(value)) {
    return 0.0;
  }
  return negative ? -value : value;
}
