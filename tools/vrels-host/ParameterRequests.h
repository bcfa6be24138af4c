// Parameter settings from the command line: "--set KEY=VALUE" with a
// normalised value (0..1), or "--value KEY=TEXT" with a value as the
// plug-in displays it ("120", "120 ms", "Sine"). KEY is a parameter index or
// name (exact, or ignoring case when that is unambiguous).
#pragma once

#include <string>
#include <vector>

#include "PluginInstance.h"

namespace vrelshost {

struct ParameterRequest {
  std::string key;
  std::string value;
  bool displayed = false;  // --value: `value` is display text
};

// Splits "KEY=VALUE"; a UsageError when either side is empty.
ParameterRequest ParseParameterRequest(const std::string& text, bool displayed);

// The index of the parameter named or numbered by `key`; a ToolError when
// there is none.
int FindParameter(PluginInstance& plugin, const std::string& key);

// The normalised value at which the parameter displays `text`, found on a
// separate trial instance of the binary, so that the values tried on the way
// never reach the instance that renders. Among the values that display the same, the
// middle one is chosen; a number between two displayed values is found by
// bisection. A ToolError when no value displays it.
float NormalisedForDisplay(PluginInstance& plugin, int index, const std::string& text);

// Resolves and applies each request in order, printing what was set.
void ApplyParameterRequests(PluginInstance& plugin, const std::vector<ParameterRequest>& requests);

}  // namespace vrelshost
