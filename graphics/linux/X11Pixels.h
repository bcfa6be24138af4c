// Pixels of our 32-bit buffers ((A << 24) | (R << 16) | (G << 8) | B)
// copied into an XImage of any true-colour visual: row by row where the
// image has the buffer's own layout, else pixel by pixel through the
// visual's channel masks. Xlib types stay out of this header.
#pragma once

#include <cstdint>

struct _XImage;

// Copies the area [left, right) x [top, bottom), which the caller has
// clipped to both, to the same place in the image.
void CopyPixelsToImage(_XImage* image, const uint32_t* pixels, int stride, int left, int top, int right,
                       int bottom);
