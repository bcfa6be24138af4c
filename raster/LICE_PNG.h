// Decoding PNG images held in memory (the editor's image resources) with
// libpng. Every image kind ends as 32-bit pixels, (A << 24) | (R << 16) |
// (G << 8) | B, with an opaque alpha where the image has none.
#pragma once

#include <cstddef>

#include "LICE_IBitmap.h"

// Decodes `length` bytes. With a target bitmap, the target is resized to the
// image and filled when it then has the image's size; otherwise (or when it
// cannot take that size) a new LICE_MemBitmap is made, which the caller
// owns. Null when the bytes are not a PNG image or cannot be decoded; a
// bitmap made here is then deleted again. Any thread; no shared state.
LICE_IBitmap* LICE_LoadPNGFromMemory(const void* bytes, std::size_t length, LICE_IBitmap* target = nullptr);
