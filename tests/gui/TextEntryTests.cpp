// Typing a value: the right-click text field (its size, place and starting
// text; typing that survives repaints; Return applying at the next tick; a right click cancelling; text
// that is not a number), and the value menu of a parameter with texts.
#include <clocale>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// The text field: 36 x 16 pixels centred on the control.
const int kFieldWidth = 36;
const int kFieldHeight = 16;
const int kTextBuffer = 256;

// A process locale with a decimal comma for the C runtime, which the
// plug-in shares; the C locale again when the guard goes.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() {
    for (const char* name : {"German_Germany.1252", "German", "de-DE"}) {
      if (std::setlocale(LC_ALL, name)) break;
    }
  }
  ~DecimalCommaLocale() { std::setlocale(LC_ALL, "C"); }
  bool Active() const { return std::localeconv()->decimal_point[0] == ','; }
};

std::string WindowText(HWND window) {
  char text[kTextBuffer] = {};
  GetWindowTextA(window, text, kTextBuffer);
  return text;
}

using TextEntry = EditorFixture;

TEST_F(TextEntry, RightClickFieldAppliesTypedTextAtTheNextTickWhateverTheLocale) {
  const DecimalCommaLocale locale;
  ASSERT_TRUE(locale.Active()) << "no locale with a decimal comma";
  const Point at = Centre(ControlFor(kGLen, kCtlKnob));

  SendMouse(Editor(), WM_RBUTTONDOWN, at.x, at.y, MK_RBUTTON);
  SendMouse(Editor(), WM_RBUTTONUP, at.x, at.y, 0);
  HWND field = FindWindowExA(Editor(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(field);
  RECT place;
  GetWindowRect(field, &place);
  MapWindowPoints(nullptr, Editor(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(at.x - kFieldWidth / 2, place.left);
  EXPECT_EQ(at.y - kFieldHeight / 2, place.top);
  EXPECT_EQ(kFieldWidth, place.right - place.left);
  EXPECT_EQ(kFieldHeight, place.bottom - place.top);
  const std::string shown = PluginHost().GetParamDisplay(kGLen);
  EXPECT_EQ(shown, WindowText(field));
  EXPECT_EQ(std::string::npos, shown.find(',')) << shown;
  UpdateWindow(field);
  Screenshot("text-entry.png");

  TypeText(field, "45");
  // Another value moves: the editor repaints, and the tick after refreshes
  // the field, which keeps what was typed.
  PluginHost().SetParameter(kGIot, 0.9f);
  Tick();
  Tick();
  TypeText(field, ".5");
  PressKey(field, VK_RETURN);
  EXPECT_EQ(shown, PluginHost().GetParamDisplay(kGLen)) << "applied before the tick";
  ASSERT_EQ(1, Tick());
  EXPECT_FALSE(IsWindow(field));
  EXPECT_EQ("45.5", PluginHost().GetParamDisplay(kGLen));
}

TEST_F(TextEntry, RightClickCancelsAndTextThatIsNoNumberReadsAsZero) {
  const Point at = Centre(ControlFor(kGLen, kCtlKnob));
  const std::string shown = PluginHost().GetParamDisplay(kGLen);

  SendMouse(Editor(), WM_RBUTTONDOWN, at.x, at.y, MK_RBUTTON);
  SendMouse(Editor(), WM_RBUTTONUP, at.x, at.y, 0);
  HWND field = FindWindowExA(Editor(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(field);
  TypeText(field, "77");
  // A right click elsewhere in the editor cancels at the next tick.
  SendMouse(Editor(), WM_RBUTTONDOWN, 1, 1, MK_RBUTTON);
  SendMouse(Editor(), WM_RBUTTONUP, 1, 1, 0);
  ASSERT_EQ(1, Tick());
  EXPECT_FALSE(IsWindow(field));
  EXPECT_EQ(shown, PluginHost().GetParamDisplay(kGLen));

  SendMouse(Editor(), WM_RBUTTONDOWN, at.x, at.y, MK_RBUTTON);
  SendMouse(Editor(), WM_RBUTTONUP, at.x, at.y, 0);
  field = FindWindowExA(Editor(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(field);
  TypeText(field, "abc");
  PressKey(field, VK_RETURN);
  ASSERT_EQ(1, Tick());
  // 0 ms lies below the grain length's range: the parameter's minimum.
  EXPECT_EQ(0.0f, PluginHost().GetParameter(kGLen));
}

// What the value menu offered, read while it is open, and the item to pick.
struct MenuVisit {
  std::vector<std::string> texts;
  int ticked = -1;
  int pick = 0;
  bool seen = false;
};
MenuVisit gMenuVisit;

// A thread timer's procedure, run by the menu's own message loop: reads the
// open menu and picks an item with the keyboard, as a user would.
void CALLBACK VisitMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = FindWindowA("#32768", nullptr);
  if (!menuWindow || gMenuVisit.seen) return;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  if (!menu) return;
  KillTimer(nullptr, timer);
  gMenuVisit.seen = true;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[kTextBuffer] = {};
    GetMenuStringA(menu, i, text, kTextBuffer, MF_BYPOSITION);
    gMenuVisit.texts.push_back(text);
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) gMenuVisit.ticked = i;
  }
  // The first Down selects the first item.
  for (int i = 0; i <= gMenuVisit.pick; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 1);
}

TEST_F(TextEntry, ValueMenuShowsTheTextsWithTheCurrentTickedAndPicksOne) {
  const Point at = Centre(ControlFor(kLfo1Shap, kCtlReadout));
  const std::string shown = PluginHost().GetParamDisplay(kLfo1Shap);
  gMenuVisit = MenuVisit();
  gMenuVisit.pick = 2;

  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, VisitMenu);
  // The menu runs inside the right-button press and returns with the pick.
  SendMouse(Editor(), WM_RBUTTONDOWN, at.x, at.y, MK_RBUTTON);
  KillTimer(nullptr, timer);
  SendMouse(Editor(), WM_RBUTTONUP, at.x, at.y, 0);

  ASSERT_TRUE(gMenuVisit.seen);
  ASSERT_GT(gMenuVisit.texts.size(), static_cast<size_t>(gMenuVisit.pick));
  ASSERT_GE(gMenuVisit.ticked, 0);
  EXPECT_EQ(shown, gMenuVisit.texts[gMenuVisit.ticked]);
  ASSERT_NE(gMenuVisit.pick, gMenuVisit.ticked) << "the pick must change the value";
  EXPECT_EQ(gMenuVisit.texts[gMenuVisit.pick], PluginHost().GetParamDisplay(kLfo1Shap));
  EXPECT_EQ(nullptr, FindWindowExA(Editor(), nullptr, "Edit", nullptr));
}

}  // namespace
}  // namespace guitest
