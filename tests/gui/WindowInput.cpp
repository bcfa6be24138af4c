#include "WindowInput.h"

namespace guitest {

namespace {
// lParam of a key message: repeat count 1 (the scan code is not read).
const LPARAM kKeyDownBits = 1;
// lParam of a key release: repeat count 1, previously down, being released.
const LPARAM kKeyUpBits = 1 | (LPARAM(1) << 30) | (LPARAM(1) << 31);
// How long one wait for a message may last, in milliseconds.
const DWORD kWaitSliceMs = 5;

LPARAM PointParam(int x, int y) {
  // Each coordinate as a signed 16-bit word, as Windows packs it.
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

// Takes one message off the queue and dispatches it; false when none was
// waiting after a short wait.
bool DispatchOne(MSG* message) {
  if (!PeekMessageA(message, nullptr, 0, 0, PM_REMOVE)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitSliceMs, QS_ALLINPUT);
    return false;
  }
  TranslateMessage(message);
  DispatchMessageA(message);
  return true;
}
}  // namespace

void SendMouse(HWND window, UINT message, int x, int y, WPARAM keys) {
  SendMessageA(window, message, keys, PointParam(x, y));
}

void SendWheel(HWND window, int x, int y, int delta, WPARAM keys) {
  POINT screen = {x, y};
  ClientToScreen(window, &screen);
  SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(static_cast<SHORT>(delta))),
               PointParam(screen.x, screen.y));
}

void TypeText(HWND window, const char* text) {
  for (const char* c = text; *c; ++c)
    SendMessageA(window, WM_CHAR, static_cast<unsigned char>(*c), kKeyDownBits);
}

void PressKey(HWND window, int virtualKey) {
  SendMessageA(window, WM_KEYDOWN, virtualKey, kKeyDownBits);
  SendMessageA(window, WM_KEYUP, virtualKey, kKeyUpBits);
}

int PumpTicks(HWND window, UINT_PTR timerId, int ticks, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  int seen = 0;
  while (seen < ticks && GetTickCount() - start < timeoutMs) {
    MSG message;
    if (!DispatchOne(&message)) continue;
    if (message.message == WM_TIMER && message.hwnd == window && message.wParam == timerId) ++seen;
  }
  return seen;
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < ms) DispatchOne(&message);
}

}  // namespace guitest
