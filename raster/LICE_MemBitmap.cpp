#include "LICE_MemBitmap.h"

#include <cstdint>
#include <cstdlib>

namespace {
// The pixel address is the storage address rounded up to this many bytes.
const std::size_t ROW_START_ALIGNMENT = 64;
// The largest alignment honoured, in pixels.
const unsigned int MAX_ROW_ALIGNMENT = 16;
// The largest pixel storage a bitmap takes (2 GiB less the reserve), so that
// byte offsets fit in an int on every target.
const std::uint64_t MAX_BYTES = 0x7fffffffu - ROW_START_ALIGNMENT;
}  // namespace

LICE_MemBitmap::LICE_MemBitmap(int width, int height, unsigned int rowAlignment) {
  unsigned int lowest = rowAlignment & (~rowAlignment + 1u);
  if (lowest > MAX_ROW_ALIGNMENT) lowest = MAX_ROW_ALIGNMENT;
  mAlignMask = lowest ? lowest - 1 : 0;
  Resize(width, height);
}

LICE_MemBitmap::~LICE_MemBitmap() {
  Free();
}

void LICE_MemBitmap::Free() {
  std::free(mpStorage);
  mpStorage = nullptr;
  mAllocated = 0;
}

LICE_pixel* LICE_MemBitmap::GetBits() {
  if (!mpStorage) return nullptr;
  std::uintptr_t address = reinterpret_cast<std::uintptr_t>(mpStorage);
  address = (address + ROW_START_ALIGNMENT - 1) & ~static_cast<std::uintptr_t>(ROW_START_ALIGNMENT - 1);
  return reinterpret_cast<LICE_pixel*>(address);
}

bool LICE_MemBitmap::Resize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == mWidth && height == mHeight) return false;

  std::uint64_t need =
      static_cast<std::uint64_t>(RowSpanFor(width)) * static_cast<std::uint64_t>(height) * sizeof(LICE_pixel);
  if (need == 0) {
    Free();
    mWidth = width;
    mHeight = height;
    return true;
  }
  if (need > mAllocated) {
    std::uint64_t grown = need + need / 4;
    if (grown > MAX_BYTES) grown = need;
    void* storage = nullptr;
    if (need <= MAX_BYTES) {
      storage = std::realloc(mpStorage, static_cast<std::size_t>(grown) + ROW_START_ALIGNMENT - 1);
      if (storage) {
        mpStorage = static_cast<unsigned char*>(storage);
        mAllocated = static_cast<std::size_t>(grown);
      } else {
        // The growth reserve cannot be had: try the exact need afresh.
        Free();
        storage = std::malloc(static_cast<std::size_t>(need) + ROW_START_ALIGNMENT - 1);
        mpStorage = static_cast<unsigned char*>(storage);
        if (storage) mAllocated = static_cast<std::size_t>(need);
      }
    }
    if (!storage) {
      Free();
      bool changed = mWidth != 0 || mHeight != 0;
      mWidth = 0;
      mHeight = 0;
      return changed;
    }
  }
  mWidth = width;
  mHeight = height;
  return true;
}
