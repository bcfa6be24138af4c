#include "InfoCommand.h"

#include <cstdio>
#include <string>

#include "PluginInstance.h"
#include "ToolError.h"

namespace vrelshost {

namespace {

std::string FourCharacterCode(int32_t id) {
  std::string code;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>((id >> shift) & 0xFF);
    code += (c >= 32 && c < 127) ? c : '?';
  }
  return code;
}

std::string FlagNames(int32_t flags) {
  static const struct {
    int32_t flag;
    const char* name;
  } kFlags[] = {{effFlagsHasEditor, "editor"},
                {effFlagsCanReplacing, "replacing"},
                {effFlagsProgramChunks, "chunks"},
                {effFlagsIsSynth, "instrument"},
                {effFlagsNoSoundInStop, "silent-when-stopped"},
                {effFlagsCanDoubleReplacing, "double"},
                {effFlagsCanMono, "mono"}};
  std::string names;
  for (const auto& entry : kFlags) {
    if (flags & entry.flag) names += (names.empty() ? "" : ", ") + std::string(entry.name);
  }
  return names;
}

}  // namespace

int RunInfo(Arguments& arguments) {
  const std::string path = arguments.Take("PLUGIN");
  if (!arguments.Done()) throw UsageError("info takes one plug-in, not '" + arguments.Take("") + "'");
  PluginInstance plugin(path, 44100.0, 512);
  testhost::Host& host = plugin.Host();
  const AEffect& effect = plugin.Effect();
  std::printf("plug-in:    %s\n", path.c_str());
  std::printf("name:       %s\n", host.GetEffectName().c_str());
  std::printf("vendor:     %s\n", host.GetVendorString().c_str());
  std::printf("product:    %s\n", host.GetProductString().c_str());
  std::printf("unique ID:  '%s' (0x%08X)\n", FourCharacterCode(effect.uniqueID).c_str(),
              static_cast<unsigned>(effect.uniqueID));
  std::printf("version:    %d\n", effect.version);
  std::printf("category:   %d\n", static_cast<int>(host.Dispatch(effGetPlugCategory)));
  std::printf("counts:     %d parameters, %d programs, %d inputs, %d outputs\n", effect.numParams,
              effect.numPrograms, effect.numInputs, effect.numOutputs);
  std::printf("flags:      0x%X (%s)\n", static_cast<unsigned>(effect.flags),
              FlagNames(effect.flags).c_str());
  std::printf("latency:    %d samples\n", effect.initialDelay);

  const int programs = CountOf(effect.numPrograms);
  std::printf("\nprograms (current %d):\n", host.GetProgram());
  for (int i = 0; i < programs; ++i) {
    const std::string name = host.GetProgramNameIndexed(i);
    std::printf("  %3d  %s\n", i, name.empty() ? "(no name given)" : name.c_str());
  }

  const int parameters = CountOf(effect.numParams);
  std::printf("\nparameters (index, name, display, label, normalised value):\n");
  for (int i = 0; i < parameters; ++i) {
    std::printf("  %4d  %-12s %14s %-8s %.6f\n", i, host.GetParamName(i).c_str(),
                host.GetParamDisplay(i).c_str(), host.GetParamLabel(i).c_str(), host.GetParameter(i));
  }
  return 0;
}

}  // namespace vrelshost
