// The bitmap interface of the raster layer: 32-bit pixels packed as
// (A << 24) | (R << 16) | (G << 8) | B, alpha not premultiplied, rows from
// top to bottom. Two kinds implement it: LICE_MemBitmap (pixels in memory)
// and LICE_SysBitmap (the editor's off-screen buffer with a native drawing
// context where the platform has one).
//
// Bitmaps are not locked: each belongs to one thread at a time (decoded
// images are only read once they are in the cache).
#pragma once

#include <cstdint>

typedef std::uint32_t LICE_pixel;

class LICE_IBitmap {
 public:
  virtual ~LICE_IBitmap() {}

  // The first pixel of the top row; null while the bitmap has no storage.
  virtual LICE_pixel* GetBits() = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Pixels from the start of one row to the start of the next (at least the
  // width).
  virtual int GetRowSpan() = 0;
  // Whether rows are stored bottom-up; never, for both kinds here.
  virtual bool IsFlipped() { return false; }
  // Changes the size (the pixels are undefined afterwards); true when the
  // size changed.
  virtual bool Resize(int width, int height) = 0;
  // The native drawing context, or null (always null for memory bitmaps).
  virtual void* GetDrawingContext() { return nullptr; }
  // Reserved for extensions; answers 0.
  virtual int Extended(int /*id*/, void* /*data*/) { return 0; }
};

// Packs a colour into a pixel.
inline LICE_pixel LICE_RGBA(int r, int g, int b, int a) {
  return (static_cast<LICE_pixel>(a & 0xff) << 24) | (static_cast<LICE_pixel>(r & 0xff) << 16) |
         (static_cast<LICE_pixel>(g & 0xff) << 8) | static_cast<LICE_pixel>(b & 0xff);
}
inline int LICE_GETA(LICE_pixel p) {
  return static_cast<int>(p >> 24);
}
inline int LICE_GETR(LICE_pixel p) {
  return static_cast<int>((p >> 16) & 0xff);
}
inline int LICE_GETG(LICE_pixel p) {
  return static_cast<int>((p >> 8) & 0xff);
}
inline int LICE_GETB(LICE_pixel p) {
  return static_cast<int>(p & 0xff);
}
