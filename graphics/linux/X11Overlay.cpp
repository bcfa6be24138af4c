#include "X11Overlay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include "X11Errors.h"
#include "X11Pixels.h"

namespace {

const long kFieldEvents = ExposureMask | KeyPressMask | ButtonPressMask | FocusChangeMask;
const long kPopupEvents =
    ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask;
const unsigned kPointerGrabEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

}  // namespace

bool X11Overlay::Open(_XDisplay* display, Kind kind, unsigned long parent, int x, int y, int width,
                      int height) {
  Close();
  if (!display || width <= 0 || height <= 0) return false;
  mDisplay = display;
  XSetWindowAttributes attributes = {};
  attributes.background_pixmap = None;
  unsigned long mask = CWEventMask | CWBackPixmap;
  if (kind == kPopup) {
    parent = DefaultRootWindow(display);
    attributes.event_mask = kPopupEvents;
    // Placed and stacked by us, not by the window manager; the screen
    // under it is kept while it is up.
    attributes.override_redirect = True;
    attributes.save_under = True;
    mask |= CWOverrideRedirect | CWSaveUnder;
  } else {
    attributes.event_mask = kFieldEvents;
  }
  if (!parent) {
    mDisplay = nullptr;
    return false;
  }
  mWidth = width;
  mHeight = height;
  mWindow = XCreateWindow(display, parent, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                          0, CopyFromParent, InputOutput, CopyFromParent, mask, &attributes);
  mGC = XCreateGC(display, mWindow, 0, nullptr);
  XMapRaised(display, mWindow);
  XWindowAttributes made;
  XSync(display, False);
  if (x11errors::TakeLastError(display) != 0 || !XGetWindowAttributes(display, mWindow, &made)) {
    Close();
    return false;
  }
  mImage = XCreateImage(display, made.visual, static_cast<unsigned>(made.depth), ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (mImage) {
    mImage->data =
        static_cast<char*>(std::calloc(static_cast<std::size_t>(mImage->bytes_per_line) * height, 1));
  }
  if (!mImage || !mImage->data) {
    Close();
    return false;
  }
  return true;
}

void X11Overlay::Close() {
  if (!mDisplay) return;
  if (mGrabbed) {
    XUngrabPointer(mDisplay, CurrentTime);
    XUngrabKeyboard(mDisplay, CurrentTime);
    mGrabbed = false;
  }
  if (mImage) XDestroyImage(mImage);  // frees the pixels too
  mImage = nullptr;
  if (mGC) XFreeGC(mDisplay, static_cast<GC>(mGC));
  mGC = nullptr;
  // A field destroyed with the host's window answers with an error, which
  // the connection records.
  if (mWindow) XDestroyWindow(mDisplay, mWindow);
  mWindow = 0;
  XFlush(mDisplay);
  mDisplay = nullptr;
}

bool X11Overlay::Show(LICE_IBitmap* bitmap) {
  if (!mWindow || !mImage || !bitmap || bitmap->GetWidth() < mWidth || bitmap->GetHeight() < mHeight)
    return false;
  CopyPixelsToImage(mImage, bitmap->GetBits(), bitmap->GetRowSpan(), 0, 0, mWidth, mHeight);
  XPutImage(mDisplay, mWindow, static_cast<GC>(mGC), mImage, 0, 0, 0, 0, static_cast<unsigned>(mWidth),
            static_cast<unsigned>(mHeight));
  // Shown when the drive returns, as the editor's own pictures are.
  XSync(mDisplay, False);
  return true;
}

void X11Overlay::Focus(unsigned long time) {
  if (!mWindow) return;
  XSetInputFocus(mDisplay, mWindow, RevertToParent, time);
}

bool X11Overlay::Grab(unsigned long time) {
  if (!mWindow) return false;
  const int pointer = XGrabPointer(mDisplay, mWindow, False, kPointerGrabEvents, GrabModeAsync, GrabModeAsync,
                                   None, None, time);
  if (pointer != GrabSuccess) return false;
  // Keys (Escape, arrows, Return) go to the menu too; without them the
  // pointer still works.
  XGrabKeyboard(mDisplay, mWindow, False, GrabModeAsync, GrabModeAsync, time);
  mGrabbed = true;
  return true;
}

void X11Overlay::ScreenSize(_XDisplay* display, int* width, int* height) {
  *width = DisplayWidth(display, DefaultScreen(display));
  *height = DisplayHeight(display, DefaultScreen(display));
}

void X11Overlay::PointerOnScreen(_XDisplay* display, int* x, int* y) {
  Window root = 0, child = 0;
  int windowX = 0, windowY = 0;
  unsigned mask = 0;
  *x = *y = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, x, y, &windowX, &windowY, &mask);
}
