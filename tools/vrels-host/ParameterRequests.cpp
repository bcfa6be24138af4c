#include "ParameterRequests.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <locale>
#include <memory>
#include <sstream>

#include "Arguments.h"
#include "ToolError.h"

namespace vrelshost {

namespace {

// Values tried across 0..1 before narrowing down.
const int kTrialSteps = 1000;
const int kBisections = 40;

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The number a text starts with ("120.5 ms" gives 120.5), or NaN.
double LeadingNumber(const std::string& text) {
  std::istringstream stream(text);
  stream.imbue(std::locale::classic());
  double value;
  if (!(stream >> value) || !std::isfinite(value)) return std::numeric_limits<double>::quiet_NaN();
  return value;
}

bool IsIndex(const std::string& key) {
  if (key.empty() || key.size() > 6) return false;
  for (char c : key) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string FormatNumber(double value) {
  std::ostringstream stream;
  stream.imbue(std::locale::classic());
  stream << value;
  return stream.str();
}

// Displays of one parameter for normalised values.
using DisplayFunction = std::function<std::string(float)>;

}  // namespace

ParameterRequest ParseParameterRequest(const std::string& text, bool displayed) {
  const size_t equals = text.find('=');
  const char* option = displayed ? "--value" : "--set";
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
    throw UsageError(std::string(option) + " takes KEY=VALUE, not '" + text + "'");
  }
  ParameterRequest request;
  request.key = text.substr(0, equals);
  request.value = text.substr(equals + 1);
  request.displayed = displayed;
  return request;
}

int FindParameter(PluginInstance& plugin, const std::string& key) {
  const int count = CountOf(plugin.Effect().numParams);
  if (IsIndex(key)) {
    const int index = std::stoi(key);
    if (index < count) return index;
    throw ToolError(plugin.Path() + " has " + std::to_string(count) + " parameters; there is no parameter " +
                    key);
  }
  int found = -1, alike = -1, alikeCount = 0;
  for (int i = 0; i < count && found < 0; ++i) {
    const std::string name = plugin.Host().GetParamName(i);
    if (name == key) found = i;
    if (SameIgnoringCase(name, key) && alikeCount++ == 0) alike = i;
  }
  if (found >= 0) return found;
  if (alikeCount == 1) return alike;
  if (alikeCount > 1)
    throw ToolError("several parameters of " + plugin.Path() + " are named '" + key +
                    "' when case is ignored");
  throw ToolError(plugin.Path() + " has no parameter named '" + key + "' (vrels-host info lists them)");
}

float NormalisedForDisplay(PluginInstance& plugin, int index, const std::string& text) {
  // The trial instance shows what setting a value really gives. (A
  // plug-in's display-for-value extension may not: Vrels' shows stepped
  // parameters unrounded.)
  // It starts from the rendering instance's state where the plug-in hands
  // it over, since one parameter's display may depend on others (a synced
  // time shows note values).
  std::unique_ptr<testhost::Host> trial = plugin.OpenAnother();
  if (plugin.Effect().flags & effFlagsProgramChunks) {
    const std::vector<uint8_t> state = plugin.Host().GetChunk(true);
    if (!state.empty()) trial->SetChunk(state, true);
  }
  DisplayFunction display = [&trial, index](float x) {
    trial->SetParameter(index, x);
    return Trimmed(trial->GetParamDisplay(index));
  };

  const std::string wanted = Trimmed(text);
  std::vector<std::string> shown(kTrialSteps + 1);
  for (int i = 0; i <= kTrialSteps; ++i) shown[i] = display(static_cast<float>(i) / kTrialSteps);

  // The middle of the first run of trial values that display the text.
  auto middleOfRun = [&](const std::function<bool(int)>& matches) -> float {
    for (int i = 0; i <= kTrialSteps; ++i) {
      if (!matches(i)) continue;
      int last = i;
      while (last < kTrialSteps && matches(last + 1)) ++last;
      return static_cast<float>((i + last) * 0.5 / kTrialSteps);
    }
    return -1.0f;
  };
  float found = middleOfRun([&](int i) { return SameIgnoringCase(shown[i], wanted); });
  if (found >= 0) return found;

  const double target = LeadingNumber(wanted);
  const std::string name = plugin.Host().GetParamName(index);
  const std::string range = "'" + shown[0] + "' .. '" + shown[kTrialSteps] + "'";
  if (std::isnan(target)) throw ToolError(name + " never displays '" + wanted + "'; it shows " + range);
  std::vector<double> offset(kTrialSteps + 1);
  for (int i = 0; i <= kTrialSteps; ++i) offset[i] = LeadingNumber(shown[i]) - target;
  found = middleOfRun([&](int i) { return offset[i] == 0; });
  if (found >= 0) return found;

  // Between two trial values the display passes the number: narrow down.
  for (int i = 0; i < kTrialSteps; ++i) {
    if (!(offset[i] * offset[i + 1] < 0)) continue;
    double low = static_cast<double>(i) / kTrialSteps, high = static_cast<double>(i + 1) / kTrialSteps;
    double lowOffset = offset[i], highOffset = offset[i + 1];
    for (int step = 0; step < kBisections; ++step) {
      const double middle = 0.5 * (low + high);
      const double middleOffset = LeadingNumber(display(static_cast<float>(middle))) - target;
      if (middleOffset == 0) return static_cast<float>(middle);
      if (std::isnan(middleOffset)) break;
      if ((middleOffset < 0) == (lowOffset < 0)) {
        low = middle;
        lowOffset = middleOffset;
      } else {
        high = middle;
        highOffset = middleOffset;
      }
    }
    return static_cast<float>(std::fabs(lowOffset) <= std::fabs(highOffset) ? low : high);
  }
  throw ToolError(name + " cannot be set to " + FormatNumber(target) + ": it shows " + range);
}

void ApplyParameterRequests(PluginInstance& plugin, const std::vector<ParameterRequest>& requests) {
  testhost::Host& host = plugin.Host();
  for (const ParameterRequest& request : requests) {
    const int index = FindParameter(plugin, request.key);
    const float value =
        request.displayed
            ? NormalisedForDisplay(plugin, index, request.value)
            : static_cast<float>(ParseNumberIn(request.value, "--set " + request.key, 0.0, 1.0));
    host.SetParameter(index, value);
    const std::string label = host.GetParamLabel(index);
    std::printf("set %s (%d) to %.6f: %s%s%s\n", host.GetParamName(index).c_str(), index, value,
                host.GetParamDisplay(index).c_str(), label.empty() ? "" : " ", label.c_str());
  }
}

}  // namespace vrelshost
