#include "X11Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "X11Errors.h"
#include "X11Pixels.h"

namespace {

const long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                        LeaveWindowMask | KeyPressMask | StructureNotifyMask;

}  // namespace

bool X11Window::Open(unsigned long parent, int width, int height) {
  Close();
  if (!parent || width <= 0 || height <= 0) return false;
  mDisplay = XOpenDisplay(nullptr);
  if (!mDisplay) return false;
  x11errors::Register(mDisplay);
  XWindowAttributes parentAttributes;
  if (!XGetWindowAttributes(mDisplay, parent, &parentAttributes)) {
    Close();
    return false;
  }
  mWidth = width;
  mHeight = height;
  XSetWindowAttributes attributes = {};
  attributes.event_mask = kEventMask;
  // No background: the buffer paints every pixel, so nothing flickers.
  attributes.background_pixmap = None;
  mWindow =
      XCreateWindow(mDisplay, parent, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
  mGC = XCreateGC(mDisplay, mWindow, 0, nullptr);
  XMapWindow(mDisplay, mWindow);
  XSync(mDisplay, False);
  if (x11errors::TakeLastError(mDisplay) != 0 || !MakeImage()) {
    Close();
    return false;
  }
  return true;
}

bool X11Window::MakeImage() {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(mDisplay, mWindow, &attributes)) return false;
  Visual* visual = attributes.visual;
  const unsigned w = static_cast<unsigned>(mWidth), h = static_cast<unsigned>(mHeight);
  if (XShmQueryExtension(mDisplay)) {
    XShmSegmentInfo* info = new XShmSegmentInfo();
    info->shmid = -1;
    mImage = XShmCreateImage(mDisplay, visual, static_cast<unsigned>(attributes.depth), ZPixmap, nullptr,
                             info, w, h);
    if (mImage) {
      info->shmid =
          shmget(IPC_PRIVATE, static_cast<std::size_t>(mImage->bytes_per_line) * h, IPC_CREAT | 0600);
    }
    if (info->shmid >= 0) {
      info->shmaddr = static_cast<char*>(shmat(info->shmid, nullptr, 0));
      if (info->shmaddr == reinterpret_cast<char*>(-1)) info->shmaddr = nullptr;
    }
    if (info->shmaddr) {
      mImage->data = info->shmaddr;
      info->readOnly = False;
      XShmAttach(mDisplay, info);
      XSync(mDisplay, False);
      mShmAttached = x11errors::TakeLastError(mDisplay) == 0;
    }
    // Removed now, the segment goes when the last user detaches, also
    // when this process ends without closing.
    if (info->shmid >= 0) shmctl(info->shmid, IPC_RMID, nullptr);
    if (mShmAttached) {
      mShmInfo = info;
      return true;
    }
    // The server refused (a remote or restricted server): plain requests.
    if (mImage) {
      mImage->data = nullptr;
      XDestroyImage(mImage);
      mImage = nullptr;
    }
    if (info->shmaddr) shmdt(info->shmaddr);
    delete info;
  }
  mImage = XCreateImage(mDisplay, visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0, nullptr, w, h,
                        32, 0);
  if (!mImage) return false;
  mImage->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(mImage->bytes_per_line) * h, 1));
  return mImage->data != nullptr;
}

bool X11Window::Resize(int width, int height) {
  if (!mDisplay || !Alive() || width <= 0 || height <= 0) return false;
  if (width == mWidth && height == mHeight) return true;
  FreeImage();
  mWidth = width;
  mHeight = height;
  XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
  return MakeImage();
}

void X11Window::FreeImage() {
  if (mShmAttached) {
    XShmDetach(mDisplay, static_cast<XShmSegmentInfo*>(mShmInfo));
    XSync(mDisplay, False);
    mShmAttached = false;
  }
  if (mImage) {
    // Shared pixels are detached below; XDestroyImage frees the others.
    if (mShmInfo) mImage->data = nullptr;
    XDestroyImage(mImage);
    mImage = nullptr;
  }
  if (mShmInfo) {
    XShmSegmentInfo* info = static_cast<XShmSegmentInfo*>(mShmInfo);
    if (info->shmaddr) shmdt(info->shmaddr);
    delete info;
    mShmInfo = nullptr;
  }
}

void X11Window::Close() {
  if (!mDisplay) return;
  FreeImage();
  if (mGC) XFreeGC(mDisplay, static_cast<GC>(mGC));
  mGC = nullptr;
  // A window destroyed with the host's window is gone already; one whose
  // destruction is not read yet answers with an error, which is recorded.
  if (mWindow && !mDestroyed) XDestroyWindow(mDisplay, mWindow);
  mWindow = 0;
  mDestroyed = false;
  XCloseDisplay(mDisplay);
  x11errors::Unregister(mDisplay);
  mDisplay = nullptr;
}

bool X11Window::Show(const uint32_t* pixels, int stride, int left, int top, int right, int bottom) {
  if (!mDisplay || !mImage || !pixels || !Alive()) return false;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, mWidth);
  bottom = std::min(bottom, mHeight);
  if (left >= right || top >= bottom) return true;
  const int w = right - left;
  CopyPixelsToImage(mImage, pixels, stride, left, top, right, bottom);
  const unsigned uw = static_cast<unsigned>(w), uh = static_cast<unsigned>(bottom - top);
  if (mShmAttached) {
    XShmPutImage(mDisplay, mWindow, static_cast<GC>(mGC), mImage, left, top, left, top, uw, uh, False);
  } else {
    XPutImage(mDisplay, mWindow, static_cast<GC>(mGC), mImage, left, top, left, top, uw, uh);
  }
  // The shared pixels are the server's until it has copied them.
  XSync(mDisplay, False);
  return true;
}

void X11Window::ReadEvents(Events* events) {
  if (!mDisplay) return;
  XSync(mDisplay, False);
  while (XPending(mDisplay) > 0) {
    XEvent event;
    XNextEvent(mDisplay, &event);
    X11InputEvent input = {};
    input.window = event.xany.window;
    switch (event.type) {
      case Expose: {
        const XExposeEvent& e = event.xexpose;
        if (e.window != mWindow) {
          // A window of the editor's own inside or above it (text field, menu).
          if (std::find(events->exposedOthers.begin(), events->exposedOthers.end(), e.window) ==
              events->exposedOthers.end()) {
            events->exposedOthers.push_back(e.window);
          }
          continue;
        }
        if (!events->exposed) {
          events->left = e.x;
          events->top = e.y;
          events->right = e.x + e.width;
          events->bottom = e.y + e.height;
        } else {
          events->left = std::min(events->left, e.x);
          events->top = std::min(events->top, e.y);
          events->right = std::max(events->right, e.x + e.width);
          events->bottom = std::max(events->bottom, e.y + e.height);
        }
        events->exposed = true;
        continue;
      }
      case DestroyNotify:
        if (event.xdestroywindow.window == mWindow) {
          mDestroyed = true;
          events->destroyed = true;
        }
        continue;
      case ButtonPress:
      case ButtonRelease:
        input.kind = event.type == ButtonPress ? X11InputEvent::kPress : X11InputEvent::kRelease;
        input.x = event.xbutton.x;
        input.y = event.xbutton.y;
        input.rootX = event.xbutton.x_root;
        input.rootY = event.xbutton.y_root;
        input.state = event.xbutton.state;
        input.button = event.xbutton.button;
        input.time = event.xbutton.time;
        break;
      case MotionNotify:
        input.kind = X11InputEvent::kMotion;
        input.x = event.xmotion.x;
        input.y = event.xmotion.y;
        input.rootX = event.xmotion.x_root;
        input.rootY = event.xmotion.y_root;
        input.state = event.xmotion.state;
        input.time = event.xmotion.time;
        break;
      case LeaveNotify:
        if (event.xcrossing.mode != NotifyNormal) continue;
        input.kind = X11InputEvent::kLeave;
        input.x = event.xcrossing.x;
        input.y = event.xcrossing.y;
        input.state = event.xcrossing.state;
        input.time = event.xcrossing.time;
        break;
      case FocusIn:
      case FocusOut:
        // Grabs move no focus for good; pointer-root focus is no focus of ours.
        if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
            event.xfocus.detail == NotifyPointer) {
          continue;
        }
        input.kind = event.type == FocusIn ? X11InputEvent::kFocusIn : X11InputEvent::kFocusOut;
        break;
      case KeyPress: {
        input.kind = X11InputEvent::kKey;
        input.x = event.xkey.x;
        input.y = event.xkey.y;
        input.state = event.xkey.state;
        input.time = event.xkey.time;
        KeySym symbol = XLookupKeysym(&event.xkey, 0);
        // The numeric pad gives digits with NumLock (Mod2) on, as on Windows.
        if (event.xkey.state & Mod2Mask) {
          const KeySym shifted = XLookupKeysym(&event.xkey, 1);
          if (IsKeypadKey(shifted)) symbol = shifted;
        }
        input.keysym = symbol;
        // The character the key types with its modifiers (Latin-1), for text fields.
        char typed[sizeof(input.text)] = {};
        const int n = XLookupString(&event.xkey, typed, sizeof(typed) - 1, nullptr, nullptr);
        if (n > 0) std::memcpy(input.text, typed, static_cast<std::size_t>(n));
        break;
      }
      default:
        continue;
    }
    events->input.push_back(input);
  }
}

void X11Window::Focus(unsigned long time) {
  if (!mDisplay || !Alive()) return;
  XSetInputFocus(mDisplay, mWindow, RevertToParent, time);
}
