#include "X11Input.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace {

const unsigned kLeft = Button1;
const unsigned kRight = Button3;
const unsigned kWheelUp = Button4;
const unsigned kWheelDown = Button5;

// The numeric pad's keys and F1..F11 in the order of Windows' virtual keys
// 0x61..0x7A, which the editor reads as 'a'..'z'.
const unsigned long kLowerRangeKeys[] = {
    XK_KP_1,      XK_KP_2, XK_KP_3,        XK_KP_4,   XK_KP_5,         XK_KP_6,        XK_KP_7,
    XK_KP_8,      XK_KP_9, XK_KP_Multiply, XK_KP_Add, XK_KP_Separator, XK_KP_Subtract, XK_KP_Decimal,
    XK_KP_Divide, XK_F1,   XK_F2,          XK_F3,     XK_F4,           XK_F5,          XK_F6,
    XK_F7,        XK_F8,   XK_F9,          XK_F10,    XK_F11};

// The buttons held after the event and the keyboard modifiers.
IMouseMods ModsAfter(const X11InputEvent& event) {
  unsigned state = event.state;
  if (event.kind == X11InputEvent::kPress) {
    if (event.button == kLeft) state |= Button1Mask;
    if (event.button == kRight) state |= Button3Mask;
  } else if (event.kind == X11InputEvent::kRelease) {
    if (event.button == kLeft) state &= ~static_cast<unsigned>(Button1Mask);
    if (event.button == kRight) state &= ~static_cast<unsigned>(Button3Mask);
  }
  return IMouseMods((state & Button1Mask) != 0, (state & Button3Mask) != 0, (state & ShiftMask) != 0,
                    (state & ControlMask) != 0, (state & Mod1Mask) != 0);
}

}  // namespace

int KeyCodeFromKeySym(unsigned long keysym) {
  switch (keysym) {
    case XK_space:
      return KEY_SPACE;
    case XK_Up:
      return KEY_UPARROW;
    case XK_Down:
      return KEY_DOWNARROW;
    case XK_Left:
      return KEY_LEFTARROW;
    case XK_Right:
      return KEY_RIGHTARROW;
    default:
      break;
  }
  if (keysym >= XK_0 && keysym <= XK_9) return KEY_DIGIT_0 + static_cast<int>(keysym - XK_0);
  if (keysym >= XK_A && keysym <= XK_Z) return KEY_ALPHA_A + static_cast<int>(keysym - XK_A);
  if (keysym >= XK_a && keysym <= XK_z) return KEY_ALPHA_A + static_cast<int>(keysym - XK_a);
  const int n = static_cast<int>(sizeof(kLowerRangeKeys) / sizeof(kLowerRangeKeys[0]));
  for (int i = 0; i < n; ++i) {
    if (kLowerRangeKeys[i] == keysym) return KEY_ALPHA_A + i;
  }
  return -1;
}

bool X11Input::Handle(const X11InputEvent& event) {
  const IMouseMods mods = ModsAfter(event);
  switch (event.kind) {
    case X11InputEvent::kPress: {
      if (event.button == kWheelUp || event.button == kWheelDown) {
        mpGraphics->OnMouseWheel(event.x, event.y, mods, event.button == kWheelUp ? 1 : -1);
        return false;
      }
      if (event.button != kLeft && event.button != kRight) return false;
      mSwallowRelease = false;
      const bool second = mHaveLastPress && event.button == mLastButton &&
                          event.time - mLastTime <= kDoubleClickMs &&
                          std::abs(event.x - mLastX) <= kDoubleClickDistance &&
                          std::abs(event.y - mLastY) <= kDoubleClickDistance;
      if (second) {
        // A third press starts anew, as on Windows.
        mHaveLastPress = false;
        if (event.button == kLeft && mpGraphics->OnMouseDblClick(event.x, event.y, mods)) mCaptured = true;
        return true;
      }
      mHaveLastPress = true;
      mLastButton = event.button;
      mLastTime = event.time;
      mLastX = event.x;
      mLastY = event.y;
      mCaptured = true;
      mpGraphics->OnMouseDown(event.x, event.y, mods);
      return true;
    }
    case X11InputEvent::kRelease:
      if (event.button != kLeft && event.button != kRight) return false;
      if (mSwallowRelease) {
        mSwallowRelease = false;
        return false;
      }
      mCaptured = false;
      mpGraphics->OnMouseUp(event.x, event.y, mods);
      return false;
    case X11InputEvent::kMotion:
      if (mods.mL || mods.mR) {
        if (mCaptured) mpGraphics->OnMouseDrag(event.x, event.y, mods);
      } else if (mpGraphics->OnMouseOver(event.x, event.y, mods)) {
        mTrackingLeave = true;
      }
      return false;
    case X11InputEvent::kLeave:
      if (mTrackingLeave && !mCaptured) {
        mTrackingLeave = false;
        mpGraphics->OnMouseOut();
      }
      return false;
    case X11InputEvent::kKey: {
      const int key = KeyCodeFromKeySym(event.keysym);
      if (key >= 0) mpGraphics->OnKeyDown(event.x, event.y, key);
      return false;
    }
    case X11InputEvent::kFocusIn:
    case X11InputEvent::kFocusOut:
      return false;
  }
  return false;
}

void X11Input::EndPress() {
  if (!mCaptured) return;
  mCaptured = false;
  mSwallowRelease = true;
  mpGraphics->OnMouseUp(mLastX, mLastY, IMouseMods());
}

void X11Input::Reset() {
  mCaptured = false;
  mSwallowRelease = false;
  mTrackingLeave = false;
  mHaveLastPress = false;
}
