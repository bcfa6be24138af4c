// The state a command puts a plug-in instance in before it renders: a state
// chunk from a file, a Vrels preset file, and parameter settings, applied in
// that order; and the chunk written back to a file afterwards.
#pragma once

#include <string>
#include <vector>

#include "Arguments.h"
#include "ParameterRequests.h"
#include "PluginInstance.h"

namespace vrelshost {

struct PluginSettings {
  std::string chunkIn;   // effSetChunk with the file's bytes
  std::string preset;    // loaded by the plug-in as its Load button does
  std::string chunkOut;  // the bank chunk after the settings, written to this file
  std::vector<ParameterRequest> parameters;

  bool Empty() const { return chunkIn.empty() && preset.empty() && chunkOut.empty() && parameters.empty(); }
};

// Consumes `option` and its value when it is one of --chunk-in, --chunk-out,
// --preset, --set and --value; false for any other option.
bool TakeSettingsOption(const std::string& option, Arguments& arguments, PluginSettings* settings);

// Applies the settings to the instance. Throws
// ToolError when the plug-in cannot take them: a chunk for a plug-in
// without chunks, a preset for a plug-in other than Vrels, unreadable files.
void ApplySettings(PluginInstance& plugin, const PluginSettings& settings);

// The settings' description for the command's own output, e.g.
// "preset Dense Swarm.txt, 2 parameters".
std::string DescribeSettings(const PluginSettings& settings);

}  // namespace vrelshost
