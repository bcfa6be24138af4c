// Fuzz target: the PNG decoder on any bytes, into a new bitmap and into a
// given one. Every decoded pixel is read, so that the address sanitizer
// sees rows written outside the bitmap.
#include <cstddef>
#include <cstdint>

#include "LICE_MemBitmap.h"
#include "LICE_PNG.h"

namespace {

LICE_pixel Checksum(LICE_IBitmap* bitmap) {
  LICE_pixel sum = 0;
  for (int y = 0; y < bitmap->GetHeight(); ++y) {
    const LICE_pixel* row = bitmap->GetBits() + static_cast<std::size_t>(y) * bitmap->GetRowSpan();
    for (int x = 0; x < bitmap->GetWidth(); ++x) sum += row[x];
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (LICE_IBitmap* made = LICE_LoadPNGFromMemory(data, size)) {
    volatile LICE_pixel sum = Checksum(made);
    (void)sum;
    delete made;
  }
  LICE_MemBitmap target(3, 5);
  if (LICE_IBitmap* filled = LICE_LoadPNGFromMemory(data, size, &target)) {
    volatile LICE_pixel sum = Checksum(filled);
    (void)sum;
    if (filled != &target) delete filled;
  }
  return 0;
}
