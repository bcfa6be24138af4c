#include <cstdio>

#include "platform/Files.h"

namespace vrels {

bool MoveReplacing(const char* from, const char* to) {
  return std::rename(from, to) == 0;
}

}  // namespace vrels
