// The Win32 window layer of the graphics object: the editor as a child
// window ("IPlugWndClass", title "IPlug") inside the window the host hands
// to effEditOpen. It owns that window and, while a value is being typed,
// the text field over the control; its timer (24 ticks a second) collects
// the dirty controls and repaints them from the off-screen buffer; its
// window procedure turns mouse and key messages into the core's events. It
// also draws text with GDI fonts into the off-screen buffer, shows value
// menus and the file and colour dialogs, and opens web links.
//
// Every window in the process shares one window class, registered when the
// first editor window opens and unregistered when the last one closes (a
// process-wide count). A host that destroys its own window before
// effEditClose destroys the editor window with it: the layer then forgets
// the window, and effEditClose (or the destructor) still gives the class
// back.
//
// Threads: everything here runs on the host's GUI thread (the window's
// thread): the dispatcher's editor requests, the window procedure and the
// tick, all without the instance mutex. The window handles are
// kept as opaque pointers so that this header does not bring the Windows
// headers to the plug-in's code.
#pragma once

#include <string>

#include "IGraphicsLice.h"

class IGraphicsWin32 : public IGraphicsLice {
 public:
  IGraphicsWin32(IPlugBase* plug, int width, int height, int fps = 0);
  // Destroys the window if it is still open and frees the custom colours.
  ~IGraphicsWin32() override;

  // The plug-in library's module instance (HINSTANCE): the window class,
  // the resources and PluginPath belong to it. Set right after construction.
  void SetHInstance(void* instance) { mHInstance = instance; }
  void* GetHInstance() const { return mHInstance; }

  // ---- The window ----------------------------------------------------------
  // A child window of parent (HWND) at the editor's size; an open window is
  // closed first and its size and place kept. Null when none could be made.
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return mPlugWnd; }
  bool WindowIsOpen() override { return mPlugWnd != nullptr; }
  // The core's resize, the buffer's, then the window's (and its child-window
  // parents') size change.
  void Resize(int width, int height) override;

  // ---- Drawing ---------------------------------------------------------------
  // Copies rect of the off-screen buffer to the window (inside a paint).
  bool DrawScreen(const IRect& rect) override;
  // Draws text with the style's GDI font into the off-screen buffer, not
  // clipped; the style's font is made on first use.
  bool DrawText(ITextStyle* style, const char* text, const IRect& rect) override;
  bool MeasureText(ITextStyle* style, const char* text, int* width) override;
  // A GDI font for the style: height = size, weight 700 for bold, italic,
  // escapement and orientation in tenths of a degree; freed by the style.
  void CreateTextFont(ITextStyle* style) override;

  // ---- Value entry (text field and menus) ------------------------------------
  // A value menu when the control offers one (shown at once), otherwise a
  // 36 x 16 text field centred on the control, holding the parameter's
  // display text; typed text is applied at the tick after Return.
  void CreateTextEntry(IControl* control, IParameter* param, bool useControlText) override;
  bool BuildPopupMenu(void* nativeMenu, int* nextId, IPopupMenu* menu) override;
  void PromptParamMenu(IControl* control, IParameter* param, int itemsPerColumn) override;

  // ---- Dialogs, links and paths ------------------------------------------------
  void PromptForFile(std::string* path, int action, const char* directory, const char* extension) override;
  bool PromptForColour(IColour* colour, const char* caption) override;
  bool OpenURL(const char* url, const char* caption, const char* confirmation, const char* error) override;
  void HostPath(std::string* path) override;
  void PluginPath(std::string* path) override;

  // The text entry's states (editState). A field exists only between
  // CreateTextEntry and the tick that handles kEditCancel or kEditCommit.
  enum EditState {
    kEditIdle = 0,     // nothing to do at the tick
    kEditFocused = 1,  // the field has the keyboard focus: the editor's ticks wait
    kEditRefresh = 2,  // show the parameter's new display text at the next tick
    kEditCancel = 3,   // close without applying at the next tick
    kEditCommit = 4,   // apply the typed text, then close, at the next tick
  };

 private:
  // The window procedures of the editor window and of the text field
  // (defined with the Windows types where those are known).
  struct WindowProcs;
  friend struct WindowProcs;

  // The editor window's messages once it is known to be ours.
  intptr_t HandleMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
  // The timer: the text entry's pending state, else the dirty check.
  void OnTick();
  // The editor window is being destroyed (by CloseWindow or with the
  // host's window): the field goes first, then the handle is forgotten.
  void OnWindowDestroyed();
  // Applies the field's text to the edit control's parameter.
  void CommitTextEntry();
  // Shows the parameter's current display text in the field if it differs.
  void RefreshTextEntry();
  // Restores and destroys the field and forgets the edit control.
  void CloseTextEntry();
  // The window class: registered by the first open window of the process,
  // unregistered when the last one gives it back.
  bool HoldWindowClass();
  void ReleaseWindowClass();

  void* mHInstance = nullptr;     // HINSTANCE, not owned
  void* mPlugWnd = nullptr;       // HWND, owned
  void* mParamEditWnd = nullptr;  // HWND of the text field, owned
  void* mDefEditProc = nullptr;   // the field's own WNDPROC while subclassed
  void* mEditFont = nullptr;      // HFONT of the field, owned
  // The text the editor last put into the field: a refresh replaces the
  // field's text only when the value's text moved away from it, so typing
  // survives the repaints of a living editor.
  std::string mEditShownText;
  void* mParentWnd = nullptr;               // HWND given to OpenWindow, not owned
  int mParamEditMsg = kEditIdle;            // EditState
  unsigned long* mCustomColours = nullptr;  // the colour dialog's 16 COLORREFs, owned
  IColour mLastTextColour = IColour(255, 0, 0, 0);
  bool mHoldsWindowClass = false;  // this object counts in the class's users
};
