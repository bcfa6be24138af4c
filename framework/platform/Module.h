// Facts about the loaded library itself, and the process-wide lock that
// serialises instance creation.
#pragma once

#include <cstddef>

namespace vrels {

// The library's handle as recorded when it was loaded (Windows: the module
// instance handle from the load notification; elsewhere: null).
void* ModuleHandle();

// The full path of the library (or program) containing this code. False and
// an empty text when it cannot be found or does not fit.
bool ModuleFileName(char* buffer, std::size_t size);

// The creation lock: created on first use, destroyed when the library is
// unloaded.
void LockCreation();
void UnlockCreation();

}  // namespace vrels
