// Value menus: one item per display text, the current one ticked, a new
// column every 24 items; a picked item sets the value step by step.
#include <gtest/gtest.h>

#include <memory>

#include "GraphicsTestPlug.h"
#include "IPopupMenu.h"
#include "ISwitchControl.h"
#include "TestGraphics.h"

namespace {

TEST(ValueMenu, ItemsTicksColumnsAndThePick) {
  GraphicsTestPlug plug;
  TestGraphics* graphics = new TestGraphics(&plug);
  plug.AttachEditor(graphics);
  const IBitmapInfo twoFrames(nullptr, 14, 28, 2);
  ISwitchControl* choice = new ISwitchControl(&plug, 0, 0, kTestEnum, twoFrames);
  ISwitchControl* toggle = new ISwitchControl(&plug, 20, 0, kTestBool, twoFrames);
  ISwitchControl* number = new ISwitchControl(&plug, 40, 0, kTestInt, twoFrames);
  for (IControl* control :
       {static_cast<IControl*>(choice), static_cast<IControl*>(toggle), static_cast<IControl*>(number)}) {
    graphics->AttachControl(control);
  }

  plug.GetParam(kTestEnum)->Set(25);
  std::unique_ptr<IPopupMenu> menu(choice->GetPopupMenu());
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->NItems(), GraphicsTestPlug::ENUM_COUNT);
  for (int i = 0; i < menu->NItems(); ++i) {
    const IPopupMenuItem* item = menu->GetItem(i);
    EXPECT_EQ(item->IsChecked(), i == 25) << i;
    EXPECT_EQ(item->GetFlag(IPopupMenuItem::kNewColumn), i == 24) << i;  // the 25th item
  }
  EXPECT_STREQ(menu->GetItem(7)->GetText(), "Item 7");

  choice->OnPopupMenuSelection(menu.get(), 7);
  EXPECT_DOUBLE_EQ(choice->GetValue(), 7.0 / 29.0);
  EXPECT_EQ(plug.GetParam(kTestEnum)->Value(), 7.0);
  ASSERT_EQ(plug.mEvents.size(), 1u);
  EXPECT_EQ(plug.mEvents[0].mOpcode, audioMasterAutomate);

  // A two-state parameter with display texts has a menu; a plain integer
  // has none, so its right click asks for a text entry.
  plug.GetParam(kTestBool)->Set(1);
  menu.reset(toggle->GetPopupMenu());
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->NItems(), 2);
  EXPECT_STREQ(menu->GetItem(0)->GetText(), "off");
  EXPECT_EQ(menu->CheckedItemIdx(), 1);
  EXPECT_EQ(number->GetPopupMenu(), nullptr);
  number->OnMouseDown(0, 0, IMouseMods(false, true));
  EXPECT_EQ(graphics->mpEntryControl, number);
  EXPECT_EQ(graphics->mpEntryParam, plug.GetParam(kTestInt));
}

}  // namespace
