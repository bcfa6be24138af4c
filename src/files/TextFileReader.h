// Line readers for the plug-in's own small text files.
//
// TextFileReader owns an open file (or none) and a line buffer; the file is
// closed when the reader is destroyed. ConfigurationFileReader reads
// "key value" lines: a ";" starts a comment, blank and comment lines are
// skipped, and a token that starts with a double or single quote runs to the
// matching quote and may hold blanks.
//
// Both, and the preset reader, take a file's bytes through TextBytes, which
// leaves out a leading UTF-8 byte-order mark.
//
// Used at construction of the plug-in, on whichever thread creates it. Every
// buffer is bounded: long lines, keys and values are cut, never overflow.
#pragma once

#include <cstdio>

// The bytes of an open file (or none) one at a time, without the UTF-8
// byte-order mark (EF BB BF) that Windows editors put at the start of a text
// file. Bytes that only begin like the mark are given back as they are. The
// caller keeps the file.
class TextBytes {
 public:
  explicit TextBytes(std::FILE* file) : mpFile(file) {}
  // The next byte as fgetc gives it, or EOF (also when there is no file).
  int Next();

 private:
  static const int MARK_LENGTH = 3;

  std::FILE* mpFile;
  bool mStarted = false;
  // The file's first bytes while they are given back, when not the mark.
  int mHeld[MARK_LENGTH] = {};
  int mNumHeld = 0;
  int mNextHeld = 0;
};

class TextFileReader {
 public:
  static const int LINE_LENGTH = 128;

  // Opens the file for reading; IsOpen tells whether that worked (not for
  // anything but a regular file: a directory or a device reads as none).
  explicit TextFileReader(const char* path);
  // Reads an open file (or none), which it then owns.
  explicit TextFileReader(std::FILE* file) : mpFile(file), mBytes(file) {}
  virtual ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  bool IsOpen() const { return mpFile != nullptr; }

 protected:
  // The next physical line into mLine (carriage returns dropped, at most
  // LINE_LENGTH characters kept, the rest of the line skipped). Only a line
  // feed or the end of the file ends a line: bytes 128..255 are ordinary
  // characters, as in any path with letters beyond ASCII. A byte-order mark
  // at the start of the file is not part of the first line. False at the
  // end of the file.
  bool ReadPhysicalLine();

  std::FILE* mpFile = nullptr;
  TextBytes mBytes;
  char mLine[LINE_LENGTH + 1] = {};
};

class ConfigurationFileReader : public TextFileReader {
 public:
  static const int KEY_LENGTH = 40;
  static const int VALUE_LENGTH = 512;

  explicit ConfigurationFileReader(const char* path) : TextFileReader(path) {}
  explicit ConfigurationFileReader(std::FILE* file) : TextFileReader(file) {}
  ~ConfigurationFileReader() override = default;

  // The next line with a key: true with Key() and Value() set (the value may
  // be empty), false at the end of the file.
  bool ReadLine();
  const char* Key() const { return mKey; }
  const char* Value() const { return mValue; }

 private:
  char mKey[KEY_LENGTH + 1] = {};
  char mValue[VALUE_LENGTH + 1] = {};
};

// Reads one token of `text` into `buffer` (maximum characters plus the
// terminator): blanks and tabs are skipped first; a quoted token runs to the
// matching quote, which is dropped; otherwise the token ends at a blank, a
// tab or the end. Characters beyond the maximum are consumed, not stored.
// Returns the position after the token (after a closing quote).
const char* ParseToken(const char* text, char* buffer, int maximum);
