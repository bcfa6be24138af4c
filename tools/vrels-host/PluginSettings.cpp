#include "PluginSettings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "FileHandle.h"
#include "NativePath.h"
#include "ToolError.h"
#include "VendorRequests.h"

namespace vrelshost {

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  FileHandle file(std::fopen(testhost::ToNativePath(path).c_str(), "rb"));
  if (!file) throw ToolError("cannot open " + path + ": " + std::strerror(errno));
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes.insert(bytes.end(), buffer, buffer + count);
  if (std::ferror(file.get())) throw ToolError("cannot read " + path);
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FileHandle file(std::fopen(testhost::ToNativePath(path).c_str(), "wb"));
  if (!file) throw ToolError("cannot create " + path + ": " + std::strerror(errno));
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0) {
    throw ToolError("cannot write " + path);
  }
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool TakeSettingsOption(const std::string& option, Arguments& arguments, PluginSettings* settings) {
  if (option == "--chunk-in") {
    settings->chunkIn = arguments.TakeValue(option);
  } else if (option == "--chunk-out") {
    settings->chunkOut = arguments.TakeValue(option);
  } else if (option == "--preset") {
    settings->preset = arguments.TakeValue(option);
  } else if (option == "--set" || option == "--value") {
    settings->parameters.push_back(ParseParameterRequest(arguments.TakeValue(option), option == "--value"));
  } else {
    return false;
  }
  return true;
}

void ApplySettings(PluginInstance& plugin, const PluginSettings& settings) {
  testhost::Host& host = plugin.Host();
  const bool takesChunks = (plugin.Effect().flags & effFlagsProgramChunks) != 0;
  if (!settings.chunkIn.empty()) {
    if (!takesChunks) throw ToolError(plugin.Path() + " does not take state chunks");
    const std::vector<uint8_t> chunk = ReadBytes(settings.chunkIn);
    if (host.SetChunk(chunk, true) != 1)
      throw ToolError(plugin.Path() + " refused the chunk in " + settings.chunkIn);
  }
  if (!settings.preset.empty()) {
    if (!plugin.IsVrels())
      throw ToolError("--preset reads Vrels preset files; " + plugin.Path() + " is not Vrels");
    // The plug-in reads the file itself, with the Load button's reader.
    std::string native = testhost::ToNativePath(settings.preset);
    if (host.Dispatch(effVendorSpecific, vrelsvendor::kIndex, vrelsvendor::kLoadPresetFile, &native[0]) !=
        1) {
      throw ToolError("cannot read the preset file " + settings.preset);
    }
  }
  ApplyParameterRequests(plugin, settings.parameters);
  if (!settings.chunkOut.empty()) {
    if (!takesChunks) throw ToolError(plugin.Path() + " does not give state chunks");
    const std::vector<uint8_t> chunk = host.GetChunk(true);
    if (chunk.empty()) throw ToolError(plugin.Path() + " gave no state chunk");
    WriteBytes(settings.chunkOut, chunk);
  }
}

std::string DescribeSettings(const PluginSettings& settings) {
  std::string text;
  auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
  if (!settings.chunkIn.empty()) add("chunk " + FileName(settings.chunkIn));
  if (!settings.preset.empty()) add("preset " + FileName(settings.preset));
  if (!settings.parameters.empty()) {
    add(std::to_string(settings.parameters.size()) +
        (settings.parameters.size() == 1 ? " parameter" : " parameters"));
  }
  return text;
}

}  // namespace vrelshost
