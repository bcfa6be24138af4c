// vrels-host: a command-line VST 2.4 host for Vrels and other plug-ins.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "Arguments.h"
#include "BenchCommand.h"
#include "CompareCommand.h"
#include "InfoCommand.h"
#include "PhraseCommand.h"
#include "RenderCommand.h"
#include "ToolError.h"

namespace {

void PrintUsage() {
  std::fprintf(
      stderr,
      "usage:\n"
      "  vrels-host info PLUGIN\n"
      "      identity, flags, counts, programs and every parameter of a VST 2.4 plug-in\n"
      "  vrels-host render PLUGIN IN OUT [options]\n"
      "      renders an audio file through the plug-in (%s)\n%s"
      "  vrels-host bench [--seconds S] [--block N] [--rate HZ] PLUGIN [--label L] [settings] [PLUGIN ...]\n"
      "      realtime factor and worst block of each plug-in (settings: --preset, --set, --value, "
      "--chunk-in)\n"
      "  vrels-host phrase OUT [--seconds S] [--rate HZ] [--bits B]\n"
      "      writes the built-in demo phrase\n"
      "  vrels-host compare A B [--tolerance T] [--channels N]\n"
      "      the largest sample difference of two audio files; fails above the tolerance\n",
#if defined(_WIN32)
      "raw 32-bit float files, .f32 or .raw",
#else
      "WAV, AIFF, FLAC or raw 32-bit float .f32",
#endif
      vrelshost::kRenderOptionsHelp);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vrelshost;
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "help")) {
    PrintUsage();
    return argc < 2 ? kUsageStatus : 0;
  }
  const std::string command = argv[1];
  Arguments arguments(argc, argv, 2);
  try {
    if (command == "info") return RunInfo(arguments);
    if (command == "render") return RunRender(arguments);
    if (command == "bench") return RunBench(arguments);
    if (command == "phrase") return RunPhrase(arguments);
    if (command == "compare") return RunCompare(arguments);
    throw UsageError("unknown command '" + command + "'");
  } catch (const ToolError& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "vrels-host: %s\n", error.what());
    if (error.Status() == kUsageStatus) std::fprintf(stderr, "(vrels-host --help shows the usage)\n");
    return error.Status();
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "vrels-host: %s\n", error.what());
    return kFailureStatus;
  }
}
