// Counts of the window-system objects a process holds, to find leaks over
// many editor open/close cycles.
//
// GetGuiResources is Windows' own count of GDI objects (bitmaps, fonts,
// device contexts, ...) and USER objects (windows, menus, ...) of a process.
// Wine answers it with 0 for both (it is not implemented there), so the
// windows of the process are also counted by enumeration, which wine
// supports; GdiCountsKnown says whether the GDI count means anything.
//
// Thread use: any thread.
#pragma once

#include <windows.h>

namespace guitest {

struct GuiObjectCount {
  DWORD gdiObjects = 0;   // GetGuiResources(GR_GDIOBJECTS)
  DWORD userObjects = 0;  // GetGuiResources(GR_USEROBJECTS)
  int windows = 0;        // top-level and child windows of this process

  // False where the system reports no GDI or USER objects at all (wine).
  bool GdiCountsKnown() const { return gdiObjects > 0 || userObjects > 0; }
};

GuiObjectCount CountGuiObjects();

}  // namespace guitest
