// File operations the portable C library does not offer in the same form on
// every platform.
#pragma once

namespace vrels {

// Moves `from` to `to`, replacing any file already there, in one step as far
// as the platform allows (the target is never left half written). False,
// and nothing changed, when it fails.
bool MoveReplacing(const char* from, const char* to);

}  // namespace vrels
