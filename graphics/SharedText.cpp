#include "SharedText.h"

#include <thread>

void SharedText::Set(const char* text) {
  if (!text) text = "";
  const std::uint32_t sequence = mSequence.load(std::memory_order_relaxed);
  mSequence.store(sequence + 1, std::memory_order_relaxed);
  // Release stores: a reader that sees any of these characters also sees
  // the odd number (or a later one) when it checks again.
  int i = 0;
  for (; i < CAPACITY - 1 && text[i]; ++i) mChars[i].store(text[i], std::memory_order_release);
  mChars[i].store('\0', std::memory_order_release);
  mSequence.store(sequence + 2, std::memory_order_release);
}

bool SharedText::Equals(const char* text) const {
  if (!text) text = "";
  int i = 0;
  for (; i < CAPACITY - 1; ++i) {
    const char c = mChars[i].load(std::memory_order_relaxed);
    if (c != text[i]) return false;
    if (c == '\0') return true;
  }
  // The stored text is cut here; so would the given one be.
  return true;
}

int SharedText::CopyTo(char* out, std::size_t size) const {
  if (!out || size == 0) return 0;
  const int limit = size < static_cast<std::size_t>(CAPACITY) ? static_cast<int>(size) : CAPACITY;
  for (;;) {
    const std::uint32_t before = mSequence.load(std::memory_order_acquire);
    if (before & 1u) {
      std::this_thread::yield();  // a write is under way
      continue;
    }
    int i = 0;
    for (; i < limit - 1; ++i) {
      out[i] = mChars[i].load(std::memory_order_acquire);
      if (out[i] == '\0') break;
    }
    out[i] = '\0';
    // Acquire loads above: the number is read again after the characters.
    if (mSequence.load(std::memory_order_relaxed) == before) return i;
  }
}

bool SharedText::IsEmpty() const {
  return mChars[0].load(std::memory_order_relaxed) == '\0';
}
