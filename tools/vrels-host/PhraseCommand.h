// `vrels-host phrase OUT [--seconds S] [--rate HZ] [--bits 16|24|32]`:
// writes the built-in demo phrase, for renders and listening.
#pragma once

#include "Arguments.h"

namespace vrelshost {

int RunPhrase(Arguments& arguments);

}  // namespace vrelshost
