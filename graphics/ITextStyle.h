// How a text is drawn: font, pixel size, colour, weight, alignment and
// orientation, plus the native font made from them.
//
// The native font is opaque to the core: the window layer makes it when a
// text is first drawn with the style (IGraphics::CreateTextFont) and sets the
// function that frees it; the owner of the style (a text control) calls
// FreeFont when it is destroyed. A style is used on the GUI thread only.
#pragma once

#include <cstdint>

#include "IGraphicsTypes.h"

enum ITextWeight : std::int32_t { kTextNormal = 0, kTextBold = 1, kTextItalic = 2 };
enum ITextAlign : std::int32_t { kTextAlignLeft = 0, kTextAlignCentre = 1, kTextAlignRight = 2 };

const int MAX_FONT_NAME_LEN = 32;  // room for 31 characters

struct ITextStyle {
  char mFont[MAX_FONT_NAME_LEN] = "Arial";
  std::int32_t mSize = 14;  // character height in pixels
  IColour mColour;
  std::int32_t mStyle = kTextNormal;
  std::int32_t mAlign = kTextAlignCentre;
  std::int32_t mOrientation = 0;  // degrees

  // The native font (a GDI font, a FreeType face, ...), made and owned by
  // the holder of this style through the window layer; null until made.
  void* mpFont = nullptr;
  void (*mpFreeFont)(void* font) = nullptr;

  ITextStyle() = default;
  ITextStyle(const char* font, int size, const IColour& colour, int style = kTextNormal,
             int align = kTextAlignCentre, int orientation = 0);

  // A copy carries no native font: each holder makes its own.
  ITextStyle(const ITextStyle& other);
  ITextStyle& operator=(const ITextStyle& other);

  // Frees the native font, if any.
  void FreeFont();
};
