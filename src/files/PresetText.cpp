#include "files/PresetText.h"

#include <cctype>
#include <charconv>
#include <cstring>

#include "params/TextFormat.h"

namespace {
const int kNumberLength = 64;  // any number worth reading fits

bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

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
  const int c = std::fgetc(mpFile);
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
  char number[kNumberLength + 1];
  const bool numberFits = ReadToken(number, kNumberLength);
  if (!numberFits || number[0] == '\0') return false;
  // from_chars reads no leading "+", which %lf accepts.
  const char* first = number[0] == '+' ? number + 1 : number;
  const char* last = number + std::strlen(number);
  const std::from_chars_result result = std::from_chars(first, last, *value);
  if (result.ec != std::errc() || result.ptr != last) {
    mAtEnd = false;  // stopped at a value, not at the end
    return false;
  }
  SkipWhiteSpace();
  return true;
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
