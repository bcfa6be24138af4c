// Reading a source bitmap at a fractional position, for the scaled and
// rotated blits: the nearest pixel, or the four nearest weighted by
// distance (bilinear). Positions are in pixel units with pixel (x, y)
// centred on (x, y); neighbours outside the source rectangle repeat its
// edge.
#pragma once

#include <cmath>

#include "LICE_PixelView.h"

namespace lice {

struct SourceArea {
  const PixelView& view;
  // The pixels that may be read: left..right-1 by top..bottom-1.
  int left, top, right, bottom;

  int ClampX(int x) const { return x < left ? left : (x >= right ? right - 1 : x); }
  int ClampY(int y) const { return y < top ? top : (y >= bottom ? bottom - 1 : y); }

  LICE_pixel Nearest(double x, double y) const {
    return view.Row(
        ClampY(static_cast<int>(std::floor(y + 0.5))))[ClampX(static_cast<int>(std::floor(x + 0.5)))];
  }

  LICE_pixel Bilinear(double x, double y) const {
    double fx = std::floor(x), fy = std::floor(y);
    int wx = static_cast<int>((x - fx) * 256.0), wy = static_cast<int>((y - fy) * 256.0);
    int x0 = ClampX(static_cast<int>(fx)), x1 = ClampX(static_cast<int>(fx) + 1);
    const LICE_pixel* row0 = view.Row(ClampY(static_cast<int>(fy)));
    const LICE_pixel* row1 = view.Row(ClampY(static_cast<int>(fy) + 1));
    LICE_pixel p00 = row0[x0], p10 = row0[x1], p01 = row1[x0], p11 = row1[x1];
    LICE_pixel out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      int upper =
          static_cast<int>((p00 >> shift) & 0xff) * (256 - wx) + static_cast<int>((p10 >> shift) & 0xff) * wx;
      int lower =
          static_cast<int>((p01 >> shift) & 0xff) * (256 - wx) + static_cast<int>((p11 >> shift) & 0xff) * wx;
      out |= static_cast<LICE_pixel>((upper * (256 - wy) + lower * wy) >> 16) << shift;
    }
    return out;
  }
};

}  // namespace lice
