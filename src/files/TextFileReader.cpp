#include "files/TextFileReader.h"

#include <cstring>

#include "platform/Files.h"

int TextBytes::Next() {
  if (!mpFile) return EOF;
  if (!mStarted) {
    mStarted = true;
    static const int kMark[MARK_LENGTH] = {0xEF, 0xBB, 0xBF};
    for (int i = 0; i < MARK_LENGTH; ++i) {
      const int c = std::fgetc(mpFile);
      if (c == EOF) break;
      mHeld[mNumHeld++] = c;
      if (c != kMark[i]) break;
    }
    if (mNumHeld == MARK_LENGTH && mHeld[MARK_LENGTH - 1] == kMark[MARK_LENGTH - 1]) mNumHeld = 0;
  }
  if (mNextHeld < mNumHeld) return mHeld[mNextHeld++];
  return std::fgetc(mpFile);
}

TextFileReader::TextFileReader(const char* path)
    : mpFile(vrels::OpenRegularFileForReading(path)), mBytes(mpFile) {}

TextFileReader::~TextFileReader() {
  if (mpFile) std::fclose(mpFile);
}

bool TextFileReader::ReadPhysicalLine() {
  mLine[0] = '\0';
  if (!mpFile) return false;
  int length = 0;
  int c = mBytes.Next();
  if (c == EOF) return false;
  for (; c != EOF && c != '\n'; c = mBytes.Next()) {
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
