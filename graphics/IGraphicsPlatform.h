// The graphics object the plug-in creates on this platform: the Win32 window
// layer on Windows, the window-less layer (FreeType text, no window yet)
// elsewhere.
//
// CreatePlatformGraphics makes a new graphics object of the editor's size
// (fps <= 0 gives the default tick rate), which the caller owns until it
// hands it over with AttachEditor; null when the platform has no graphics
// layer. The plug-in calls it in its constructor, then attaches its
// controls and the object.
#pragma once

#include "IGraphics.h"

#ifdef _WIN32
#include "platform/Module.h"
#include "win32/IGraphicsWin32.h"

// The window class, the resources and PluginPath belong to the plug-in
// library's module, whose handle the load notification recorded.
inline IGraphics* CreatePlatformGraphics(IPlugBase* plug, int width, int height, int fps) {
  IGraphicsWin32* graphics = new IGraphicsWin32(plug, width, height, fps);
  graphics->SetHInstance(vrels::ModuleHandle());
  return graphics;
}
#else
#include "linux/IGraphicsLinux.h"

inline IGraphics* CreatePlatformGraphics(IPlugBase* plug, int width, int height, int fps) {
  return new IGraphicsLinux(plug, width, height, fps);
}
#endif
