// The graphics layer for Linux: the drawing layer's off-screen buffer, text
// drawn into it with FreeType in the embedded Liberation Sans (placed as the
// Windows layer's GDI text is placed, FreeTypeText.h), and the editor's X11
// window (X11Window.h) inside the window the host hands to effEditOpen,
// with the input of X11Input.h. Without a window (no parent, no X server)
// the core, the controls and the drawing run as before, window-less.
//
// Text entry and value menus are drawn by the editor in windows of its
// own on the window's connection (TextField.h, MenuPanel.h, X11Overlay.h)
// and follow the Windows layer's rules: the field opens centred on the
// control with the value's text selected; Return commits, a right click in
// the editor cancels and a left click there commits once the field has
// passed a tick; committing and closing happen at the next tick, and a
// tick after a repaint shows a new value of the parameter in the field.
// Menus open at the pointer and answer when an item is chosen, which keeps
// the host's thread free while they are up. Files are asked for the same
// way (PromptForFileLater, FileChooser.h). Without a window, text entry
// and menus do nothing, PromptForFile gives an empty path, the colour
// dialog and links false.
//
// Driving the window: reading its events (input, and exposed areas, copied
// again from the buffer) and the tick (the dirty check, the paint and the
// changed area copied to the window, FPS times a second). Linux hosts
// either call effEditIdle on their GUI thread, often 20 to 60 times a
// second, or never. While they call it, the window is driven there, so
// input reaches the plug-in and its host on the host's GUI thread. A thread
// of the window's own wakes each tick and drives it only when no idle call
// began or ended for kHostIdleTimeoutMs; it gives way as soon as idle calls
// come again. One drive lock keeps the two apart; neither holds the
// instance mutex (the dispatcher sends the editor requests without it), so
// CloseWindow can wait for the thread, which may be painting.
//
// Threads: OpenWindow, CloseWindow and OnHostIdle on the host's GUI thread;
// the drive (and with it the input entries and the paint pass) under the
// drive lock; SetParameterFromPlug from the core. The text renderer is
// this object's own, used only while painting.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FileChooser.h"
#include "FreeTypeText.h"
#include "IGraphicsLice.h"
#include "LICE_MemBitmap.h"
#include "MenuPanel.h"
#include "TextField.h"
#include "X11Input.h"
#include "X11Overlay.h"
#include "X11Window.h"

class IGraphicsLinux : public IGraphicsLice {
 public:
  IGraphicsLinux(IPlugBase* plug, int width, int height, int fps = 0);
  // Closes the window.
  ~IGraphicsLinux() override;

  // How long without an idle call before the window's own thread drives it.
  static constexpr int kHostIdleTimeoutMs = 250;

  // Copies rect of the buffer to the window, if one is open. True without one.
  bool DrawScreen(const IRect& rect) override;
  // Draws text in the style's font, size, colour and alignment, clipped to
  // the draw rectangle of the paint pass (not to rect). An empty text draws
  // nothing and answers true; false when the font cannot be had.
  bool DrawText(ITextStyle* style, const char* text, const IRect& rect) override;
  bool MeasureText(ITextStyle* style, const char* text, int* width) override;
  // nativeMenu: a MenuPanel.
  bool BuildPopupMenu(void* nativeMenu, int* nextId, IPopupMenu* menu) override;
  void CreateTextEntry(IControl* control, IParameter* param, bool useControlText) override;
  // The directory of the running program / of the plug-in library, with
  // its trailing '/'; empty when unknown.
  void HostPath(std::string* path) override;
  void PluginPath(std::string* path) override;
  void PromptForFile(std::string* path, int action, const char* directory, const char* extension) override;
  bool PromptForFileLater(int action, const char* directory, FileChosen done) override;
  bool PromptForColour(IColour* colour, const char* caption) override;
  bool OpenURL(const char* url, const char* caption, const char* confirmation, const char* error) override;
  // parent: the host's X11 window id. A child window at the editor's size
  // (an open one is closed first), painted in full at the first tick; its
  // id, or null when no window could be made.
  void* OpenWindow(void* parent) override;
  // Stops the window's thread and frees the window and the connection.
  void CloseWindow() override;
  // The buffer and an open window take the new size; the window is
  // painted in full at the next tick.
  void Resize(int width, int height) override;
  // The window's id while open, else null (also once the window was seen
  // destroyed with the host's window).
  void* GetWindow() override;
  void PromptParamMenu(IControl* control, IParameter* param, int itemsPerColumn) override;
  // effEditIdle: drives the window on the calling thread.
  void OnHostIdle() override;

 private:
  using Clock = std::chrono::steady_clock;
  // Reads the window's events and ticks when a tick is due. From the
  // window's thread only while idle calls have stopped.
  void Drive(bool fromHost);
  void DriveLocked();
  // The window's own thread.
  void Run();
  bool HostIdleRecent() const;

  // The Windows layer's text entry states.
  enum EditState { kEditIdle = 0, kEditFocused = 1, kEditRefresh = 2, kEditCancel = 3, kEditCommit = 4 };
  // A value menu while it is up, and what its choice does: a control's
  // own menu (answered with OnPopupMenuSelection, then freed with
  // FreePopupMenu), or a parameter's value menu.
  struct OpenMenu {
    MenuPanel panel;
    X11Overlay window;
    IControl* control = nullptr;
    IPopupMenu* controlMenu = nullptr;
    IParameter* param = nullptr;
  };

  // Text entry, value menus and the file chooser (IGraphicsLinuxEntry.cpp),
  // all under the drive lock.
  // An input event for the field's or the menu's window; false for others.
  bool HandleOverlayInput(const X11InputEvent& event);
  // An event for the editor's window while a field is open: false when the
  // field's rules swallow it.
  bool PassEditorInput(const X11InputEvent& event);
  void RedrawOverlays(const std::vector<unsigned long>& exposed);
  // The tick's text entry step; true when it ends the tick.
  bool TickTextEntry();
  void ShowField();
  void CommitTextEntry();
  void RefreshTextEntry();
  void CloseTextEntry();
  bool OpenMenuAtPointer(std::unique_ptr<OpenMenu> menu);
  void CloseMenu(int chosenId);
  void PollChooser();
  void EndOverlays();

  FreeTypeText mText;
  // The field's and the menu's text; apart from mText, which a host's
  // picture on another thread may be using.
  FreeTypeText mOverlayText;
  TextField mField;
  X11Overlay mFieldWindow;
  int mEditState = kEditIdle;
  bool mFieldFocused = false;
  // The field's and the menu's pixels.
  LICE_MemBitmap mOverlayPixels;
  // Set when a press opened a menu, which takes the pointer: the press
  // ends in the editor at once.
  bool mMenuEndsPress = false;
  // The text the editor last put into the field: a refresh replaces the
  // field's text only when the value's text moved away from it, so typing
  // survives the repaints of a living editor.
  std::string mFieldShownText;
  std::unique_ptr<OpenMenu> mMenu;
  std::unique_ptr<FileChooser> mChooser;
  FileChosen mChooserDone;
  std::mutex mDriveMutex;  // the window, the input state, the tick time
  X11Window mWindow;
  X11Input mInput{this};
  Clock::time_point mLastTick;
  std::atomic<uintptr_t> mWindowId{0};
  std::atomic<Clock::rep> mLastHostIdle{0};
  std::atomic<std::thread::id> mDrivingThread{};  // the one in a drive, if any
  // CloseWindow was asked for inside a drive; the driving thread's only.
  bool mCloseAfterDrive = false;
  // The window's thread and its stop request (under mThreadMutex).
  std::thread mThread;
  std::mutex mThreadMutex;
  std::condition_variable mWake;
  bool mStop = false;
};
