// The raw view of a bitmap that the raster operations work on: one virtual
// call per operation, none per pixel.
#pragma once

#include "LICE_IBitmap.h"

namespace lice {

struct PixelView {
  LICE_pixel* bits = nullptr;
  int width = 0;
  int height = 0;
  int span = 0;

  explicit PixelView(LICE_IBitmap* bitmap) {
    if (!bitmap) return;
    bits = bitmap->GetBits();
    if (!bits) return;
    width = bitmap->GetWidth();
    height = bitmap->GetHeight();
    span = bitmap->GetRowSpan();
  }
  bool IsEmpty() const { return !bits || width <= 0 || height <= 0; }
  LICE_pixel* Row(int y) const { return bits + static_cast<long long>(y) * span; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace lice
