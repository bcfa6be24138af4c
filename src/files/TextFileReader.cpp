#include "files/TextFileReader.h"

#include <cstring>

TextFileReader::TextFileReader(const char* path) {
  if (path && *path) mpFile = std::fopen(path, "rb");
}

TextFileReader::~TextFileReader() {
  if (mpFile) std::fclose(mpFile);
}

bool TextFileReader::ReadPhysicalLine() {
  mLine[0] = '\0';
  if (!mpFile) return false;
  int length = 0;
  int c = std::fgetc(mpFile);
  if (c == EOF) return false;
  for (; c != EOF && c != '\n'; c = std::fgetc(mpFile)) {
    if (c == '\r') continue;
    if (length < LINE_LENGTH) mLine[length++] = static_cast<char>(c);
  }
  mLine[length] = '\0';
  return true;
}

bool ConfigurationFileReader::ReadLine() {
  while (ReadPhysicalLine()) {
    if (char* comment = std::strchr(mLine, ';')) *comment = '\0';
    const char* rest = ParseToken(mLine, mKey, KEY_LENGTH);
    ParseToken(rest, mValue, VALUE_LENGTH);
    if (mKey[0] != '\0') return true;
  }
  mKey[0] = mValue[0] = '\0';
  return false;
}

const char* ParseToken(const char* text, char* buffer, int maximum) {
  int stored = 0;
  while (*text == ' ' || *text == '\t') ++text;
  if (*text == '"' || *text == '\'') {
    const char quote = *text++;
    for (; *text && *text != quote; ++text) {
      if (stored < maximum) buffer[stored++] = *text;
    }
    if (*text == quote) ++text;
  } else {
    for (; *text && *text != ' ' && *text != '\t'; ++text) {
      if (stored < maximum) buffer[stored++] = *text;
    }
  }
  buffer[stored] = '\0';
  return text;
}
