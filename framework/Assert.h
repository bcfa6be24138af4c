// Guards against programming faults. No input from a host, a chunk or a file
// reaches these: they stop the process with the expression text, the source
// file name and the line, so that a faulty build is caught at once.
#pragma once

namespace vrels {
[[noreturn]] void AssertionFailed(const char* expression, const char* file, int line);
}

#define VRELS_ASSERT(expression) \
  ((expression) ? static_cast<void>(0) : ::vrels::AssertionFailed(#expression, __FILE__, __LINE__))
