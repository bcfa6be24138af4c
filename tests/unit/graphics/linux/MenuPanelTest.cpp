// The Linux value menu numbers its items as the Windows layer numbers a
// native menu's (an item, then its submenu's items, separators counted),
// so a control's OnPopupMenuSelection gets the same index on every target;
// headings, separators and disabled items cannot be chosen, and a column
// break starts a column to the right.
#include <gtest/gtest.h>

#include "IPopupMenu.h"
#include "linux/FreeTypeText.h"
#include "linux/MenuPanel.h"

namespace {

TEST(MenuPanel, IdsTicksColumnsAndTheChoosableItems) {
  IPopupMenu* submenu = new IPopupMenu;
  submenu->AddItem("B1");
  submenu->AddItem("B2", IPopupMenuItem::kChecked);
  IPopupMenu menu;
  menu.AddItem("A");
  menu.AddItem("B", 0, submenu);
  menu.AddSeparator();
  menu.AddItem("C", IPopupMenuItem::kNewColumn | IPopupMenuItem::kDisabled);
  menu.AddItem("D");

  MenuPanel panel;
  int nextId = 1;
  panel.AddMenu(&menu, &nextId);
  EXPECT_EQ(8, nextId);
  // Items in order: A B B1 B2 - C D.
  const int expectedIds[] = {1, 0, 3, 4, 0, 0, 7};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(expectedIds[i], panel.IdOf(i)) << i;

  FreeTypeText text;
  panel.Layout(text);
  // Down from nothing: A, then B1 (B heads its submenu), B2, D, and round.
  const int downs[] = {0, 2, 3, 6, 0};
  for (int expected : downs) {
    panel.Step(1);
    EXPECT_EQ(expected, panel.Highlighted());
  }
  // D stands in the second column, level with A, right of every first-column item.
  const int rowY = 4 + 10;
  EXPECT_EQ(0, panel.ItemAt(10, rowY));
  EXPECT_EQ(-1, panel.ItemAt(panel.Width() - 10, rowY));  // C: disabled
  EXPECT_EQ(6, panel.ItemAt(panel.Width() - 10, rowY + 20));
}

}  // namespace
