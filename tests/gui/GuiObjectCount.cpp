#include "GuiObjectCount.h"

namespace guitest {

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// Counts a top-level window of this process and every window inside it.
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}
}  // namespace

GuiObjectCount CountGuiObjects() {
  GuiObjectCount count;
  count.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  count.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count.windows));
  return count;
}

}  // namespace guitest
