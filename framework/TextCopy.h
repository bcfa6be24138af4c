// Bounded copies of zero-terminated texts into fixed-size fields and host
// buffers. The result is always terminated; a null source gives an empty text.
#pragma once

#include <cstddef>

namespace vrels {

inline void CopyText(char* destination, const char* source, std::size_t destinationSize) {
  if (!destination || destinationSize == 0) return;
  std::size_t i = 0;
  if (source) {
    for (; i + 1 < destinationSize && source[i]; ++i) destination[i] = source[i];
  }
  destination[i] = '\0';
}

template <std::size_t N>
inline void CopyText(char (&destination)[N], const char* source) {
  CopyText(destination, source, N);
}

}  // namespace vrels
