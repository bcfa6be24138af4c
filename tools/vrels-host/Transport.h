// The transport the tool reports to a plug-in: tempo, time signature and
// whether it plays. A playing transport starts at sample 0 and advances with
// every block; a stopped one stays at 0.
#pragma once

#include <cstdint>

#include "HostSettings.h"

namespace vrelshost {

struct Transport {
  double tempo = 120.0;
  int32_t numerator = 4;
  int32_t denominator = 4;
  bool playing = true;
  bool available = true;  // false: the host answers that it has no time information

  // The record for a block starting at `frame`.
  testhost::HostTime At(int64_t frame, double sampleRate) const;
};

}  // namespace vrelshost
