// `vrels-host render PLUGIN IN OUT [options]`: an audio file through a
// plug-in into another file, with the plug-in's state and the host's audio
// set-up and transport given on the command line; prints the result's
// length, peak, RMS and the realtime factor of the processing.
#pragma once

#include "Arguments.h"

namespace vrelshost {

int RunRender(Arguments& arguments);

// The options, for the usage text.
extern const char* const kRenderOptionsHelp;

}  // namespace vrelshost
