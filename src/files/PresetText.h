// The text of preset files: a version line "V1.0", then one line per named
// parameter with its key and plain value ("VrCount 4.000000000000"). Numbers
// are written and read with a decimal point whatever locale the host set. A
// UTF-8 byte-order mark before the version line is skipped.
//
// Pure text handling on a caller's file; used by the plug-in's save and
// load, under the instance mutex.
#pragma once

#include <cstddef>
#include <cstdio>

#include "files/TextFileReader.h"

const int PRESET_VERSION_MAJOR = 1;
const int PRESET_VERSION_MINOR = 0;
// Longest key a preset line may carry; longer tokens match no parameter.
const int PRESET_KEY_LENGTH = 47;

// "key value\n" with the value in "%.12f" form. False when the line did not
// fit (the caller's buffer is then not a complete line).
bool FormatPresetLine(char* out, std::size_t size, const char* key, double value);

// Reads a preset file as the pattern "V%d.%d\n" followed by pairs "%s %lf\n".
class PresetTextReader {
 public:
  explicit PresetTextReader(std::FILE* file) : mBytes(file) {}

  // The version line: "V", two integers around a "." (any values), and the
  // white space after them. False when the pattern does not match.
  bool ReadVersion();
  // The next pair: a white-space-free key (a longer one than
  // PRESET_KEY_LENGTH comes back empty, so that it matches nothing), white
  // space, a number. The number is a decimal of any length (a point as the
  // separator, an optional exponent), read as the nearest double; one
  // beyond the range of doubles comes back as an infinity of its sign, one
  // too close to 0 as 0. "inf" and "nan" are numbers too, as for scanf.
  // False when no pair could be read: at the end of the file (AtEnd() is
  // then true) or at a value that is not a number.
  bool ReadPair(char (&key)[PRESET_KEY_LENGTH + 1], double* value);
  bool AtEnd() const { return mAtEnd; }

 private:
  int Next();
  void SkipWhiteSpace();
  // scanf's "%d": white space, an optional sign and at least one digit.
  bool ReadInt();
  // The next white-space-free token, at most `maximum` characters kept;
  // false when it was longer (the rest is consumed).
  bool ReadToken(char* buffer, int maximum);
  // The next white-space-free token as a number; false when it is none.
  bool ReadNumber(double* value);

  TextBytes mBytes;
  int mPending = -2;  // a character read ahead, or -2 for none
  bool mAtEnd = false;
};

// The preset name a path gives: the text after the last "/", ":" or "\",
// without its last extension (a name that starts with its only "." keeps
// it). Written into out (size bytes, terminated when size > 0).
void PresetNameFromPath(const char* path, char* out, std::size_t size);
