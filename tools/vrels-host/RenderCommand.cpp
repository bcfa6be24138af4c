#include "RenderCommand.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "AudioFile.h"
#include "PictureRequest.h"
#include "PluginSettings.h"
#include "RenderSession.h"
#include "ToolError.h"

namespace vrelshost {

const char* const kRenderOptionsHelp =
    "  --rate HZ             sample rate (raw input; other files play at their own rate)\n"
    "  --channels N          channels of a raw input file (default 2)\n"
    "  --block FRAMES        frames per processing call (default 512)\n"
    "  --tempo BPM           transport tempo (default 120)\n"
    "  --time-signature N/D  (default 4/4)\n"
    "  --stopped             transport not playing\n"
    "  --no-transport        the host has no time information\n"
    "  --set KEY=VALUE       parameter (index or name) to a normalised value 0..1\n"
    "  --value KEY=TEXT      parameter to the value it displays as TEXT (\"120\", \"Sine\")\n"
    "  --preset FILE         Vrels preset file, loaded as the editor's Load button does\n"
    "  --chunk-in FILE       state chunk to restore first\n"
    "  --chunk-out FILE      state chunk to save once the settings are made\n"
    "  --tail SECONDS        silence rendered after the input so echoes ring out (default 0)\n"
    "  --bits 16|24|32       output samples (32: float; default float, FLAC 24)\n"
    "  --quiet               no progress line\n"
    "  --editor-png FILE     after the render, Vrels writes a picture of its editor (PNG)\n";

namespace {

struct RenderOptions {
  std::string plugin, in, out;
  std::string editorPicture;  // empty: none
  double rate = 0.0;          // 0: the file's own
  int channels = 2;
  int bits = 0;
  bool quiet = false;
  double tailSeconds = 0.0;
  RenderSetup setup;
  PluginSettings settings;
};

void ParseTimeSignature(const std::string& text, Transport* transport) {
  const size_t slash = text.find('/');
  if (slash == std::string::npos)
    throw UsageError("--time-signature takes N/D, such as 3/4, not '" + text + "'");
  transport->numerator = ParseInteger(text.substr(0, slash), "--time-signature", 1, 64);
  transport->denominator = ParseInteger(text.substr(slash + 1), "--time-signature", 1, 64);
}

RenderOptions ParseRenderOptions(Arguments& arguments) {
  RenderOptions options;
  options.plugin = arguments.Take("PLUGIN");
  options.in = arguments.Take("IN (the audio file to render)");
  options.out = arguments.Take("OUT (the file to write)");
  while (!arguments.Done()) {
    const std::string option = arguments.Take("option");
    if (TakeSettingsOption(option, arguments, &options.settings)) continue;
    if (option == "--rate") {
      options.rate = ParseNumberIn(arguments.TakeValue(option), option, 1000, 768000);
    } else if (option == "--channels") {
      options.channels = ParseInteger(arguments.TakeValue(option), option, 1, 64);
    } else if (option == "--block") {
      options.setup.blockSize = ParseInteger(arguments.TakeValue(option), option, 1, 65536);
    } else if (option == "--tempo") {
      options.setup.transport.tempo = ParseNumberIn(arguments.TakeValue(option), option, 1, 999);
    } else if (option == "--time-signature") {
      ParseTimeSignature(arguments.TakeValue(option), &options.setup.transport);
    } else if (option == "--stopped") {
      options.setup.transport.playing = false;
    } else if (option == "--no-transport") {
      options.setup.transport.available = false;
    } else if (option == "--tail") {
      options.tailSeconds = ParseNumberIn(arguments.TakeValue(option), option, 0, 3600);
    } else if (option == "--bits") {
      options.bits = ParseInteger(arguments.TakeValue(option), option, 16, 32);
      if (options.bits != 16 && options.bits != 24 && options.bits != 32)
        throw UsageError("--bits takes 16, 24 or 32");
    } else if (option == "--quiet") {
      options.quiet = true;
    } else if (option == "--editor-png") {
      options.editorPicture = arguments.TakeValue(option);
    } else {
      throw UsageError("render has no option '" + option + "'");
    }
  }
  return options;
}

}  // namespace

int RunRender(Arguments& arguments) {
  RenderOptions options = ParseRenderOptions(arguments);
  RawLayout raw;
  raw.channels = options.channels;
  raw.sampleRate = options.rate > 0 ? options.rate : 44100.0;
  AudioData input = ReadAudioFile(options.in, raw);
  if (options.rate > 0 && std::fabs(options.rate - input.sampleRate) > 1e-9) {
    throw UsageError(options.in + " is at " + std::to_string(static_cast<int>(input.sampleRate)) +
                     " Hz; vrels-host does not resample, so --rate must match it");
  }
  options.setup.tailFrames = static_cast<int64_t>(std::llround(options.tailSeconds * input.sampleRate));

  PluginInstance plugin(options.plugin, input.sampleRate, options.setup.blockSize);
  const int inputs = CountOf(plugin.Effect().numInputs);
  if (input.channels > inputs) {
    std::fprintf(stderr, "vrels-host: note: %s has %d inputs; channels beyond them are not used\n",
                 options.plugin.c_str(), inputs);
  }
  if (CountOf(plugin.Effect().numOutputs) == 0) throw ToolError(options.plugin + " has no audio outputs");
  if (!options.editorPicture.empty() && !plugin.IsVrels())
    throw ToolError("--editor-png asks Vrels for a picture of its editor; " + options.plugin +
                    " is not Vrels");
  plugin.Start();
  RunOneSilentBlock(plugin, options.setup, input.sampleRate);
  ApplySettings(plugin, options.settings);

  RenderTiming timing;
  ProgressLine progress("rendering", input.Frames() + options.setup.tailFrames, input.sampleRate,
                        options.quiet);
  const AudioData output = RenderThrough(plugin, input, options.setup, &timing, &progress);
  // While still switched on: the picture shows the state the render left.
  if (!options.editorPicture.empty()) RequestEditorPicture(plugin, options.editorPicture);
  plugin.Stop();
  WriteAudioFile(options.out, output, options.bits);

  std::printf("%s: %s, %.0fx realtime\n", options.out.c_str(), DescribeAudio(output).c_str(),
              timing.RealtimeFactor(output.Seconds()));
  const Levels levels = MeasureLevels(output);
  if (levels.notFinite > 0) {
    std::printf("warning: %lld samples are not finite numbers\n", static_cast<long long>(levels.notFinite));
  }
  return 0;
}

}  // namespace vrelshost
