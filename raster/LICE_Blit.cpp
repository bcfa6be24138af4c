// Blits between bitmaps of the same scale, fills, single pixels and copies.
#include <cstring>

#include "LICE_PixelView.h"
#include "LICE_Raster.h"

using lice::PixelView;

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy, int w, int h,
               float weight, int mode) {
  PixelView d(dest), s(src);
  if (d.IsEmpty() || s.IsEmpty()) return;
  // Clip to the source, then to the destination, moving both origins alike.
  if (srcx < 0) {
    dstx -= srcx;
    w += srcx;
    srcx = 0;
  }
  if (srcy < 0) {
    dsty -= srcy;
    h += srcy;
    srcy = 0;
  }
  if (dstx < 0) {
    srcx -= dstx;
    w += dstx;
    dstx = 0;
  }
  if (dsty < 0) {
    srcy -= dsty;
    h += dsty;
    dsty = 0;
  }
  if (w > s.width - srcx) w = s.width - srcx;
  if (h > s.height - srcy) h = s.height - srcy;
  if (w > d.width - dstx) w = d.width - dstx;
  if (h > d.height - dsty) h = d.height - dsty;
  if (w <= 0 || h <= 0) return;

  int scale = lice::WeightScale(weight);
  if (scale == 0) return;
  if ((mode & (LICE_BLIT_MODE_MASK | LICE_BLIT_USE_ALPHA)) == LICE_BLIT_MODE_COPY && scale == 256) {
    for (int y = 0; y < h; ++y) {
      std::memcpy(d.Row(dsty + y) + dstx, s.Row(srcy + y) + srcx, sizeof(LICE_pixel) * w);
    }
    return;
  }
  lice::WithBlender(mode, [&](auto blender) {
    for (int y = 0; y < h; ++y) {
      LICE_pixel* out = d.Row(dsty + y) + dstx;
      const LICE_pixel* in = s.Row(srcy + y) + srcx;
      for (int x = 0; x < w; ++x) out[x] = decltype(blender)::Apply(out[x], in[x], scale);
    }
  });
}

void LICE_FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel colour, float weight,
                   int mode) {
  PixelView d(dest);
  if (d.IsEmpty()) return;
  if (x < 0) {
    w += x;
    x = 0;
  }
  if (y < 0) {
    h += y;
    y = 0;
  }
  if (w > d.width - x) w = d.width - x;
  if (h > d.height - y) h = d.height - y;
  if (w <= 0 || h <= 0) return;
  int scale = lice::WeightScale(weight);
  if (scale == 0) return;
  lice::WithBlender(mode, [&](auto blender) {
    for (int row = 0; row < h; ++row) {
      LICE_pixel* out = d.Row(y + row) + x;
      for (int i = 0; i < w; ++i) out[i] = decltype(blender)::Apply(out[i], colour, scale);
    }
  });
}

void LICE_PutPixel(LICE_IBitmap* dest, int x, int y, LICE_pixel colour, float weight, int mode) {
  PixelView d(dest);
  if (d.IsEmpty() || !d.Contains(x, y)) return;
  LICE_pixel* p = d.Row(y) + x;
  *p = lice::BlendPixel(*p, colour, lice::WeightScale(weight), mode);
}

LICE_pixel LICE_GetPixel(LICE_IBitmap* src, int x, int y) {
  PixelView s(src);
  if (s.IsEmpty() || !s.Contains(x, y)) return 0;
  return s.Row(y)[x];
}

void LICE_Copy(LICE_IBitmap* dest, LICE_IBitmap* src) {
  if (!dest || !src || dest == src) return;
  dest->Resize(src->GetWidth(), src->GetHeight());
  PixelView d(dest), s(src);
  if (d.IsEmpty() || s.IsEmpty() || d.width != s.width || d.height != s.height) return;
  for (int y = 0; y < s.height; ++y) std::memcpy(d.Row(y), s.Row(y), sizeof(LICE_pixel) * s.width);
}
