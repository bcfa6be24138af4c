// How the X11 window turns pointer and key events into the core's events,
// as the Win32 layer turns window messages into them: the left and right
// buttons press, drag and release (a pressed button captures the pointer:
// moves and the release go to the control under the press, also beyond
// the window, which X's implicit grab delivers); the middle button does
// nothing; a second left press within 500 ms and 2 pixels of the first is
// a double-click (a second right press in that time is swallowed, as
// Windows makes it a double-click message the editor ignores); wheel
// buttons 4 and 5 are one notch away from / toward the user; moves with
// no button held hover, and leaving the window ends a hover the core
// tracks. Modifiers are the buttons held after the event, Shift, Control
// and Alt (Mod1). Keys map to the core's key codes as Windows' virtual
// keys do, the numeric pad and F1..F11 included.
//
// The events come as plain records (X11Window reads them from Xlib), so
// this file holds no Xlib state. Threads: whoever drives the window.
#pragma once

#include "IGraphics.h"

struct X11InputEvent {
  enum Kind { kPress, kRelease, kMotion, kLeave, kKey, kFocusIn, kFocusOut };
  Kind kind;
  unsigned long window;  // the window it happened in
  int x, y;              // in that window
  int rootX, rootY;      // kPress, kRelease, kMotion: on the screen
  unsigned state;        // Xlib's state mask before the event
  unsigned button;       // kPress, kRelease: 1 left, 2 middle, 3 right, 4/5 wheel
  unsigned long time;    // the server's milliseconds
  unsigned long keysym;  // kKey: the key's symbol (unshifted, keypad as NumLock gives it)
  char text[8];          // kKey: the characters it types (Latin-1), zero-terminated
};

// The core's key code (IKeyCode) of a key symbol, or -1 for a key the
// editor ignores.
int KeyCodeFromKeySym(unsigned long keysym);

class X11Input {
 public:
  // Windows' double-click time and half its double-click box.
  static constexpr unsigned long kDoubleClickMs = 500;
  static constexpr int kDoubleClickDistance = 2;

  explicit X11Input(IGraphics* graphics) : mpGraphics(graphics) {}

  // Hands one event to the core. True when the press should take the
  // keyboard focus (a left or right press, as Windows activates on a click).
  bool Handle(const X11InputEvent& event);
  // Ends a press whose release goes elsewhere (a menu the press opened
  // takes the pointer): the core gets the release at the press's place.
  void EndPress();
  // The window went away: capture, hover and the double-click memory end.
  void Reset();
  bool Captured() const { return mCaptured; }

 private:
  IGraphics* mpGraphics;  // not owned
  bool mCaptured = false;
  bool mTrackingLeave = false;
  // The release of a press ended by EndPress, which may still come here.
  bool mSwallowRelease = false;
  // The last press that could start a double-click.
  bool mHaveLastPress = false;
  unsigned mLastButton = 0;
  unsigned long mLastTime = 0;
  int mLastX = 0, mLastY = 0;
};
