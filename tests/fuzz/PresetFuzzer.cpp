// Fuzz target: loading a preset file of any bytes into one plug-in, which
// keeps its state from input to input as a long session would.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "VrelsPlugin.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static VrelsPlugin* plug = new VrelsPlugin(nullptr);
  static const std::string path = "/tmp/vrels-preset-fuzz-" + std::to_string(getpid()) + ".txt";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  plug->ReadPreset(path.c_str());
  (void)plug->PresetName();
  return 0;
}
