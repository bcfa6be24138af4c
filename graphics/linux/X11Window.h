// The editor's X11 window: a connection of its own to the X server (the
// one DISPLAY names), a child window of the host's window at the editor's
// size, a graphics context and an image through which areas of the
// off-screen buffer reach the window. The image lives in shared memory
// (MIT-SHM) when the server offers it and accepts the segment; otherwise
// its pixels travel in the request (XPutImage). Close frees all of it, the
// connection last; errors on the connection (the host destroyed its window,
// and the editor's with it, before effEditClose) are recorded, never fatal
// (X11Errors.h).
//
// Threads: one at a time (the caller serialises); Xlib types stay out of
// this header.
#pragma once

#include <cstdint>
#include <vector>

#include "X11Input.h"

struct _XDisplay;
struct _XImage;

class X11Window {
 public:
  X11Window() = default;
  ~X11Window() { Close(); }
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  // A mapped child of `parent` at (0, 0), width x height. False, with
  // nothing left open, when the display, the parent or the window cannot
  // be had.
  bool Open(unsigned long parent, int width, int height);
  void Close();
  // A new size: the window and its image follow (the host's window is the
  // host's to size). False when the image cannot be had; the window stays.
  bool Resize(int width, int height);
  bool IsOpen() const { return mDisplay != nullptr; }
  // The window's id (0 when closed); it may be destroyed already.
  unsigned long Id() const { return mWindow; }
  // False once the window was destroyed with the host's window.
  bool Alive() const { return mWindow != 0 && !mDestroyed; }
  bool UsesSharedMemory() const { return mShmAttached; }
  // The connection, for the editor's other windows (Overlay.h); null when closed.
  _XDisplay* Connection() const { return mDisplay; }

  // Copies the area (clipped to the window) of a 32-bit buffer of
  // (A << 24) | (R << 16) | (G << 8) | B pixels, `stride` pixels a row, to
  // the window, and waits until the server has it.
  bool Show(const uint32_t* pixels, int stride, int left, int top, int right, int bottom);

  // What reading the connection's events found.
  struct Events {
    std::vector<X11InputEvent> input;  // in order of arrival
    bool exposed = false;              // the union of the exposed areas:
    int left = 0, top = 0, right = 0, bottom = 0;
    bool destroyed = false;  // the window went away with the host's window
    // Other windows of this connection (the editor's text field and menu)
    // with exposed areas.
    std::vector<unsigned long> exposedOthers;
  };
  // Reads every event the server has sent so far (one round trip), for
  // this window and for every other window made on its connection.
  void ReadEvents(Events* events);
  // Takes the keyboard focus (after a click, as Windows activates).
  void Focus(unsigned long time);

 private:
  bool MakeImage();
  void FreeImage();

  _XDisplay* mDisplay = nullptr;
  unsigned long mWindow = 0;
  void* mGC = nullptr;  // GC
  _XImage* mImage = nullptr;
  bool mDestroyed = false;
  bool mShmAttached = false;
  void* mShmInfo = nullptr;  // XShmSegmentInfo of the shared image, owned
  int mWidth = 0, mHeight = 0;
};
