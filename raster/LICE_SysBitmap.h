// The editor's off-screen buffer: a bitmap with a native drawing context,
// into which the drawing layer paints and from which the window layer
// copies to the screen. Owned by one graphics object and touched only on
// the GUI thread.
//
// On Windows it is a 32-bit top-down device-independent bitmap selected into
// a memory drawing context compatible with the screen
// (win32/LICE_SysBitmapWin32.cpp); elsewhere it is plain memory with the
// same behaviour and no drawing context (memory/LICE_SysBitmapMemory.cpp).
// The allocation's width is rounded up to a multiple of 4 pixels and is the
// row span; a size that fits the allocation only changes width and height.
#pragma once

#include "LICE_IBitmap.h"

class LICE_SysBitmap : public LICE_IBitmap {
 public:
  explicit LICE_SysBitmap(int width = 0, int height = 0);
  ~LICE_SysBitmap() override;
  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_pixel* GetBits() override { return mpBits; }
  int GetWidth() override { return mWidth; }
  int GetHeight() override { return mHeight; }
  int GetRowSpan() override { return mAllocWidth; }
  // Unchanged size: false. A size within the allocation: true, storage kept.
  // Otherwise the storage is made anew; a zero width or height then leaves
  // no storage and answers false.
  bool Resize(int width, int height) override;
  void* GetDrawingContext() override { return mpDC; }

 private:
  // Frees the storage (and, on Windows, deselects and deletes the bitmap).
  void FreeStorage();
  // Makes storage of mAllocWidth x mAllocHeight; false when it cannot.
  bool MakeStorage();

  int mWidth = 0;
  int mHeight = 0;
  void* mpDC = nullptr;  // HDC on Windows; null elsewhere
  LICE_pixel* mpBits = nullptr;
  int mAllocWidth = 0;
  int mAllocHeight = 0;
  void* mpBitmap = nullptr;     // HBITMAP on Windows; the storage elsewhere
  void* mpOldBitmap = nullptr;  // the bitmap the context held before (Windows)
};
