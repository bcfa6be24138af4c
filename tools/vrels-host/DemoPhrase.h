// The built-in demo phrase: plucked strings playing a pentatonic line in
// eighth notes at 100 beats per minute, alternating a little left and right,
// peaking near -8 dBFS. Made in code (a plucked-string delay loop excited by
// integer noise), so it is the same on every machine; the demo renders and
// the benchmark's test signal use it.
#pragma once

#include "AudioData.h"

namespace vrelshost {

// `seconds` of the phrase at `sampleRate`, stereo; longer phrases repeat
// the melody.
AudioData DemoPhrase(double sampleRate, double seconds);

}  // namespace vrelshost
