// A text of fixed capacity that one thread writes and another reads without
// a lock and without allocating: the storage of a control's text, which the
// audio or host thread replaces (instance mutex held) while the GUI tick
// reads it to draw.
//
// A sequence lock: the writer makes the sequence number odd, writes the
// characters and makes it even again; a reader copies the characters and
// retries when the number was odd or changed meanwhile. Every character is
// an atomic (release stores, acquire loads, which cost nothing more than
// plain ones on x86), so there is no data race in the language's sense,
// and a reader never sees half of one text and half of another. Writers
// must not overlap one another (the instance mutex, or a single writing
// thread, sees to that); readers may run on any thread at any time.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

class SharedText {
 public:
  static const int CAPACITY = 256;  // bytes, terminator included

  SharedText() { mChars[0].store('\0', std::memory_order_relaxed); }
  SharedText(const SharedText&) = delete;
  SharedText& operator=(const SharedText&) = delete;

  // Writer: replaces the text, cut at CAPACITY - 1 bytes. Null is empty.
  void Set(const char* text);
  // Writer: whether the stored text equals the given one (after the cut).
  bool Equals(const char* text) const;
  // Reader: copies the text into out (size bytes, always terminated when
  // size > 0); returns its length.
  int CopyTo(char* out, std::size_t size) const;
  // Reader: whether the text is empty.
  bool IsEmpty() const;

 private:
  std::atomic<std::uint32_t> mSequence{0};
  std::atomic<char> mChars[CAPACITY];
};
