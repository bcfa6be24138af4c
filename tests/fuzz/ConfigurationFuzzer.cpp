// Fuzz target: the configuration file reader on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "files/Configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  Configuration configuration;
  configuration.Read(file);
  for (int key = 0; key < Configuration::NUM_CONFIGURABLES; ++key) {
    (void)configuration.Get(static_cast<Configuration::Key>(key)).mValue.size();
  }
  return 0;
}
