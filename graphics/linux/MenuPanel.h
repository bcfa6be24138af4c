// A value menu as the Linux editor shows it: the items of a menu (ids,
// ticks, disabled items, separators, column breaks), laid out in columns
// and drawn in the editor's colours, with the pointer or the arrow keys
// highlighting an item. Ids run from 1 in the order the Windows layer
// numbers a native menu's items: an item, then its submenu's items. A
// submenu is shown inline below its item, which becomes a heading, so
// every id stays reachable.
//
// No X state: the editor's X11 layer shows the bitmap (X11Overlay.h) and
// feeds the pointer and keys.
#pragma once

#include <string>
#include <vector>

#include "FreeTypeText.h"

class IPopupMenu;

class MenuPanel {
 public:
  struct Item {
    std::string text;
    int id = 0;  // 0 for separators and headings
    bool checked = false;
    bool disabled = false;
    bool separator = false;
    bool newColumn = false;  // starts a new column
    int indent = 0;          // submenu depth
  };

  // Appends an item with the next id (separators and headings take one
  // too, as native menu items do, but cannot be chosen).
  void Add(Item item);
  // Appends a menu's items with ids from *nextId, ticks as the Windows
  // layer sets them (an item whose submenu holds a ticked item is ticked
  // unless it says otherwise). Answers whether an item of this level is ticked.
  bool AddMenu(IPopupMenu* menu, int* nextId, int indent = 0);
  bool Empty() const { return mItems.empty(); }

  // Lays the items out; then Width and Height are the panel's size.
  void Layout(FreeTypeText& text);
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }

  // The index of the choosable item at (x, y) in the panel, or -1.
  int ItemAt(int x, int y) const;
  // Highlights an item (-1 for none); true when that changed the picture.
  bool Highlight(int index);
  // Moves the highlight to the next choosable item up or down (wrapping).
  void Step(int direction);
  int Highlighted() const { return mHighlighted; }
  // The id of item `index`, 0 when it cannot be chosen.
  int IdOf(int index) const;

  void Draw(LICE_IBitmap* bitmap, FreeTypeText& text) const;

 private:
  struct Cell {
    int x, y, w, h;
  };
  bool Choosable(int index) const;
  static FreeTypeText::Font ItemFont();

  std::vector<Item> mItems;
  std::vector<Cell> mCells;  // each item's place, after Layout
  int mNextId = 1;
  int mHighlighted = -1;
  int mWidth = 0, mHeight = 0;
};
