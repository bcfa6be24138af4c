// Draws text into 32-bit bitmaps with FreeType and the embedded fonts
// (EmbeddedFonts.h), placing it as the Windows layer's GDI call
// DrawText(dc, text, -1, rect, DT_LEFT/DT_CENTER/DT_RIGHT | DT_NOCLIP) does,
// so that both platforms put the same text on the same pixels:
//
// - A font's size is its cell height in pixels (ascent + descent of the
//   font's Windows metrics), as for a positive height given to CreateFont;
//   the font is scaled to the whole pixels per em that come nearest to that
//   height without exceeding it.
// - Lines break at CR, LF and CR LF. Each line's cell starts at the top of
//   the rectangle plus the heights of the lines above it; its baseline lies
//   the font's ascent below that. Horizontally a line starts at the left
//   edge, at (left + right - width) / 2, or at right - width.
// - Glyphs are hinted and grey-scale antialiased, advance by whole pixels
//   and are not kerned. Nothing is clipped to the rectangle; drawing stops
//   at the clip box and the bitmap's edges.
//
// Owns a FreeType library instance, the faces made from the embedded fonts
// and the glyph images rendered so far. Not thread-safe: one object belongs
// to one graphics object and is used on its GUI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "LICE_IBitmap.h"

struct FT_LibraryRec_;

class FreeTypeText {
 public:
  // A font as a text style gives it.
  struct Font {
    const char* mName;  // "Arial"; every name is served by Liberation Sans
    int mSize;          // cell height in pixels; a negative size is the em height
    int mStyle;         // 0 normal, 1 bold, 2 italic (slanted)
    int mOrientation;   // degrees counter-clockwise about the first line's top left
  };
  // Pixels; right and bottom exclusive.
  struct Box {
    int mL, mT, mR, mB;
  };
  enum Align { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

  FreeTypeText();
  ~FreeTypeText();
  FreeTypeText(const FreeTypeText&) = delete;
  FreeTypeText& operator=(const FreeTypeText&) = delete;

  // Draws the text (UTF-8; a byte that does not begin a valid UTF-8
  // sequence is taken as a Latin-1 character) in the colour's R, G and B,
  // each pixel blended towards it by the glyph's coverage. The colour's
  // alpha is not used, as GDI has none. False when the font cannot be had
  // (a size of 0, or FreeType failing); an empty text draws nothing and
  // answers true.
  bool Draw(LICE_IBitmap* dest, const Font& font, LICE_pixel colour, int align, const char* text,
            const Box& rect, const Box& clip);

  // The width of the widest line and the height of all lines, in pixels,
  // as Draw lays them out. False when the font cannot be had.
  bool Measure(const Font& font, const char* text, int* width, int* height);

  // The ascent and cell height of a font in pixels. False as above.
  bool Metrics(const Font& font, int* ascent, int* cellHeight);

 private:
  struct SizedFace;
  struct Glyph;
  // The face for a font, made on first use; null when it cannot be made.
  SizedFace* FaceFor(const Font& font);

  FT_LibraryRec_* mpLibrary = nullptr;
  bool mLibraryFailed = false;
  std::vector<std::unique_ptr<SizedFace>> mFaces;
};
