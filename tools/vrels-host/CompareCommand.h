// `vrels-host compare A B [--tolerance T] [--channels N] [--rate HZ]`: the
// largest sample difference between two audio files of the same shape.
// Exit status 0 when it is within the tolerance (default 0), 1 otherwise.
#pragma once

#include "Arguments.h"

namespace vrelshost {

int RunCompare(Arguments& arguments);

}  // namespace vrelshost
