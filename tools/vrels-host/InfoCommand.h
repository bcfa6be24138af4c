// `vrels-host info PLUGIN`: what a host sees of a plug-in binary.
#pragma once

#include <string>

namespace vrelshost {

// Loads the binary, prints its identity, counts and flags to standard output
// and returns the process exit status (0 on success, 1 when the binary cannot
// be loaded or yields no instance, with a message on standard error).
int RunInfo(const std::string& pluginPath);

}  // namespace vrelshost
