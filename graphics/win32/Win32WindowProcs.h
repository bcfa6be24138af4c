// The window layer's window procedures, with the Windows types the
// layer's header leaves out. Included by the layer's own files only.
#pragma once

#include "IGraphicsWin32.h"
#include "WindowsApi.h"

struct IGraphicsWin32::WindowProcs {
  // The editor window: stores the graphics object on creation, starts the
  // tick, then hands its messages to the graphics object.
  static LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The text field, subclassed: focus and Return set the entry's state.
  static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The graphics object a window of the layer carries in its user data.
inline IGraphicsWin32* GraphicsOf(HWND window) {
  return reinterpret_cast<IGraphicsWin32*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
