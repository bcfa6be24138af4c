// Fuzz target: any bytes handed to effSetChunk as a bank or a program
// chunk, then the state read back and a short block processed.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "VrelsPlugin.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static VrelsPlugin* plug = new VrelsPlugin(nullptr);
  static AEffect* effect = plug->GetAEffect();
  if (size == 0) return 0;
  // The first byte chooses bank or program; the rest is the chunk, copied
  // so that a read beyond it is seen.
  std::vector<std::uint8_t> chunk(data + 1, data + size);
  effect->dispatcher(effect, effSetChunk, data[0] & 1, static_cast<intptr_t>(chunk.size()), chunk.data(),
                     0.0f);
  void* state = nullptr;
  effect->dispatcher(effect, effGetChunk, data[0] & 1, 0, &state, 0.0f);
  double left[64] = {}, right[64] = {};
  double* channels[2] = {left, right};
  effect->processDoubleReplacing(effect, channels, channels, 64);
  return 0;
}
