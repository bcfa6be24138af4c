// Pixels read back from a window as the screen shows it, and PNG files:
// screenshots written for review, and the committed artwork read as the
// reference of what the editor must show.
//
// Thread use: any thread for images and files; CaptureWindow on the
// window's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace guitest {

// Pixels 0xAARRGGBB, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Empty() const { return pixels.empty(); }
};

// The window's client area copied from its device context (what is on the
// screen, through BitBlt into a 32-bit DIB); alpha is 255. Empty on failure.
Image CaptureWindow(HWND window);

// The part of `image` at (x, y) of size width x height (inside the image).
Image Crop(const Image& image, int x, int y, int width, int height);

// Writes an RGB PNG; false on failure.
bool WritePng(const Image& image, const std::string& path);
// Reads any PNG as 8-bit RGBA; an empty image on failure.
Image ReadPng(const std::string& path);

// The largest difference of one colour channel between two images of the
// same size (alpha ignored); 256 when the sizes differ.
int LargestDifference(const Image& a, const Image& b);

}  // namespace guitest
