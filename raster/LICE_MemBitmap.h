// A bitmap whose pixels live in heap memory: decoded images, scaled and
// cropped copies, and the scratch bitmap of the drawing layer.
//
// Rows start on 64-byte boundaries: the storage is allocated 63 bytes
// larger and the pixel address is rounded up. The row span is the width
// rounded up to the row alignment (4 pixels for every bitmap of the
// editor). Growing allocates 5/4 of the need, so that a bitmap resized
// step by step is not reallocated each time; shrinking keeps the storage;
// a zero size frees it. When memory cannot be had the bitmap is left
// without storage and with the size 0 x 0, and drawing from or into it
// does nothing.
#pragma once

#include <cstddef>

#include "LICE_IBitmap.h"

class LICE_MemBitmap : public LICE_IBitmap {
 public:
  // rowAlignment in pixels: its lowest set bit is used, and at most 16.
  explicit LICE_MemBitmap(int width = 0, int height = 0, unsigned int rowAlignment = 4);
  ~LICE_MemBitmap() override;
  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_pixel* GetBits() override;
  int GetWidth() override { return mWidth; }
  int GetHeight() override { return mHeight; }
  int GetRowSpan() override { return RowSpanFor(mWidth); }
  bool Resize(int width, int height) override;

  // Bytes of pixel storage held (without the alignment reserve).
  std::size_t AllocatedBytes() const { return mAllocated; }

 private:
  int RowSpanFor(int width) const {
    return static_cast<int>((static_cast<unsigned int>(width) + mAlignMask) & ~mAlignMask);
  }
  void Free();

  unsigned char* mpStorage = nullptr;  // as allocated, 63 bytes over mAllocated
  int mWidth = 0;
  int mHeight = 0;
  std::size_t mAllocated = 0;
  unsigned int mAlignMask = 0;
};
