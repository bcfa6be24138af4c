// A text drawn in a rectangle with a text style. The text lives in
// fixed-capacity storage (SharedText): the plug-in may replace it from the
// audio or host thread (instance mutex held) with SetTextFromPlug, which
// neither allocates nor locks, while the GUI tick reads it. Greyed out, the
// text is drawn in the greyed colour: each of R, G, B of the style's colour
// less 128, not below 0, fully opaque. The colour is chosen when drawing from
// the greyed flag, so greying out (from any thread) rewrites no style.
//
// The control owns its style's native font: it asks the graphics object to
// make it when first drawn and frees it when destroyed.
#pragma once

#include "IControl.h"
#include "ITextStyle.h"
#include "SharedText.h"

class ITextControl : public IControl {
 public:
  ITextControl(IPlugBase* plug, const IRect& rect, const ITextStyle& style, const char* text = "");
  ~ITextControl() override;

  // Nothing is drawn for an empty text.
  bool Draw(IGraphics* graphics) override;

  // Replaces the text and marks the control dirty, unless the text is the
  // same (instance mutex held, or the GUI thread when it is the only writer).
  void SetTextFromPlug(const char* text);
  // Copies the text into out (size bytes); returns its length. Any thread.
  int GetText(char* out, int size) const { return mText.CopyTo(out, static_cast<std::size_t>(size)); }

  const ITextStyle& GetStyle() const { return mStyle; }
  const IColour& GetNormalColour() const { return mNormalColour; }
  const IColour& GetGreyedColour() const { return mGreyedColour; }

 protected:
  // For subclasses bound to a parameter.
  ITextControl(IPlugBase* plug, const IRect& rect, int paramIdx, const ITextStyle& style, const char* text);

  // Draws a text with the style, in the colour the greyed flag asks for. A
  // text wider than the control is drawn smaller, as large as fits (not
  // below MIN_FITTED_SIZE), rather than running over its neighbours.
  bool DrawTextWithStyle(IGraphics* graphics, const char* text);
  // Replaces the text without marking (the GUI thread's own writes).
  void StoreText(const char* text) { mText.Set(text); }

 private:
  static const int MIN_FITTED_SIZE = 9;
  // The style to draw text with: mStyle, or mFittedStyle made to fit.
  ITextStyle* FittingStyle(IGraphics* graphics, const char* text);

  ITextStyle mStyle;
  ITextStyle mFittedStyle;  // a smaller copy of mStyle, made when needed
  IColour mNormalColour;
  IColour mGreyedColour;
  SharedText mText;
};
