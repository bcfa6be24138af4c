#include "ReferenceImage.h"

#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>

#include "GuiEnvironment.h"

namespace guitest {

namespace {
const uint32_t kOpaque = 0xFF000000u;
const int kBitsPerPixel = 32;
}  // namespace

Image Artwork(int id) {
  const ImageDesc* image = FindImage(id);
  if (!image) return Image();
  const std::string name = image->mName;
  return ReadPng(ArtworkPath(name.substr(name.find('/') + 1)));
}

Image BackgroundUnder(const LayoutRect& rect) {
  const Image background = Artwork(kImgBackground);
  if (background.Empty()) return background;
  return Crop(background, rect.mL, rect.mT, rect.W(), rect.H());
}

Image Composite(const Image& under, const Image& strip, int frames, int frame) {
  Image out = under;
  const int frameHeight = strip.height / frames;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const uint32_t top = strip.At(x, (frame - 1) * frameHeight + y);
      const uint32_t bottom = under.At(x, y);
      const double alpha = (top >> 24) / 255.0;
      uint32_t pixel = kOpaque;
      for (int shift = 0; shift <= 16; shift += 8) {
        const double mixed = ((top >> shift) & 0xFF) * alpha + ((bottom >> shift) & 0xFF) * (1.0 - alpha);
        pixel |= static_cast<uint32_t>(std::lround(mixed)) << shift;
      }
      out.pixels[static_cast<size_t>(y) * out.width + x] = pixel;
    }
  }
  return out;
}

Image ControlFrame(const ControlDesc& control, int frame) {
  const Image under = BackgroundUnder(control.mRect);
  const Image strip = Artwork(control.mImageId);
  if (under.Empty() || strip.Empty()) return Image();
  return Composite(under, strip, control.mFrames, frame);
}

void FillRect(Image* image, int originX, int originY, const LayoutRect& rect, uint32_t rgb) {
  for (int y = rect.mT; y < rect.mB; ++y) {
    for (int x = rect.mL; x < rect.mR; ++x) {
      const int ix = x - originX, iy = y - originY;
      if (ix < 0 || iy < 0 || ix >= image->width || iy >= image->height) continue;
      image->pixels[static_cast<size_t>(iy) * image->width + ix] = kOpaque | rgb;
    }
  }
}

Image TextOver(const Image& under, const TextStyleDesc& style, const char* text) {
  Image out;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = under.width;
  info.bmiHeader.biHeight = -under.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  // The style's font as a text control makes it: the size as the height,
  // every other option the system's default.
  HFONT font =
      CreateFontA(style.mSize, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, style.mFont);
  if (dc && bitmap && bits && font) {
    std::memcpy(bits, under.pixels.data(), under.pixels.size() * sizeof(uint32_t));
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB((style.mColour >> 16) & 0xFF, (style.mColour >> 8) & 0xFF, style.mColour & 0xFF));
    RECT rect = {0, 0, under.width, under.height};
    UINT format = DT_NOCLIP | DT_LEFT;
    if (style.mAlign == kAlignCentre) format = DT_NOCLIP | DT_CENTER;
    if (style.mAlign == kAlignRight) format = DT_NOCLIP | DT_RIGHT;
    if (DrawTextA(dc, text, -1, &rect, format)) {
      GdiFlush();
      out = under;
      const uint32_t* source = static_cast<const uint32_t*>(bits);
      for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = source[i] | kOpaque;
    }
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
  }
  if (font) DeleteObject(font);
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
  return out;
}

}  // namespace guitest
