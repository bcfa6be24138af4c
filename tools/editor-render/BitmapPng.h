// Writes an area of a 32-bit bitmap as an 8-bit RGB PNG file (the alpha of
// the editor's off-screen buffer carries nothing to see), optionally
// enlarged by whole pixels for review. Only the header, the pixels and the
// end chunk are written, at a fixed compression, so the same pixels always
// give the same bytes. Used by the editor render tool and the tests.
#pragma once

#include <string>

#include "LICE_IBitmap.h"

struct BitmapArea {
  int mL, mT, mR, mB;  // right and bottom exclusive; must lie inside the bitmap
};

// False (with a reason) when the area is empty or outside the bitmap, the
// scale is below 1, or the file cannot be written.
bool WriteBitmapPng(LICE_IBitmap* bitmap, const BitmapArea& area, int scale, const std::string& path,
                    std::string* error);
