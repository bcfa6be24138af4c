// The in-place text field in which a value is typed (a right click on a
// knob): its text, caret and selection, the keys that edit them, and its
// look. 36 x 16 pixels, the text centred in a 14-pixel Liberation Sans
// (Arial's metric twin, as the Windows field uses Arial 14), the whole
// starting text selected so that typing replaces it. A text wider than the
// field scrolls to keep the caret in view.
//
// No X state: the editor's X11 layer feeds it key symbols and typed
// characters and shows what it draws (X11Overlay.h).
#pragma once

#include <cstddef>
#include <string>

#include "FreeTypeText.h"

class TextField {
 public:
  static constexpr int kWidth = 36;
  static constexpr int kHeight = 16;
  static constexpr int kFontHeight = 14;
  // Longest text kept; the Windows field reads up to 1000 characters.
  static constexpr std::size_t kMaxLength = 1000;

  enum KeyResult { kIgnored, kEdited, kCommit, kCancel };

  // A new text, all of it selected.
  void SetText(const std::string& text);
  const std::string& Text() const { return mText; }

  // A key: its symbol (X keysym), the characters it types (Latin-1) and
  // whether Shift or Control is held. Return and the pad's Enter commit,
  // Escape cancels, printable characters replace the selection, BackSpace,
  // Delete, Left, Right, Home and End edit and move as in any text field
  // (with Shift they extend the selection); Control+A selects all.
  KeyResult Key(unsigned long keysym, const char* typed, bool shift, bool control);
  // A click at x in the field puts the caret at the nearest character edge.
  void ClickAt(int x, FreeTypeText& text);

  // Draws the field (kWidth x kHeight at the bitmap's top left).
  void Draw(LICE_IBitmap* bitmap, FreeTypeText& text, bool focused);

 private:
  static FreeTypeText::Font FieldFont();
  bool HasSelection() const { return mAnchor != mCaret; }
  void EraseSelection();
  // Where the text starts, for the caret to stay inside the field.
  int TextLeft(FreeTypeText& text);
  int WidthOf(FreeTypeText& text, std::size_t bytes);

  std::string mText;
  std::size_t mCaret = 0;   // byte index of the caret
  std::size_t mAnchor = 0;  // the selection's other end
};
