#include <windows.h>

#include "platform/Files.h"

namespace vrels {

bool MoveReplacing(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace vrels
