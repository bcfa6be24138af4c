#include "MenuPanel.h"

#include <algorithm>

#include "IPopupMenu.h"
#include "LICE_Raster.h"
#include "PanelPalette.h"

namespace {

const int kFontHeight = 14;
const int kRowHeight = 20;
const int kSeparatorHeight = 7;
const int kBorder = 1;
const int kPadding = 3;      // inside the border, around the columns
const int kTickGutter = 20;  // left of the text, where the tick goes
const int kIndent = 12;      // per submenu level
const int kRightMargin = 18;
const int kMinColumnWidth = 90;

const LICE_pixel kDimInk = 0xFF5F6671;
const LICE_pixel kHighlightInk = 0xFF101215;

// A tick mark, 9 x 7, antialiased lines 2 pixels thick.
void DrawTick(LICE_IBitmap* bitmap, int x, int y, LICE_pixel colour) {
  for (int d = 0; d < 2; ++d) {
    LICE_Line(bitmap, x, y + 3 + d, x + 3, y + 6 + d, colour, 1.0f, LICE_BLIT_MODE_COPY, true);
    LICE_Line(bitmap, x + 3, y + 6 + d, x + 9, y + d, colour, 1.0f, LICE_BLIT_MODE_COPY, true);
  }
}

}  // namespace

FreeTypeText::Font MenuPanel::ItemFont() {
  return {"Arial", kFontHeight, 0, 0};
}

void MenuPanel::Add(Item item) {
  item.id = mNextId++;
  mItems.push_back(item);
}

bool MenuPanel::AddMenu(IPopupMenu* menu, int* nextId, int indent) {
  if (!menu || !nextId) return false;
  bool ticked = false;
  for (int i = 0; i < menu->NItems(); ++i) {
    IPopupMenuItem* source = menu->GetItem(i);
    Item item;
    item.text = source->GetText();
    item.checked = source->IsChecked();
    item.disabled = source->GetFlag(IPopupMenuItem::kDisabled);
    item.separator = source->IsSeparator();
    item.newColumn = source->GetFlag(IPopupMenuItem::kNewColumn);
    item.indent = indent;
    item.id = (*nextId)++;
    const std::size_t at = mItems.size();
    mItems.push_back(item);
    if (IPopupMenu* submenu = source->GetSubmenu()) {
      // The item heads its submenu's items and is not chosen itself.
      mItems[at].disabled = true;
      const bool childTicked = AddMenu(submenu, nextId, indent + 1);
      if (childTicked && !source->GetFlag(IPopupMenuItem::kNoParentTick)) mItems[at].checked = true;
    }
    if (item.checked) ticked = true;
  }
  // Items added one by one afterwards continue the numbering.
  mNextId = *nextId;
  return ticked;
}

bool MenuPanel::Choosable(int index) const {
  if (index < 0 || index >= static_cast<int>(mItems.size())) return false;
  const Item& item = mItems[static_cast<std::size_t>(index)];
  return !item.separator && !item.disabled;
}

int MenuPanel::IdOf(int index) const {
  return Choosable(index) ? mItems[static_cast<std::size_t>(index)].id : 0;
}

void MenuPanel::Layout(FreeTypeText& text) {
  mCells.assign(mItems.size(), Cell{0, 0, 0, 0});
  int x = kBorder + kPadding, y = kBorder + kPadding;
  int columnStart = 0, columnWidth = kMinColumnWidth, tallest = 0;
  const auto closeColumn = [&](int end) {
    for (int i = columnStart; i < end; ++i) mCells[static_cast<std::size_t>(i)].w = columnWidth;
    tallest = std::max(tallest, y);
    x += columnWidth;
  };
  for (int i = 0; i < static_cast<int>(mItems.size()); ++i) {
    const Item& item = mItems[static_cast<std::size_t>(i)];
    if (item.newColumn && i > columnStart) {
      closeColumn(i);
      x += 1;  // the rule between columns
      columnStart = i;
      columnWidth = kMinColumnWidth;
      y = kBorder + kPadding;
    }
    const int h = item.separator ? kSeparatorHeight : kRowHeight;
    int width = 0, height = 0;
    if (!item.separator && !item.text.empty()) text.Measure(ItemFont(), item.text.c_str(), &width, &height);
    columnWidth = std::max(columnWidth, kTickGutter + item.indent * kIndent + width + kRightMargin);
    mCells[static_cast<std::size_t>(i)] = Cell{x, y, 0, h};
    y += h;
  }
  closeColumn(static_cast<int>(mItems.size()));
  mWidth = x + kPadding + kBorder;
  mHeight = std::max(tallest, kBorder + kPadding + kRowHeight) + kPadding + kBorder;
}

int MenuPanel::ItemAt(int x, int y) const {
  for (std::size_t i = 0; i < mCells.size(); ++i) {
    const Cell& c = mCells[i];
    if (x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h) {
      return Choosable(static_cast<int>(i)) ? static_cast<int>(i) : -1;
    }
  }
  return -1;
}

bool MenuPanel::Highlight(int index) {
  if (!Choosable(index)) index = -1;
  if (index == mHighlighted) return false;
  mHighlighted = index;
  return true;
}

void MenuPanel::Step(int direction) {
  const int n = static_cast<int>(mItems.size());
  if (n == 0) return;
  int index = mHighlighted;
  if (index < 0) index = direction > 0 ? -1 : n;
  for (int tries = 0; tries < n; ++tries) {
    index = ((index + direction) % n + n) % n;
    if (Choosable(index)) {
      mHighlighted = index;
      return;
    }
  }
}

void MenuPanel::Draw(LICE_IBitmap* bitmap, FreeTypeText& text) const {
  panel::Fill(bitmap, 0, 0, mWidth, mHeight, panel::kEdge);
  panel::Fill(bitmap, kBorder, kBorder, mWidth - 2 * kBorder, mHeight - 2 * kBorder, panel::kFace);
  const FreeTypeText::Font font = ItemFont();
  const FreeTypeText::Box clip = {kBorder, kBorder, mWidth - kBorder, mHeight - kBorder};
  for (std::size_t i = 0; i < mItems.size(); ++i) {
    const Item& item = mItems[i];
    const Cell& c = mCells[i];
    if (i > 0 && item.newColumn)
      panel::Fill(bitmap, c.x - 1, kBorder + kPadding, 1, mHeight - 2 * (kBorder + kPadding), panel::kEdge);
    if (item.separator) {
      panel::Fill(bitmap, c.x + 4, c.y + kSeparatorHeight / 2, c.w - 8, 1, panel::kEdge);
      continue;
    }
    const bool lit = static_cast<int>(i) == mHighlighted;
    if (lit) panel::Fill(bitmap, c.x, c.y, c.w, c.h, panel::kAccent);
    const bool heading = item.disabled && i + 1 < mItems.size() && mItems[i + 1].indent > item.indent;
    const LICE_pixel ink = lit             ? kHighlightInk
                           : heading       ? panel::kCaption
                           : item.disabled ? kDimInk
                                           : panel::kValue;
    if (item.checked) DrawTick(bitmap, c.x + 6, c.y + (c.h - 8) / 2, lit ? kHighlightInk : panel::kAccent);
    const int left = c.x + kTickGutter + item.indent * kIndent;
    const int top = c.y + (c.h - kFontHeight) / 2;
    text.Draw(bitmap, font, ink, FreeTypeText::kAlignLeft, item.text.c_str(),
              {left, top, c.x + c.w, top + kFontHeight}, clip);
  }
}
