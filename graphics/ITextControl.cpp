#include "ITextControl.h"

#include "IGraphics.h"

namespace {

// A greyed text is this much darker in each of R, G and B.
const int GREY_OUT_DARKENING = 128;

int Darkened(int channel) {
  return channel > GREY_OUT_DARKENING ? channel - GREY_OUT_DARKENING : 0;
}

}  // namespace

ITextControl::ITextControl(IPlugBase* plug, const IRect& rect, const ITextStyle& style, const char* text)
    : ITextControl(plug, rect, -1, style, text) {}

ITextControl::ITextControl(IPlugBase* plug, const IRect& rect, int paramIdx, const ITextStyle& style,
                           const char* text)
    : IControl(plug, rect, paramIdx),
      mStyle(style),
      mNormalColour(style.mColour),
      mGreyedColour(255, Darkened(style.mColour.mR), Darkened(style.mColour.mG), Darkened(style.mColour.mB)) {
  mText.Set(text);
}

ITextControl::~ITextControl() {
  mStyle.FreeFont();
  mFittedStyle.FreeFont();
}

bool ITextControl::Draw(IGraphics* graphics) {
  char text[SharedText::CAPACITY];
  mText.CopyTo(text, sizeof(text));
  if (text[0] == '\0') return true;
  return DrawTextWithStyle(graphics, text);
}

void ITextControl::SetTextFromPlug(const char* text) {
  if (mText.Equals(text)) return;
  // The text first: marking publishes it, so a tick that sees the mark
  // draws the new text.
  mText.Set(text);
  SetDirty(false);
}

ITextStyle* ITextControl::FittingStyle(IGraphics* graphics, const char* text) {
  if (!mStyle.mpFont) graphics->CreateTextFont(&mStyle);
  const int room = GetRect().W();
  int width = 0;
  if (!graphics->MeasureText(&mStyle, text, &width) || width <= room) return &mStyle;
  for (int size = mStyle.mSize - 1; size >= MIN_FITTED_SIZE; --size) {
    if (mFittedStyle.mSize != size || !mFittedStyle.mpFont) {
      mFittedStyle.FreeFont();
      mFittedStyle = mStyle;  // without the native font
      mFittedStyle.mSize = size;
      graphics->CreateTextFont(&mFittedStyle);
    }
    if (graphics->MeasureText(&mFittedStyle, text, &width) && width <= room) break;
  }
  return &mFittedStyle;
}

bool ITextControl::DrawTextWithStyle(IGraphics* graphics, const char* text) {
  ITextStyle* style = FittingStyle(graphics, text);
  style->mColour = IsGrayed() ? mGreyedColour : mNormalColour;
  // A smaller text keeps the middle of the line the full size would take.
  IRect rect = GetRect();
  rect.mT += (mStyle.mSize - style->mSize) / 2;
  return graphics->DrawText(style, text, rect);
}
