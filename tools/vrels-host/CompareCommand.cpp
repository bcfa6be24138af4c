#include "CompareCommand.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "AudioFile.h"
#include "ToolError.h"

namespace vrelshost {

int RunCompare(Arguments& arguments) {
  const std::string first = arguments.Take("the first audio file");
  const std::string second = arguments.Take("the second audio file");
  double tolerance = 0.0;
  RawLayout raw;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("option");
    if (option == "--tolerance") {
      tolerance = ParseNumberIn(arguments.TakeValue(option), option, 0, 1e9);
    } else if (option == "--channels") {
      raw.channels = ParseInteger(arguments.TakeValue(option), option, 1, 64);
    } else if (option == "--rate") {
      raw.sampleRate = ParseNumberIn(arguments.TakeValue(option), option, 1000, 768000);
    } else {
      throw UsageError("compare has no option '" + option + "'");
    }
  }
  const AudioData a = ReadAudioFile(first, raw);
  const AudioData b = ReadAudioFile(second, raw);
  if (a.channels != b.channels || a.Frames() != b.Frames()) {
    std::printf("different shapes: %lld frames x %d channels against %lld frames x %d channels\n",
                static_cast<long long>(a.Frames()), a.channels, static_cast<long long>(b.Frames()),
                b.channels);
    return kFailureStatus;
  }
  double largest = 0.0;
  size_t where = 0;
  for (size_t i = 0; i < a.samples.size(); ++i) {
    const double difference = std::fabs(static_cast<double>(a.samples[i]) - b.samples[i]);
    // A NaN on one side only is the largest difference of all.
    const bool oneNaN = std::isnan(a.samples[i]) != std::isnan(b.samples[i]);
    if (oneNaN || difference > largest) {
      largest = oneNaN ? INFINITY : difference;
      where = i;
      if (oneNaN) break;
    }
  }
  std::printf("largest difference %.3g at frame %lld, channel %d (%lld frames, %d channels)\n", largest,
              static_cast<long long>(a.channels ? where / a.channels : 0),
              a.channels ? static_cast<int>(where % a.channels) : 0, static_cast<long long>(a.Frames()),
              a.channels);
  return largest <= tolerance ? 0 : kFailureStatus;
}

}  // namespace vrelshost
