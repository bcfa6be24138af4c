// The Windows headers as the window layer includes them. windows.h defines
// DrawText and LoadBitmap as macros (for DrawTextA and LoadBitmapA), which
// would rename the graphics object's operations of the same names in every
// file that sees them; they are undone here, and the layer calls the
// ANSI functions by their own names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>

#undef DrawText
#undef LoadBitmap
