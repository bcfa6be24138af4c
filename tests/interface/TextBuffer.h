// A text buffer as a host hands it to the plug-in, followed by a guard
// region; every byte starts as a marker, so a test sees what a call wrote and
// whether it wrote past the buffer.
#pragma once

#include <cstring>
#include <string>
#include <vector>

namespace interfacetest {

const char kUntouched = 0x5A;

struct TextBuffer {
  static const size_t kGuard = 64;

  explicit TextBuffer(size_t capacity) : size(capacity), bytes(capacity + kGuard, kUntouched) {}

  char* data() { return bytes.data(); }
  // A terminating zero lies inside the buffer proper.
  bool Terminated() const { return std::memchr(bytes.data(), '\0', size) != nullptr; }
  std::string Text() const { return Terminated() ? std::string(bytes.data()) : std::string(); }
  bool Untouched() const {
    for (char c : bytes) {
      if (c != kUntouched) return false;
    }
    return true;
  }
  bool GuardIntact() const {
    for (size_t i = size; i < bytes.size(); ++i) {
      if (bytes[i] != kUntouched) return false;
    }
    return true;
  }

  size_t size;
  std::vector<char> bytes;
};

}  // namespace interfacetest
