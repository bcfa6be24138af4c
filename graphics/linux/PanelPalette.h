// The editor's palette for what the Linux layer draws by itself (the text
// field, the value menus, the file chooser), so that they read as parts of
// the editor, and the plain fill they are drawn with.
#pragma once

#include "LICE_Blend.h"
#include "LICE_IBitmap.h"
#include "LICE_Raster.h"

namespace panel {

const LICE_pixel kBackground = 0xFF1B1E23;  // the panel
const LICE_pixel kFace = 0xFF23272E;        // a raised section
const LICE_pixel kHighlight = 0xFF2E333B;   // its top and left edge
const LICE_pixel kShadow = 0xFF14161A;      // its bottom and right edge
const LICE_pixel kWell = 0xFF15171B;        // a recessed value well
const LICE_pixel kEdge = 0xFF3A3F47;        // frames and rules
const LICE_pixel kTitle = 0xFFC9CED6;
const LICE_pixel kCaption = 0xFF8E96A3;
const LICE_pixel kValue = 0xFFD8DDE4;
const LICE_pixel kAccent = 0xFF5E9BE0;  // the blue of the LFOs and the matrix

inline void Fill(LICE_IBitmap* bitmap, int x, int y, int w, int h, LICE_pixel colour) {
  LICE_FillRect(bitmap, x, y, w, h, colour, 1.0f, LICE_BLIT_MODE_COPY);
}

}  // namespace panel
