#include "IPopupMenu.h"

IPopupMenuItem::IPopupMenuItem(const char* text, int flags, IPopupMenu* submenu)
    : mFlags(flags), mText(text ? text : ""), mpSubmenu(submenu) {}

IPopupMenuItem::~IPopupMenuItem() {
  delete mpSubmenu;
}

IPopupMenu::~IPopupMenu() {
  for (IPopupMenuItem* item : mItems) delete item;
}

IPopupMenuItem* IPopupMenu::AddItem(const char* text, int flags, IPopupMenu* submenu) {
  IPopupMenuItem* item = new IPopupMenuItem(text, flags, submenu);
  mItems.push_back(item);
  return item;
}

IPopupMenuItem* IPopupMenu::AddSeparator() {
  return AddItem("", IPopupMenuItem::kSeparator);
}

IPopupMenuItem* IPopupMenu::GetItem(int index) const {
  if (index < 0 || index >= NItems()) return nullptr;
  return mItems[static_cast<size_t>(index)];
}

int IPopupMenu::CheckedItemIdx() const {
  for (int i = 0; i < NItems(); ++i) {
    if (mItems[static_cast<size_t>(i)]->IsChecked()) return i;
  }
  return -1;
}
