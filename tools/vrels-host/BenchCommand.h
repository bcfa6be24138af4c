// `vrels-host bench [--seconds S] [--block N] [--rate HZ] PLUGIN [plug-in
// options] [PLUGIN [plug-in options]]...`: the realtime factor and the worst
// block of each plug-in over the same long render of the built-in demo
// phrase, in one run. Options after a plug-in (--label, --preset, --set,
// --value, --chunk-in) apply to that entry, so one binary can be measured
// in several settings. When other binaries follow the first, the first
// binary's entries are compared with each of them.
#pragma once

#include "Arguments.h"

namespace vrelshost {

int RunBench(Arguments& arguments);

}  // namespace vrelshost
