// The raster operations: the blend formulas, clipping, the shapes'
// coverage and symmetry, and where scaled and rotated blits take pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "LICE_MemBitmap.h"
#include "LICE_Raster.h"

namespace {

const double PI = 3.14159265358979323846;

int Channel(LICE_pixel p, int shift) {
  return static_cast<int>((p >> shift) & 0xff);
}

// One destination pixel after one source pixel was blitted onto it.
LICE_pixel BlitOnePixel(LICE_pixel destination, LICE_pixel source, float weight, int mode) {
  LICE_MemBitmap d(1, 1), s(1, 1);
  d.GetBits()[0] = destination;
  s.GetBits()[0] = source;
  LICE_Blit(&d, &s, 0, 0, 0, 0, 1, 1, weight, mode);
  return d.GetBits()[0];
}

double Sum(LICE_MemBitmap& bitmap, int shift) {
  double sum = 0.0;
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    for (int x = 0; x < bitmap.GetWidth(); ++x)
      sum += Channel(bitmap.GetBits()[y * bitmap.GetRowSpan() + x], shift);
  }
  return sum;
}

LICE_pixel At(LICE_MemBitmap& bitmap, int x, int y) {
  return bitmap.GetBits()[y * bitmap.GetRowSpan() + x];
}

void Clear(LICE_MemBitmap& bitmap) {
  LICE_FillRect(&bitmap, 0, 0, bitmap.GetWidth(), bitmap.GetHeight(), 0, 1.0f, LICE_BLIT_MODE_COPY);
}

}  // namespace

// Per channel, with w the weight and a the source alpha / 255 where the
// source's alpha counts: copy d + (s - d) w a; additive min(255, d + s w a);
// colour dodge min(255, d 256 / (256 - s w a)). Rounding may differ by 1.
TEST(Raster, BlendModesFollowTheirFormulas) {
  const LICE_pixel d = 0x60c04010, s = 0xc0207fe0;  // A, R, G, B
  const double sa = 0xc0 / 255.0;
  struct Case {
    int mode;
    float weight;
  };
  const Case cases[] = {{LICE_BLIT_MODE_COPY, 1.0f},
                        {LICE_BLIT_MODE_COPY, 0.4f},
                        {LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA, 1.0f},
                        {LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA, 0.5f},
                        {LICE_BLIT_MODE_ADD, 0.75f},
                        {LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA, 1.0f},
                        {LICE_BLIT_MODE_DODGE, 0.5f},
                        {LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA, 0.8f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " weight " << c.weight);
    double f = c.weight * ((c.mode & LICE_BLIT_USE_ALPHA) ? sa : 1.0);
    LICE_pixel blitted = BlitOnePixel(d, s, c.weight, c.mode);
    // Filling with a colour is blitting that colour.
    LICE_MemBitmap filled(1, 1);
    filled.GetBits()[0] = d;
    LICE_FillRect(&filled, 0, 0, 1, 1, s, c.weight, c.mode);
    for (int shift = 0; shift < 32; shift += 8) {
      double dc = Channel(d, shift), sc = Channel(s, shift), expected;
      switch (c.mode & LICE_BLIT_MODE_MASK) {
        case LICE_BLIT_MODE_ADD:
          expected = std::min(255.0, dc + sc * f);
          break;
        case LICE_BLIT_MODE_DODGE:
          expected = std::min(255.0, dc * 256.0 / (256.0 - sc * f));
          break;
        default:
          expected = dc + (sc - dc) * f;
          break;
      }
      EXPECT_NEAR(expected, Channel(blitted, shift), 1.0) << "channel at bit " << shift;
      EXPECT_EQ(Channel(blitted, shift), Channel(filled.GetBits()[0], shift));
    }
  }
  // A plain copy at full weight replaces the pixel, alpha included.
  EXPECT_EQ(s, BlitOnePixel(d, s, 1.0f, LICE_BLIT_MODE_COPY));
}

// A blit takes exactly the pixels that lie inside both bitmaps and the
// requested rectangle, wherever the rectangle hangs over an edge.
TEST(Raster, BlitClipsToBothBitmaps) {
  LICE_MemBitmap src(7, 5), dest(6, 8);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) src.GetBits()[y * src.GetRowSpan() + x] = 0xff000000u | (y << 8) | x;
  }
  const int offsets[][6] = {
      {-2, -3, 0, 0, 7, 9}, {3, 4, 1, -1, 9, 9}, {-1, 2, -2, 3, 5, 4}, {0, 0, 6, 4, 3, 3}};
  for (const auto& o : offsets) {
    int dstx = o[0], dsty = o[1], srcx = o[2], srcy = o[3], w = o[4], h = o[5];
    SCOPED_TRACE(testing::Message() << dstx << "," << dsty << " from " << srcx << "," << srcy);
    Clear(dest);
    LICE_Blit(&dest, &src, dstx, dsty, srcx, srcy, w, h, 1.0f, LICE_BLIT_MODE_COPY);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 6; ++x) {
        int sx = x - dstx + srcx, sy = y - dsty + srcy;
        bool inside =
            x >= dstx && x < dstx + w && y >= dsty && y < dsty + h && sx >= 0 && sx < 7 && sy >= 0 && sy < 5;
        LICE_pixel expected = inside ? src.GetBits()[sy * src.GetRowSpan() + sx] : 0u;
        EXPECT_EQ(expected, At(dest, x, y)) << "at " << x << "," << y;
      }
    }
  }
}

// An antialiased circle's coverage adds up to its circumference, each
// pixel lies within one pixel of the circle, and a quarter arc from 0 to
// pi/2 (clockwise from the top) covers the upper right quarter only.
TEST(Raster, SmoothCircleCoverageIsItsCircumference) {
  LICE_MemBitmap bitmap(64, 64);
  const float cx = 31.3f, cy = 32.6f, r = 20.0f;
  Clear(bitmap);
  // Additive: a pixel drawn twice would count twice.
  LICE_Circle(&bitmap, cx, cy, r, 0xffffffffu, 1.0f, LICE_BLIT_MODE_ADD, true);
  EXPECT_NEAR(2.0 * PI * r, Sum(bitmap, 16) / 255.0, 0.02 * 2.0 * PI * r);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (Channel(At(bitmap, x, y), 16) == 0) continue;
      EXPECT_LT(std::fabs(std::hypot(x - cx, y - cy) - r), 1.0) << x << "," << y;
    }
  }

  Clear(bitmap);
  LICE_Arc(&bitmap, cx, cy, r, 0.0f, static_cast<float>(PI / 2), 0xffffffffu, 1.0f, LICE_BLIT_MODE_ADD, true);
  EXPECT_NEAR(PI * r / 2.0, Sum(bitmap, 16) / 255.0, 0.03 * PI * r / 2.0);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (Channel(At(bitmap, x, y), 16) == 0) continue;
      EXPECT_TRUE(x >= cx - 1.0f && y <= cy + 1.0f) << x << "," << y;
    }
  }
}

// Without antialiasing every outline pixel is drawn once, and the outline
// is symmetric about both axes and the diagonal through its centre.
TEST(Raster, PlainCircleDrawsEachPixelOnce) {
  LICE_MemBitmap bitmap(41, 41);
  Clear(bitmap);
  LICE_Circle(&bitmap, 20.0f, 20.0f, 13.0f, 0xff808080u, 1.0f, LICE_BLIT_MODE_ADD, false);
  int lit = 0;
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) {
      LICE_pixel p = At(bitmap, x, y);
      EXPECT_TRUE(p == 0u || p == 0xff808080u) << x << "," << y;
      EXPECT_EQ(p, At(bitmap, 40 - x, y));
      EXPECT_EQ(p, At(bitmap, x, 40 - y));
      EXPECT_EQ(p, At(bitmap, y, x));
      lit += p != 0u;
    }
  }
  EXPECT_GT(lit, 4 * 13);
}

// An antialiased line is the same drawn either way, point-symmetric about
// its midpoint, and its coverage adds up to its length.
TEST(Raster, SmoothLineIsSymmetric) {
  // The midpoint (10.5, 6): pixel (x, y) mirrors to (21 - x, 12 - y).
  const float x1 = 3.3f, y1 = 2.1f, x2 = 17.7f, y2 = 9.9f;
  LICE_MemBitmap forward(22, 13), backward(22, 13);
  Clear(forward);
  Clear(backward);
  LICE_Line(&forward, x1, y1, x2, y2, 0xffffffffu, 1.0f, LICE_BLIT_MODE_ADD, true);
  LICE_Line(&backward, x2, y2, x1, y1, 0xffffffffu, 1.0f, LICE_BLIT_MODE_ADD, true);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 22; ++x) {
      int value = Channel(At(forward, x, y), 16);
      EXPECT_NEAR(value, Channel(At(backward, x, y), 16), 1) << x << "," << y;
      if (x == 0 || y == 0) continue;
      EXPECT_NEAR(value, Channel(At(forward, 21 - x, 12 - y), 16), 1) << x << "," << y;
    }
  }
  EXPECT_NEAR(std::hypot(x2 - x1, y2 - y1), Sum(forward, 16) / 255.0, 1.0);
}

// Scaling 2 x 2 up to 4 x 4 (nearest pixel) makes 2 x 2 blocks; a quarter
// turn clockwise puts the source's top row into the right column; a copy
// takes the source's size.
TEST(Raster, ScaledAndRotatedBlitsTakeTheMappedPixels) {
  LICE_MemBitmap src(4, 4), dest(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) src.GetBits()[y * src.GetRowSpan() + x] = 0xff000000u | (y << 8) | x;
  }
  LICE_ScaledBlit(&dest, &src, 0, 0, 4, 4, 1.0f, 1.0f, 2.0f, 2.0f, 1.0f, LICE_BLIT_MODE_COPY);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(src, 1 + x / 2, 1 + y / 2), At(dest, x, y)) << x << "," << y;
  }

  LICE_RotatedBlit(&dest, &src, 0, 0, 4, 4, 0.0f, 0.0f, 4.0f, 4.0f, static_cast<float>(PI / 2), 1.0f,
                   LICE_BLIT_MODE_COPY, 0.0f, 0.0f);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(src, y, 3 - x), At(dest, x, y)) << x << "," << y;
  }
  // Bilinear filtering of a uniform image changes nothing.
  LICE_MemBitmap grey(4, 4);
  LICE_FillRect(&grey, 0, 0, 4, 4, 0xff646464u, 1.0f, LICE_BLIT_MODE_COPY);
  LICE_RotatedBlit(&dest, &grey, 0, 0, 4, 4, 0.0f, 0.0f, 4.0f, 4.0f, 0.3f, 1.0f,
                   LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR, 0.5f, -0.5f);
  EXPECT_EQ(0xff646464u, At(dest, 1, 2));

  LICE_MemBitmap copy;
  LICE_Copy(&copy, &src);
  ASSERT_EQ(4, copy.GetWidth());
  EXPECT_EQ(At(src, 3, 2), At(copy, 3, 2));
}
