// `vrels-host info PLUGIN`: what a host sees of a plug-in binary: identity,
// flags, counts, programs, and every parameter with its index, name, label
// and current display.
#pragma once

#include "Arguments.h"

namespace vrelshost {

// Prints to standard output; returns the exit status (throws ToolError).
int RunInfo(Arguments& arguments);

}  // namespace vrelshost
