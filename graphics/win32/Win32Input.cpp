#include "Win32Input.h"

namespace {

// The virtual-key ranges the editor reads: '0'..'9' and 'A'..'Z' are their
// characters' codes; 0x61..0x7A (the numeric pad's keys and F1..F11 on a
// real keyboard) are taken as 'a'..'z'.
const WPARAM VK_DIGIT_FIRST = '0';
const WPARAM VK_DIGIT_LAST = '9';
const WPARAM VK_LETTER_FIRST = 'A';
const WPARAM VK_LETTER_LAST = 'Z';
const WPARAM VK_LOWER_FIRST = 'a';
const WPARAM VK_LOWER_LAST = 'z';

}  // namespace

IMouseMods MouseModsFromKeyState(WPARAM keyState) {
  // The high bit of GetKeyState's answer: the key is down.
  const bool alt = GetKeyState(VK_MENU) < 0;
  return IMouseMods((keyState & MK_LBUTTON) != 0, (keyState & MK_RBUTTON) != 0, (keyState & MK_SHIFT) != 0,
                    (keyState & MK_CONTROL) != 0, alt);
}

int KeyCodeFromVirtualKey(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_SPACE:
      return KEY_SPACE;
    case VK_UP:
      return KEY_UPARROW;
    case VK_DOWN:
      return KEY_DOWNARROW;
    case VK_LEFT:
      return KEY_LEFTARROW;
    case VK_RIGHT:
      return KEY_RIGHTARROW;
    default:
      break;
  }
  if (virtualKey >= VK_DIGIT_FIRST && virtualKey <= VK_DIGIT_LAST) {
    return KEY_DIGIT_0 + static_cast<int>(virtualKey - VK_DIGIT_FIRST);
  }
  if (virtualKey >= VK_LETTER_FIRST && virtualKey <= VK_LETTER_LAST) {
    return KEY_ALPHA_A + static_cast<int>(virtualKey - VK_LETTER_FIRST);
  }
  if (virtualKey >= VK_LOWER_FIRST && virtualKey <= VK_LOWER_LAST) {
    return KEY_ALPHA_A + static_cast<int>(virtualKey - VK_LOWER_FIRST);
  }
  return -1;
}

int WheelNotches(WPARAM wParam) {
  // C++ integer division rounds toward zero: 60 is no notch, -240 two back.
  return GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
}
