// Writing a 32-bit bitmap, or an area of it, as an 8-bit RGB PNG file with
// libpng (the alpha of the editor's off-screen buffer carries nothing to
// see). Only the header, the pixels and the end chunk are written, at a
// fixed compression, so the same pixels give the same bytes with the same
// zlib. Used by the plug-in's editor picture, the render tool and the tests.
#pragma once

#include <string>

#include "LICE_IBitmap.h"

struct LICE_PNGArea {
  int mL, mT, mR, mB;  // right and bottom exclusive; must lie inside the bitmap
};

// Writes the area, every pixel repeated `scale` times in both directions
// (for review), to `path`. The file is first written beside the target
// under a temporary name and moved over it once complete, so a failed write
// leaves no file behind and an older file at `path` as it was. False, with
// a reason in *error when given, when the area is empty or outside the
// bitmap, the scale is below 1 or the image would be too large, the file
// cannot be created, or libpng or the disk fails. Any thread; the caller
// keeps the bitmap unchanged meanwhile.
bool LICE_WritePNG(const char* path, LICE_IBitmap* bitmap, const LICE_PNGArea& area, int scale,
                   std::string* error = nullptr);

// The whole bitmap at its own size.
bool LICE_WritePNG(const char* path, LICE_IBitmap* bitmap, std::string* error = nullptr);
