// File operations the portable C library does not offer in the same form on
// every platform.
#pragma once

#include <cstdio>

namespace vrels {

// Moves `from` to `to`, replacing any file already there, in one step as far
// as the platform allows (the target is never left half written). False,
// and nothing changed, when it fails.
bool MoveReplacing(const char* from, const char* to);

// Opens a regular file for reading in binary mode. Null, with nothing left
// open, when the path is null or empty, cannot be opened, or names anything
// but a regular file: a directory (which POSIX systems open and read as
// empty), a device such as /dev/null or NUL, a pipe (never waited on).
std::FILE* OpenRegularFileForReading(const char* path);

}  // namespace vrels
