#include "Assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vrels {

void AssertionFailed(const char* expression, const char* file, int line) {
  // Only the file's own name, as the build directory means nothing to a user.
  const char* name = file;
  for (const char* p = file; *p; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, name, line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace vrels
