#include "TextField.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

#include "PanelPalette.h"

namespace {

const int kPadding = 2;  // pixels of text margin inside the border
const LICE_pixel kInk = 0xFFE6E9EE;
const LICE_pixel kSelection = 0xFF3D6FB0;
const LICE_pixel kSelectedInk = 0xFFFFFFFF;

bool Printable(unsigned char c) {
  return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
}

}  // namespace

FreeTypeText::Font TextField::FieldFont() {
  return {"Arial", kFontHeight, 0, 0};
}

void TextField::SetText(const std::string& text) {
  mText = text.substr(0, kMaxLength);
  mAnchor = 0;
  mCaret = mText.size();
}

void TextField::EraseSelection() {
  const std::size_t from = std::min(mAnchor, mCaret), to = std::max(mAnchor, mCaret);
  mText.erase(from, to - from);
  mAnchor = mCaret = from;
}

TextField::KeyResult TextField::Key(unsigned long keysym, const char* typed, bool shift, bool control) {
  switch (keysym) {
    case XK_Return:
    case XK_KP_Enter:
      return kCommit;
    case XK_Escape:
      return kCancel;
    case XK_BackSpace:
      if (!HasSelection() && mCaret > 0) mAnchor = mCaret - 1;
      EraseSelection();
      return kEdited;
    case XK_Delete:
    case XK_KP_Delete:
      if (!HasSelection() && mCaret < mText.size()) mAnchor = mCaret + 1;
      EraseSelection();
      return kEdited;
    case XK_Left:
    case XK_KP_Left:
      if (HasSelection() && !shift) {
        mCaret = mAnchor = std::min(mAnchor, mCaret);
      } else {
        if (mCaret > 0) --mCaret;
        if (!shift) mAnchor = mCaret;
      }
      return kEdited;
    case XK_Right:
    case XK_KP_Right:
      if (HasSelection() && !shift) {
        mCaret = mAnchor = std::max(mAnchor, mCaret);
      } else {
        if (mCaret < mText.size()) ++mCaret;
        if (!shift) mAnchor = mCaret;
      }
      return kEdited;
    case XK_Home:
    case XK_KP_Home:
      mCaret = 0;
      if (!shift) mAnchor = mCaret;
      return kEdited;
    case XK_End:
    case XK_KP_End:
      mCaret = mText.size();
      if (!shift) mAnchor = mCaret;
      return kEdited;
    default:
      break;
  }
  if (control) {
    if (keysym == XK_a || keysym == XK_A) {
      mAnchor = 0;
      mCaret = mText.size();
      return kEdited;
    }
    return kIgnored;
  }
  std::string insert;
  for (const char* c = typed; c && *c; ++c) {
    if (Printable(static_cast<unsigned char>(*c))) insert += *c;
  }
  if (insert.empty()) return kIgnored;
  EraseSelection();
  insert = insert.substr(0, kMaxLength - std::min(kMaxLength, mText.size()));
  mText.insert(mCaret, insert);
  mCaret += insert.size();
  mAnchor = mCaret;
  return kEdited;
}

int TextField::WidthOf(FreeTypeText& text, std::size_t bytes) {
  int width = 0, height = 0;
  if (bytes == 0 || !text.Measure(FieldFont(), mText.substr(0, bytes).c_str(), &width, &height)) return 0;
  return width;
}

int TextField::TextLeft(FreeTypeText& text) {
  const int inner = kWidth - 2 * kPadding;
  const int whole = WidthOf(text, mText.size());
  // Centred while it fits, as the Windows field centres its text.
  if (whole <= inner) return (kWidth - whole) / 2;
  // Scrolled so that the caret stays in view, at the right edge if need be.
  const int caret = WidthOf(text, mCaret);
  return std::min(kPadding, kWidth - kPadding - 1 - caret);
}

void TextField::ClickAt(int x, FreeTypeText& text) {
  const int left = TextLeft(text);
  std::size_t best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i <= mText.size(); ++i) {
    const int distance = std::abs(left + WidthOf(text, i) - x);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  mCaret = mAnchor = best;
}

void TextField::Draw(LICE_IBitmap* bitmap, FreeTypeText& text, bool focused) {
  panel::Fill(bitmap, 0, 0, kWidth, kHeight, focused ? panel::kAccent : panel::kEdge);
  panel::Fill(bitmap, 1, 1, kWidth - 2, kHeight - 2, panel::kWell);
  const FreeTypeText::Box clip = {1, 1, kWidth - 1, kHeight - 1};
  const int top = (kHeight - kFontHeight) / 2;
  const int left = TextLeft(text);
  const std::size_t from = std::min(mAnchor, mCaret), to = std::max(mAnchor, mCaret);
  // Three runs: before, inside and after the selection. Glyphs advance by
  // whole pixels without kerning, so the runs meet where the whole text's
  // glyphs would be.
  const int x1 = left + WidthOf(text, from), x2 = left + WidthOf(text, to);
  if (from < to)
    panel::Fill(bitmap, std::max(1, x1), 1, std::min(kWidth - 1, x2) - std::max(1, x1), kHeight - 2,
                kSelection);
  const FreeTypeText::Font font = FieldFont();
  const auto run = [&](std::size_t a, std::size_t b, int x, LICE_pixel ink) {
    if (a >= b) return;
    text.Draw(bitmap, font, ink, FreeTypeText::kAlignLeft, mText.substr(a, b - a).c_str(),
              {x, top, kWidth + 1000, top + kFontHeight}, clip);
  };
  run(0, from, left, kInk);
  run(from, to, x1, kSelectedInk);
  run(to, mText.size(), x2, kInk);
  if (focused && from == to) {
    const int x = std::max(1, std::min(kWidth - 2, x1));
    panel::Fill(bitmap, x, top, 1, kFontHeight, kInk);
  }
}
