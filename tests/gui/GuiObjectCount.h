// Counts of the window-system objects a process holds, to find leaks over
// many editor open/close cycles.
//
// GetGuiResources is Windows' own count of GDI objects (bitmaps, fonts,
// device contexts, ...) and USER objects (windows, menus, ...) of a process.
// Wine answers 0 for both (it does not implement the call). There the GDI
// objects are counted in wine's own handle table instead, which the 64-bit
// wine publishes per process where Windows publishes its shared table (the
// process environment block's GdiSharedHandleTable); 32-bit wine publishes
// none. Windows are counted by enumeration everywhere.
//
// Thread use: any thread.
#pragma once

#include <windows.h>

namespace guitest {

struct GuiObjectCount {
  // GDI objects: GetGuiResources(GR_GDIOBJECTS), or under wine the used
  // entries of its handle table; -1 when neither is available.
  long gdiObjects = -1;
  DWORD userObjects = 0;  // GetGuiResources(GR_USEROBJECTS); 0 under wine
  int windows = 0;        // top-level and child windows of this process
};

GuiObjectCount CountGuiObjects();

}  // namespace guitest
