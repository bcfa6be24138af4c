// Real window messages, as Windows delivers a user's mouse and keyboard to a
// window, and the message loop that lets the editor's timer tick.
//
// Positions are the editor's client coordinates and may lie outside the
// window (a drag beyond the editor). Thread use: the thread of the windows.
#pragma once

#include <windows.h>

namespace guitest {

// A mouse message (WM_LBUTTONDOWN, WM_MOUSEMOVE, ...) at (x, y) with the
// buttons and keys of `keys` (MK_LBUTTON, MK_SHIFT, ...), sent (handled
// before this returns).
void SendMouse(HWND window, UINT message, int x, int y, WPARAM keys);

// A wheel message at (x, y) of the window's client area; `delta` in the
// message's units (120 per notch, positive away from the user). The message
// carries screen coordinates, as Windows sends it.
void SendWheel(HWND window, int x, int y, int delta, WPARAM keys = 0);

// Characters typed into a window (WM_CHAR each), then nothing else.
void TypeText(HWND window, const char* text);
// A key pressed and released (WM_KEYDOWN, WM_KEYUP) with a virtual-key code.
void PressKey(HWND window, int virtualKey);

// Runs the message loop until `window` has had `ticks` timer messages of
// timer `timerId` handled, or `timeoutMs` passed; returns the ticks seen.
int PumpTicks(HWND window, UINT_PTR timerId, int ticks, DWORD timeoutMs = 5000);

// Runs the message loop for `ms` milliseconds.
void PumpFor(DWORD ms);

}  // namespace guitest
