// How the window layer reads Windows' mouse and keyboard messages: the
// modifier flags of a message and the key codes the graphics core takes.
// Pure functions of the message values (Alt excepted, read from the
// keyboard's current state); any thread.
#pragma once

#include "IGraphicsTypes.h"
#include "WindowsApi.h"

// The buttons and keys of a mouse message's key state (MK_LBUTTON, ...);
// Alt, which the key state does not carry, from the keyboard's state now.
IMouseMods MouseModsFromKeyState(WPARAM keyState);

// The core's key code (IKeyCode) of a virtual key, or -1 for a key the
// editor ignores: Space, the arrows, '0'..'9', 'A'..'Z', and 0x61..0x7A as
// 'A'..'Z'.
int KeyCodeFromVirtualKey(WPARAM virtualKey);

// Whole wheel notches of a wheel message's signed delta (120 a notch,
// rounded toward zero).
int WheelNotches(WPARAM wParam);
