// How a raster operation combines a source pixel with a destination pixel.
//
// A mode is one of copy, additive and colour dodge, optionally with
// LICE_BLIT_USE_ALPHA, which scales the weight by the source pixel's alpha.
// Every operation also takes an alpha weight in 0..1. Each formula applies
// to all four channels alike, with f = weight (x source alpha / 255 with the
// flag) as a fraction of 256:
//   copy:         d + (s - d) x f          (weight 1 without the flag: s)
//   additive:     min(255, d + s x f)
//   colour dodge: min(255, d x 256 / (256 - s x f))
#pragma once

#include "LICE_IBitmap.h"

enum {
  LICE_BLIT_MODE_COPY = 0,
  LICE_BLIT_MODE_ADD = 1,
  LICE_BLIT_MODE_DODGE = 2,
  LICE_BLIT_MODE_MASK = 0xff,
  LICE_BLIT_USE_ALPHA = 0x10000,
};

namespace lice {

// The weight as a fraction of 256 (0..256); NaN counts as 0.
inline int WeightScale(float weight) {
  if (!(weight > 0.0f)) return 0;
  if (weight >= 1.0f) return 256;
  return static_cast<int>(weight * 256.0f + 0.5f);
}

inline int Saturate(int v) {
  return v > 255 ? 255 : v;
}

// One channel, with f in 0..256, rounded to the nearest value.
inline int CopyChannel(int d, int s, int f) {
  return (s * f + d * (256 - f) + 128) >> 8;
}
inline int AddChannel(int d, int s, int f) {
  return Saturate(d + ((s * f + 128) >> 8));
}
inline int DodgeChannel(int d, int s, int f) {
  // The weighted source is held below 256, so the divisor is at least 1.
  int weighted = (s * f + 128) >> 8;
  if (weighted > 255) weighted = 255;
  int divisor = 256 - weighted;
  return Saturate(((d << 8) + divisor / 2) / divisor);
}

// The combination for a mode known when compiling, so that the row loops of
// the raster operations carry no per-pixel branch on the mode.
template <int kMode, bool kUseAlpha>
struct Blender {
  static LICE_pixel Apply(LICE_pixel d, LICE_pixel s, int scale) {
    int f = scale;
    if (kUseAlpha) {
      int a = static_cast<int>(s >> 24);
      f = (f * (a + (a >> 7)) + 128) >> 8;  // a + (a >> 7) maps 0..255 onto 0..256
    }
    if (kMode == LICE_BLIT_MODE_COPY && f == 256) return s;
    if (kMode == LICE_BLIT_MODE_COPY && f == 0) return d;
    LICE_pixel out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      int dc = static_cast<int>((d >> shift) & 0xff);
      int sc = static_cast<int>((s >> shift) & 0xff);
      int c;
      if (kMode == LICE_BLIT_MODE_ADD) {
        c = AddChannel(dc, sc, f);
      } else if (kMode == LICE_BLIT_MODE_DODGE) {
        c = DodgeChannel(dc, sc, f);
      } else {
        c = CopyChannel(dc, sc, f);
      }
      out |= static_cast<LICE_pixel>(c) << shift;
    }
    return out;
  }
};

// Calls fn(Blender<...>{}) with the blender of a mode given at run time.
// Unknown modes copy.
template <class Fn>
void WithBlender(int mode, Fn&& fn) {
  bool useAlpha = (mode & LICE_BLIT_USE_ALPHA) != 0;
  switch (mode & LICE_BLIT_MODE_MASK) {
    case LICE_BLIT_MODE_ADD:
      if (useAlpha) {
        fn(Blender<LICE_BLIT_MODE_ADD, true>());
      } else {
        fn(Blender<LICE_BLIT_MODE_ADD, false>());
      }
      break;
    case LICE_BLIT_MODE_DODGE:
      if (useAlpha) {
        fn(Blender<LICE_BLIT_MODE_DODGE, true>());
      } else {
        fn(Blender<LICE_BLIT_MODE_DODGE, false>());
      }
      break;
    default:
      if (useAlpha) {
        fn(Blender<LICE_BLIT_MODE_COPY, true>());
      } else {
        fn(Blender<LICE_BLIT_MODE_COPY, false>());
      }
      break;
  }
}

// One pixel with a mode known only at run time (single pixels and shapes).
inline LICE_pixel BlendPixel(LICE_pixel d, LICE_pixel s, int scale, int mode) {
  LICE_pixel out = d;
  WithBlender(mode, [&](auto blender) { out = decltype(blender)::Apply(d, s, scale); });
  return out;
}

}  // namespace lice
