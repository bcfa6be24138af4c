// The X11 window's input rules, which follow the Win32 layer's: key
// symbols to key codes, the modifiers after each event, capture, the
// double-click rule and the wheel buttons.
#include <gtest/gtest.h>

#include <string>

#include "GraphicsTestPlug.h"
#include "IControl.h"
#include "TestGraphics.h"
#include "linux/X11Input.h"

// Xlib's names last: its None would rename the test framework's own.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

// Records each call as a letter, its modifiers as the capital ones held.
class RecordingControl : public IControl {
 public:
  explicit RecordingControl(IPlugBase* plug) : IControl(plug, IRect(0, 0, 100, 100)) {}
  bool Draw(IGraphics*) override { return true; }
  void OnMouseDown(int, int, const IMouseMods& m) override { Add("d", m); }
  void OnMouseUp(int, int, const IMouseMods& m) override { Add("u", m); }
  void OnMouseDrag(int, int, int, int, const IMouseMods& m) override { Add("g", m); }
  void OnMouseDblClick(int, int, const IMouseMods& m) override { Add("2", m); }
  void OnMouseWheel(int, int, const IMouseMods& m, int d) override { Add(d > 0 ? "w+" : "w-", m); }
  void OnKeyDown(int, int, int key) override { mLog += "k" + std::to_string(key) + " "; }
  std::string mLog;

 private:
  void Add(const char* what, const IMouseMods& m) {
    mLog += std::string(what) + (m.mL ? "L" : "") + (m.mR ? "R" : "") + (m.mS ? "S" : "") +
            (m.mC ? "C" : "") + (m.mA ? "A" : "") + " ";
  }
};

X11InputEvent Event(X11InputEvent::Kind kind, int x, unsigned state, unsigned button, unsigned long time,
                    unsigned long keysym = 0) {
  X11InputEvent event = {};
  event.kind = kind;
  event.x = x;
  event.y = 50;
  event.state = state;
  event.button = button;
  event.time = time;
  event.keysym = keysym;
  return event;
}
X11InputEvent Press(unsigned button, unsigned long time, int x = 50, unsigned state = 0) {
  return Event(X11InputEvent::kPress, x, state, button, time);
}
X11InputEvent Release(unsigned button, unsigned long time, unsigned state) {
  return Event(X11InputEvent::kRelease, 50, state, button, time);
}
X11InputEvent Motion(int x, unsigned state) {
  return Event(X11InputEvent::kMotion, x, state, 0, 0);
}

TEST(X11Input, KeySymbolsGiveTheWindowsLayersKeyCodes) {
  EXPECT_EQ(KEY_SPACE, KeyCodeFromKeySym(XK_space));
  EXPECT_EQ(KEY_LEFTARROW, KeyCodeFromKeySym(XK_Left));
  EXPECT_EQ(KEY_DOWNARROW, KeyCodeFromKeySym(XK_Down));
  EXPECT_EQ(KEY_DIGIT_0 + 7, KeyCodeFromKeySym(XK_7));
  EXPECT_EQ(KEY_ALPHA_A + 16, KeyCodeFromKeySym(XK_q));
  EXPECT_EQ(KEY_ALPHA_A + 16, KeyCodeFromKeySym(XK_Q));
  // Windows' virtual keys 0x61..0x7A: the numeric pad's 1..9, * + , - . /
  // and F1..F11, read as 'a'..'z'.
  EXPECT_EQ(KEY_ALPHA_A, KeyCodeFromKeySym(XK_KP_1));
  EXPECT_EQ(KEY_ALPHA_A + 14, KeyCodeFromKeySym(XK_KP_Divide));
  EXPECT_EQ(KEY_ALPHA_A + 15, KeyCodeFromKeySym(XK_F1));
  EXPECT_EQ(KEY_ALPHA_A + 25, KeyCodeFromKeySym(XK_F11));
  EXPECT_EQ(-1, KeyCodeFromKeySym(XK_F12));
  EXPECT_EQ(-1, KeyCodeFromKeySym(XK_KP_0));
  EXPECT_EQ(-1, KeyCodeFromKeySym(XK_Return));
}

TEST(X11Input, ModifiersCaptureDoubleClicksAndWheelFollowTheWindowsLayer) {
  GraphicsTestPlug plug;
  TestGraphics* graphics = new TestGraphics(&plug);
  plug.AttachEditor(graphics);
  RecordingControl* control = new RecordingControl(&plug);
  graphics->AttachControl(control);
  X11Input input(graphics);

  // The buttons held after the event; Shift, Control and Alt (Mod1).
  EXPECT_TRUE(input.Handle(Press(Button1, 1000, 50, ShiftMask)));
  EXPECT_TRUE(input.Captured());
  input.Handle(Motion(300, Button1Mask | ControlMask));  // beyond the control: still its drag
  input.Handle(Release(Button1, 1100, Button1Mask | Mod1Mask));
  EXPECT_FALSE(input.Captured());
  // Too late, then too far, for a double-click; then a double-click, after
  // which a third press starts anew.
  input.Handle(Press(Button1, 1501));
  input.Handle(Press(Button1, 1600, 53));
  input.Handle(Press(Button1, 2200, 51));
  input.Handle(Press(Button1, 2700, 51));
  input.Handle(Press(Button1, 2710, 51));
  // A second right press in time is swallowed; the middle button is nothing.
  input.Handle(Press(Button3, 3000));
  input.Handle(Press(Button3, 3100));
  EXPECT_FALSE(input.Handle(Press(Button2, 3200)));
  // No capture: a move with a button held drags nothing.
  input.Reset();
  input.Handle(Motion(60, Button1Mask));
  EXPECT_FALSE(input.Handle(Press(Button4, 4000, 50, ShiftMask)));
  input.Handle(Press(Button5, 4100));
  input.Handle(Event(X11InputEvent::kKey, 50, 0, 0, 4200, XK_Up));
  EXPECT_EQ("dLS gLC uA dL dL dL 2L dL dR w+S w- k1 ", control->mLog);
}

}  // namespace
