// The off-screen buffer where the platform has no native bitmap here: zeroed
// heap memory and no drawing context (the X11 window layer copies the pixels
// to the screen itself).
#include <cstdint>
#include <cstdlib>

#include "../LICE_SysBitmap.h"

namespace {
// As for memory bitmaps: the storage stays below 2 GiB.
const std::uint64_t MAX_BYTES = 0x7fffffffu;
}  // namespace

LICE_SysBitmap::LICE_SysBitmap(int width, int height) {
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap() {
  FreeStorage();
}

void LICE_SysBitmap::FreeStorage() {
  std::free(mpBitmap);
  mpBitmap = nullptr;
  mpBits = nullptr;
}

bool LICE_SysBitmap::MakeStorage() {
  std::uint64_t bytes =
      static_cast<std::uint64_t>(mAllocWidth) * static_cast<std::uint64_t>(mAllocHeight) * sizeof(LICE_pixel);
  if (bytes > MAX_BYTES) return false;
  mpBitmap = std::calloc(static_cast<std::size_t>(bytes), 1);
  mpBits = static_cast<LICE_pixel*>(mpBitmap);
  return mpBitmap != nullptr;
}
