#include "ITextStyle.h"

#include <cstring>

namespace {

void CopyFontName(char (&out)[MAX_FONT_NAME_LEN], const char* name) {
  if (!name) name = "";
  // A measured copy: MinGW's g++ reads strncpy into a full buffer as a
  // possible truncation and stops the build.
  std::size_t length = std::strlen(name);
  if (length > MAX_FONT_NAME_LEN - 1) length = MAX_FONT_NAME_LEN - 1;
  std::memcpy(out, name, length);
  out[length] = '\0';
}

}  // namespace

ITextStyle::ITextStyle(const char* font, int size, const IColour& colour, int style, int align,
                       int orientation)
    : mSize(size), mColour(colour), mStyle(style), mAlign(align), mOrientation(orientation) {
  CopyFontName(mFont, font);
}

ITextStyle::ITextStyle(const ITextStyle& other)
    : mSize(other.mSize),
      mColour(other.mColour),
      mStyle(other.mStyle),
      mAlign(other.mAlign),
      mOrientation(other.mOrientation) {
  CopyFontName(mFont, other.mFont);
}

ITextStyle& ITextStyle::operator=(const ITextStyle& other) {
  if (this == &other) return *this;
  FreeFont();
  CopyFontName(mFont, other.mFont);
  mSize = other.mSize;
  mColour = other.mColour;
  mStyle = other.mStyle;
  mAlign = other.mAlign;
  mOrientation = other.mOrientation;
  return *this;
}

void ITextStyle::FreeFont() {
  if (mpFont && mpFreeFont) mpFreeFont(mpFont);
  mpFont = nullptr;
  mpFreeFont = nullptr;
}
