// A popup menu as data: an ordered list of items, each with flags, a text,
// an optional submenu and a tag. The window layer turns it into a native
// menu (IGraphics::BuildPopupMenu). Made, shown and freed on the GUI thread.
#pragma once

#include <string>
#include <vector>

class IPopupMenu;

class IPopupMenuItem {
 public:
  enum Flags {
    kDisabled = 1,
    kNoParentTick = 2,  // a ticked child does not tick this item
    kChecked = 4,
    kSeparator = 8,
    kNewColumn = 16,
    kHighlighted = 32,
  };

  // Takes ownership of the submenu.
  IPopupMenuItem(const char* text, int flags = 0, IPopupMenu* submenu = nullptr);
  ~IPopupMenuItem();
  IPopupMenuItem(const IPopupMenuItem&) = delete;
  IPopupMenuItem& operator=(const IPopupMenuItem&) = delete;

  const char* GetText() const { return mText.c_str(); }
  int GetFlags() const { return mFlags; }
  bool GetFlag(int flag) const { return (mFlags & flag) != 0; }
  void SetFlag(int flag, bool on) { mFlags = on ? (mFlags | flag) : (mFlags & ~flag); }
  bool IsChecked() const { return GetFlag(kChecked); }
  bool IsSeparator() const { return GetFlag(kSeparator); }
  IPopupMenu* GetSubmenu() const { return mpSubmenu; }
  int GetTag() const { return mTag; }
  void SetTag(int tag) { mTag = tag; }

 private:
  int mFlags;
  std::string mText;
  IPopupMenu* mpSubmenu;  // owned, may be null
  int mTag = -1;
};

class IPopupMenu {
 public:
  IPopupMenu() = default;
  ~IPopupMenu();
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  // Appends an item (taking ownership of the submenu); returns it.
  IPopupMenuItem* AddItem(const char* text, int flags = 0, IPopupMenu* submenu = nullptr);
  IPopupMenuItem* AddSeparator();

  int NItems() const { return static_cast<int>(mItems.size()); }
  // Null outside the list.
  IPopupMenuItem* GetItem(int index) const;
  // The first ticked item's index, or -1.
  int CheckedItemIdx() const;

 private:
  std::vector<IPopupMenuItem*> mItems;  // owned
};
