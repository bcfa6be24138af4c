#include "X11Pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstddef>
#include <cstring>

namespace {

const unsigned kFullMask = 0xFFu;

// A colour channel of the buffer placed in a visual's mask.
unsigned long Place(unsigned channel, unsigned long mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!(mask & 1ul)) {
    mask >>= 1;
    ++shift;
  }
  int bits = 0;
  while (mask & 1ul) {
    mask >>= 1;
    ++bits;
  }
  const unsigned long value =
      bits >= 8 ? static_cast<unsigned long>(channel) << (bits - 8) : channel >> (8 - bits);
  return value << shift;
}

// Whether the image's pixels are the buffer's own layout.
bool SameLayout(const XImage* image) {
  return image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000ul &&
         image->green_mask == 0xFF00ul && image->blue_mask == 0xFFul &&
         __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
}

}  // namespace

void CopyPixelsToImage(_XImage* image, const uint32_t* pixels, int stride, int left, int top, int right,
                       int bottom) {
  if (left >= right || top >= bottom) return;
  if (SameLayout(image)) {
    const std::size_t bytes = static_cast<std::size_t>(right - left) * 4;
    for (int y = top; y < bottom; ++y) {
      std::memcpy(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line + left * 4,
                  pixels + static_cast<std::ptrdiff_t>(y) * stride + left, bytes);
    }
    return;
  }
  for (int y = top; y < bottom; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = left; x < right; ++x) {
      const uint32_t p = row[x];
      XPutPixel(image, x, y,
                Place((p >> 16) & kFullMask, image->red_mask) |
                    Place((p >> 8) & kFullMask, image->green_mask) | Place(p & kFullMask, image->blue_mask));
    }
  }
}
