// The platform-neutral part of the off-screen buffer: the resize rules. The
// storage itself is made and freed by the platform's file.
#include "LICE_SysBitmap.h"

namespace {
// Native rows are 4-pixel aligned.
int RoundUpTo4(int n) {
  return (n + 3) & ~3;
}
}  // namespace

bool LICE_SysBitmap::Resize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == mWidth && height == mHeight) return false;
  if (width <= mAllocWidth && height <= mAllocHeight) {
    mWidth = width;
    mHeight = height;
    return true;
  }
  FreeStorage();
  mWidth = mHeight = mAllocWidth = mAllocHeight = 0;
  if (width == 0 || height == 0) return false;
  mAllocWidth = RoundUpTo4(width);
  mAllocHeight = height;
  if (!MakeStorage()) {
    mAllocWidth = mAllocHeight = 0;
    return false;
  }
  mWidth = width;
  mHeight = height;
  return true;
}
