// The window-less graphics layer for Linux: the drawing layer's off-screen
// buffer, text drawn into it with FreeType in the embedded Liberation Sans
// (placed as the Windows layer's GDI text is placed, FreeTypeText.h), and
// no window yet. The core, the controls and the drawing run and are tested
// natively on it; an X11 layer will add the window, its timer and input.
//
// Until then everything that needs a window answers "nothing happened":
// OpenWindow gives null (so the host's editor-open request fails), text
// entry and value menus do nothing, the file dialog gives an empty path,
// the colour dialog and links false.
//
// Threads: as IGraphicsLice: the GUI thread (here: whoever paints), except
// SetParameterFromPlug from the core. The text renderer is this object's
// own, used only while painting.
#pragma once

#include "FreeTypeText.h"
#include "IGraphicsLice.h"

class IGraphicsLinux : public IGraphicsLice {
 public:
  IGraphicsLinux(IPlugBase* plug, int width, int height, int fps = 0);
  ~IGraphicsLinux() override;

  // No window to copy to: the buffer holds the picture. True.
  bool DrawScreen(const IRect& rect) override;
  // Draws text in the style's font, size, colour and alignment, clipped to
  // the draw rectangle of the paint pass (not to rect). An empty text draws
  // nothing and answers true; false when the font cannot be had.
  bool DrawText(ITextStyle* style, const char* text, const IRect& rect) override;
  bool MeasureText(ITextStyle* style, const char* text, int* width) override;
  bool BuildPopupMenu(void* nativeMenu, int* nextId, IPopupMenu* menu) override;
  void CreateTextEntry(IControl* control, IParameter* param, bool useControlText) override;
  // The directory of the running program / of the plug-in library, with
  // its trailing '/'; empty when unknown.
  void HostPath(std::string* path) override;
  void PluginPath(std::string* path) override;
  void PromptForFile(std::string* path, int action, const char* directory, const char* extension) override;
  bool PromptForColour(IColour* colour, const char* caption) override;
  bool OpenURL(const char* url, const char* caption, const char* confirmation, const char* error) override;
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override;
  void PromptParamMenu(IControl* control, IParameter* param, int itemsPerColumn) override;

 private:
  FreeTypeText mText;
};
