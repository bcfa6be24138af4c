// The off-screen buffer on Windows: a 32-bit top-down device-independent
// bitmap (a DIB section, so its pixels are plain memory) selected into a
// memory drawing context compatible with the screen. The window layer copies
// from that context to the window.
#include <windows.h>

#include "../LICE_SysBitmap.h"

LICE_SysBitmap::LICE_SysBitmap(int width, int height) {
  mpDC = CreateCompatibleDC(nullptr);
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap() {
  FreeStorage();
  if (mpDC) DeleteDC(static_cast<HDC>(mpDC));
}

void LICE_SysBitmap::FreeStorage() {
  if (mpBitmap) {
    if (mpDC) SelectObject(static_cast<HDC>(mpDC), static_cast<HGDIOBJ>(mpOldBitmap));
    DeleteObject(static_cast<HGDIOBJ>(mpBitmap));
  }
  mpBitmap = nullptr;
  mpOldBitmap = nullptr;
  mpBits = nullptr;
}

bool LICE_SysBitmap::MakeStorage() {
  if (!mpDC) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = mAllocWidth;
  // A negative height makes the rows run from top to bottom.
  info.bmiHeader.biHeight = -mAllocHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(static_cast<HDC>(mpDC), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  mpBitmap = bitmap;
  mpBits = static_cast<LICE_pixel*>(bits);
  mpOldBitmap = SelectObject(static_cast<HDC>(mpDC), bitmap);
  return true;
}
