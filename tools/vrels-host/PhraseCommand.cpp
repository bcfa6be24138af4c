#include "PhraseCommand.h"

#include <cstdio>
#include <string>

#include "AudioFile.h"
#include "DemoPhrase.h"
#include "ToolError.h"

namespace vrelshost {

int RunPhrase(Arguments& arguments) {
  const std::string out = arguments.Take("OUT (the file to write)");
  double seconds = 9.6, rate = 44100.0;
  int bits = 0;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("option");
    if (option == "--seconds") {
      seconds = ParseNumberIn(arguments.TakeValue(option), option, 0.1, 3600);
    } else if (option == "--rate") {
      rate = ParseNumberIn(arguments.TakeValue(option), option, 1000, 768000);
    } else if (option == "--bits") {
      bits = ParseInteger(arguments.TakeValue(option), option, 16, 32);
    } else {
      throw UsageError("phrase has no option '" + option + "'");
    }
  }
  const AudioData phrase = DemoPhrase(rate, seconds);
  WriteAudioFile(out, phrase, bits);
  std::printf("%s: %s\n", out.c_str(), DescribeAudio(phrase).c_str());
  return 0;
}

}  // namespace vrelshost
