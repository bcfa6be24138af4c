// Plotting single pixels of a shape: clipped to the bitmap, with the weight
// scaled by the pixel's coverage.
#pragma once

#include "LICE_Blend.h"
#include "LICE_PixelView.h"

namespace lice {

struct Plotter {
  PixelView view;
  LICE_pixel colour;
  int scale;
  int mode;

  Plotter(LICE_IBitmap* dest, LICE_pixel c, float weight, int m)
      : view(dest), colour(c), scale(WeightScale(weight)), mode(m) {}

  bool IsIdle() const { return view.IsEmpty() || scale == 0; }

  // coverage in 0..1.
  void Plot(int x, int y, float coverage = 1.0f) const {
    if (!view.Contains(x, y) || !(coverage > 0.0f)) return;
    int s = coverage >= 1.0f ? scale : static_cast<int>(scale * coverage + 0.5f);
    if (s <= 0) return;
    LICE_pixel* p = view.Row(y) + x;
    *p = BlendPixel(*p, colour, s, mode);
  }
};

}  // namespace lice
