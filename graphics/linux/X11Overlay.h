// A small window of the editor's own on the editor's X connection, showing
// a 32-bit bitmap of ours through a plain image request: the text field
// (a child of the editor's window, as the Windows field is a child window)
// and the value menu (a top-level window the window manager leaves alone,
// above the host's windows, where the pointer is). Its events arrive with
// the editor window's (X11Window::ReadEvents), marked with its id.
//
// Threads: whoever drives the editor's window; Xlib types stay out of this
// header.
#pragma once

#include "LICE_IBitmap.h"

struct _XDisplay;
struct _XImage;

class X11Overlay {
 public:
  enum Kind {
    kField,  // a child window that takes keys and the focus
    kPopup,  // a top-level window that takes the pointer and the keys while open
  };

  X11Overlay() = default;
  ~X11Overlay() { Close(); }
  X11Overlay(const X11Overlay&) = delete;
  X11Overlay& operator=(const X11Overlay&) = delete;

  // kField: a mapped child of `parent` at (x, y) in it. kPopup: a mapped
  // top-level window at (x, y) on the screen (`parent` is not used).
  // False, with nothing left open, when the window cannot be had.
  bool Open(_XDisplay* display, Kind kind, unsigned long parent, int x, int y, int width, int height);
  // Destroys the window (and ends a popup's grabs); the connection stays.
  void Close();
  bool IsOpen() const { return mWindow != 0; }
  unsigned long Id() const { return mWindow; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }

  // Puts the bitmap's top-left window-sized area into the window.
  bool Show(LICE_IBitmap* bitmap);
  // Gives the window the keyboard focus.
  void Focus(unsigned long time);
  // kPopup: routes every pointer and key event to the window, also those
  // outside it (so a click elsewhere closes the menu). False when another
  // client holds the pointer.
  bool Grab(unsigned long time);

  // The screen's size and the pointer on it, for placing a popup.
  static void ScreenSize(_XDisplay* display, int* width, int* height);
  static void PointerOnScreen(_XDisplay* display, int* x, int* y);

 private:
  _XDisplay* mDisplay = nullptr;  // not owned
  unsigned long mWindow = 0;
  void* mGC = nullptr;  // GC
  _XImage* mImage = nullptr;
  bool mGrabbed = false;
  int mWidth = 0, mHeight = 0;
};
