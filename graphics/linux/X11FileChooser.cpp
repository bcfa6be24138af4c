#include "X11FileChooser.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "LICE_Raster.h"
#include "PanelPalette.h"
#include "X11Errors.h"
#include "X11Pixels.h"

namespace {

using panel::kAccent;
using panel::kBackground;
using panel::kCaption;
using panel::kHighlight;
using panel::kShadow;
using panel::kTitle;
using panel::kValue;
using panel::kWell;
const LICE_pixel kPanel = panel::kFace;
const LICE_pixel kAccentFace = 0xFF3F6D9F;
const LICE_pixel kButtonFace = 0xFF2C3139;
const LICE_pixel kButtonEdge = 0xFF3A404A;
const LICE_pixel kThumb = 0xFF525862;
const LICE_pixel kWarning = 0xFFE0A643;
const LICE_pixel kBright = 0xFFEDEFF2;

const int kListTextSize = 15;
const int kLabelSize = 14;
const int kScrollStep = 3;
// Two presses on the same row within this many milliseconds open it.
const unsigned long kDoubleClickMs = 400;
const long kEventMask = ExposureMask | ButtonPressMask | KeyPressMask | StructureNotifyMask;
const char kEllipsis[] = "\xE2\x80\xA6";

using Rect = X11FileChooser::Rect;

void Fill(LICE_IBitmap* b, const Rect& r, LICE_pixel colour, float weight = 1.0f) {
  LICE_FillRect(b, r.l, r.t, r.r - r.l, r.b - r.t, colour, weight, LICE_BLIT_MODE_COPY);
}

// A rectangle with corners rounded by 3 pixels, their edge pixels covered
// by the share of the pixel inside the curve.
void FillRounded(LICE_IBitmap* b, const Rect& r, LICE_pixel colour) {
  const int radius = 3;
  Fill(b, {r.l, r.t + radius, r.r, r.b - radius}, colour);
  Fill(b, {r.l + radius, r.t, r.r - radius, r.t + radius}, colour);
  Fill(b, {r.l + radius, r.b - radius, r.r - radius, r.b}, colour);
  for (int j = 0; j < radius; ++j) {
    for (int i = 0; i < radius; ++i) {
      const float dx = static_cast<float>(radius) - (static_cast<float>(i) + 0.5f);
      const float dy = static_cast<float>(radius) - (static_cast<float>(j) + 0.5f);
      const float cover = std::min(1.0f, std::max(0.0f, radius + 0.5f - std::sqrt(dx * dx + dy * dy)));
      LICE_PutPixel(b, r.l + i, r.t + j, colour, cover, LICE_BLIT_MODE_COPY);
      LICE_PutPixel(b, r.r - 1 - i, r.t + j, colour, cover, LICE_BLIT_MODE_COPY);
      LICE_PutPixel(b, r.l + i, r.b - 1 - j, colour, cover, LICE_BLIT_MODE_COPY);
      LICE_PutPixel(b, r.r - 1 - i, r.b - 1 - j, colour, cover, LICE_BLIT_MODE_COPY);
    }
  }
}

// A raised panel: 1 pixel of highlight on the top and left, of shadow on
// the bottom and right.
void Raised(LICE_IBitmap* b, const Rect& r) {
  Fill(b, r, kPanel);
  Fill(b, {r.l, r.t, r.r, r.t + 1}, kHighlight);
  Fill(b, {r.l, r.t, r.l + 1, r.b}, kHighlight);
  Fill(b, {r.l, r.b - 1, r.r, r.b}, kShadow);
  Fill(b, {r.r - 1, r.t, r.r, r.b}, kShadow);
}

// A recessed well with a 1-pixel inner shadow on the top and left.
void Recessed(LICE_IBitmap* b, const Rect& r) {
  Fill(b, r, kWell);
  Fill(b, {r.l, r.t, r.r, r.t + 1}, 0xFF0E0F12);
  Fill(b, {r.l, r.t, r.l + 1, r.b}, 0xFF0E0F12);
  Fill(b, {r.l + 1, r.b - 1, r.r, r.b}, kHighlight, 0.5f);
}

void FolderMark(LICE_IBitmap* b, int x, int y, LICE_pixel colour) {
  Fill(b, {x, y, x + 6, y + 2}, colour);
  Fill(b, {x, y + 2, x + 15, y + 12}, colour, 0.85f);
  Fill(b, {x + 1, y + 4, x + 14, y + 5}, kPanel, 0.35f);
}

void FileMark(LICE_IBitmap* b, int x, int y, LICE_pixel colour) {
  LICE_Line(b, x + 2, y, x + 9, y, colour, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, x + 2, y, x + 2, y + 12, colour, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, x + 2, y + 12, x + 12, y + 12, colour, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, x + 12, y + 3, x + 12, y + 12, colour, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, x + 9, y, x + 12, y + 3, colour, 1.0f, LICE_BLIT_MODE_COPY, true);
  LICE_Line(b, x + 9, y, x + 9, y + 3, colour, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, x + 9, y + 3, x + 12, y + 3, colour, 1.0f, LICE_BLIT_MODE_COPY, false);
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string Parent(const std::string& folder) {
  const std::size_t slash = folder.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : folder.substr(0, slash);
}

void PopCharacter(std::string* text) {
  while (!text->empty() && (static_cast<unsigned char>(text->back()) & 0xC0) == 0x80) text->pop_back();
  if (!text->empty()) text->pop_back();
}

void AppendUtf8(std::string* text, unsigned long c) {
  if (c < 0x80) {
    text->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    text->push_back(static_cast<char>(0xC0 | (c >> 6)));
    text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    text->push_back(static_cast<char>(0xE0 | (c >> 12)));
    text->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x110000) {
    text->push_back(static_cast<char>(0xF0 | (c >> 18)));
    text->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    text->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The character a key types, 0 for none: Latin-1 key symbols are their
// code points, and 0x01000000 + c is the Unicode character c.
unsigned long Typed(unsigned long keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) return keysym;
  if (keysym >= 0x010000A0 && keysym <= 0x0110FFFF) return keysym - 0x01000000;
  return 0;
}

bool HasProperty(Display* display, Window window, Atom property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type,
                                        &format, &count, &after, &data);
  if (data) XFree(data);
  return status == Success && type != 0;
}

// The client top-level window that holds `window`: the ancestor the window
// manager marked with WM_STATE, or without a window manager the child of
// the root. 0 when the window is gone.
Window TopLevelOf(Display* display, Window window) {
  const Atom wmState = XInternAtom(display, "WM_STATE", False);
  for (Window current = window;;) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, current, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    if (HasProperty(display, current, wmState) || parent == root) return current;
    current = parent;
  }
}

}  // namespace

std::unique_ptr<X11FileChooser> X11FileChooser::Open(Action action, const std::string& folder,
                                                     unsigned long owner) {
  std::unique_ptr<X11FileChooser> chooser(new X11FileChooser(action, filechooser::StartingFolder(folder)));
  if (!chooser->mBitmap.GetBits() || !chooser->MakeWindow(owner)) return nullptr;
  chooser->List();
  return chooser;
}

X11FileChooser::~X11FileChooser() {
  CloseWindow();
}

bool X11FileChooser::MakeWindow(unsigned long owner) {
  mDisplay = XOpenDisplay(nullptr);
  if (!mDisplay) return false;
  x11errors::Register(mDisplay);
  const int screen = DefaultScreen(mDisplay);
  const Window root = RootWindow(mDisplay, screen);

  // Centred on the owner's top-level window, else on the screen.
  const Window transientFor = owner ? TopLevelOf(mDisplay, owner) : 0;
  int x = (DisplayWidth(mDisplay, screen) - kWidth) / 2;
  int y = (DisplayHeight(mDisplay, screen) - kHeight) / 2;
  XWindowAttributes attributes;
  Window child = 0;
  if (transientFor && XGetWindowAttributes(mDisplay, transientFor, &attributes) &&
      XTranslateCoordinates(mDisplay, transientFor, root, (attributes.width - kWidth) / 2,
                            (attributes.height - kHeight) / 2, &x, &y, &child)) {
    // On the screen, also for an owner at its edge.
    x = std::max(0, std::min(x, DisplayWidth(mDisplay, screen) - kWidth));
    y = std::max(0, std::min(y, DisplayHeight(mDisplay, screen) - kHeight));
  }
  mWindow = XCreateSimpleWindow(mDisplay, root, x, y, kWidth, kHeight, 0, 0, kBackground & 0xFFFFFF);
  XSelectInput(mDisplay, mWindow, kEventMask);

  const char* title = mAction == kSave ? "Save file" : "Open file";
  XStoreName(mDisplay, mWindow, title);
  XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_NAME", False),
                  XInternAtom(mDisplay, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
  XClassHint classHint = {const_cast<char*>("vrels"), const_cast<char*>("Vrels")};
  XSetClassHint(mDisplay, mWindow, &classHint);
  const Atom dialog = XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
  if (transientFor) XSetTransientForHint(mDisplay, mWindow, transientFor);
  XSizeHints* hints = XAllocSizeHints();
  if (hints) {
    hints->flags = PPosition | PMinSize | PMaxSize;
    hints->x = x;
    hints->y = y;
    hints->min_width = hints->max_width = kWidth;
    hints->min_height = hints->max_height = kHeight;
    XSetWMNormalHints(mDisplay, mWindow, hints);
    XFree(hints);
  }
  Atom deleteWindow = XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
  mDeleteWindow = deleteWindow;
  XSetWMProtocols(mDisplay, mWindow, &deleteWindow, 1);

  mGC = XCreateGC(mDisplay, mWindow, 0, nullptr);
  XMapRaised(mDisplay, mWindow);
  XSync(mDisplay, False);
  // An owner that is gone by now only costs the dialog its place.
  x11errors::TakeLastError(mDisplay);

  if (!XGetWindowAttributes(mDisplay, mWindow, &attributes)) return false;
  mImage = XCreateImage(mDisplay, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0,
                        nullptr, kWidth, kHeight, 32, 0);
  if (!mImage) return false;
  mImage->data =
      static_cast<char*>(std::calloc(static_cast<std::size_t>(mImage->bytes_per_line) * kHeight, 1));
  return mImage->data != nullptr;
}

void X11FileChooser::CloseWindow() {
  if (!mDisplay) return;
  if (mImage) XDestroyImage(mImage);
  mImage = nullptr;
  if (mGC) XFreeGC(mDisplay, static_cast<GC>(mGC));
  mGC = nullptr;
  if (mWindow) XDestroyWindow(mDisplay, mWindow);
  mWindow = 0;
  XCloseDisplay(mDisplay);
  x11errors::Unregister(mDisplay);
  mDisplay = nullptr;
}

void X11FileChooser::Finish(const std::string& path) {
  mFinished = true;
  mPath = path;
  CloseWindow();
}

bool X11FileChooser::Poll() {
  if (mFinished) return true;
  if (!mDisplay) {
    Finish("");
    return true;
  }
  // One round trip: every event the server has made so far is queued.
  XSync(mDisplay, False);
  while (!mFinished && XPending(mDisplay) > 0) {
    XEvent event;
    XNextEvent(mDisplay, &event);
    Handle(event);
  }
  if (mFinished) return true;
  if (mDirty) {
    Paint();
    Show();
  }
  return false;
}

void X11FileChooser::Handle(const XEvent& event) {
  if (event.xany.window != mWindow) return;
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0 && !mDirty) Show();
      break;
    case MapNotify:
      // Without a window manager nobody else gives the dialog the keyboard.
      XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
      break;
    case DestroyNotify:
      mWindow = 0;
      Finish("");
      break;
    case ClientMessage:
      if (event.xclient.format == 32 &&
          static_cast<unsigned long>(event.xclient.data.l[0]) == mDeleteWindow) {
        Finish("");
      }
      break;
    case ButtonPress:
      if (event.xbutton.button == Button4 || event.xbutton.button == Button5) {
        if (mReplacing.empty() && kList.Contains(event.xbutton.x, event.xbutton.y)) {
          Scroll(event.xbutton.button == Button4 ? -kScrollStep : kScrollStep);
        }
      } else if (event.xbutton.button == Button1) {
        Click(event.xbutton.x, event.xbutton.y, event.xbutton.time);
      }
      break;
    case KeyPress: {
      XKeyEvent key = event.xkey;
      KeySym keysym = 0;
      char ignored[16];
      XLookupString(&key, ignored, sizeof ignored, &keysym, nullptr);
      Key(keysym, key.state);
      break;
    }
    default:
      break;
  }
}

void X11FileChooser::Click(int x, int y, unsigned long time) {
  if (!mReplacing.empty()) {
    if (kYesButton.Contains(x, y)) {
      Finish(mReplacing);
    } else if (kNoButton.Contains(x, y)) {
      mReplacing.clear();
      mDirty = true;
    }
    return;
  }
  if (kCancelButton.Contains(x, y)) {
    Finish("");
  } else if (kOkButton.Contains(x, y)) {
    Confirm();
  } else if (kNameField.Contains(x, y)) {
    mListActive = false;
    mDirty = true;
  } else if (kList.Contains(x, y) && y >= RowTop(0) && y < RowTop(kVisibleRows)) {
    const int index = mTop + (y - RowTop(0)) / kRowHeight;
    if (index >= static_cast<int>(mEntries.size())) return;
    const bool again = index == mLastClickRow && time - mLastClickTime <= kDoubleClickMs;
    Select(index);
    mLastClickRow = again ? -1 : index;
    mLastClickTime = time;
    if (again) Confirm();
  }
}

void X11FileChooser::Key(unsigned long keysym, unsigned state) {
  if (!mReplacing.empty()) {
    if (keysym == XK_Return || keysym == XK_KP_Enter || keysym == XK_y || keysym == XK_Y) {
      Finish(mReplacing);
    } else if (keysym == XK_Escape || keysym == XK_n || keysym == XK_N) {
      mReplacing.clear();
      mDirty = true;
    }
    return;
  }
  const int last = static_cast<int>(mEntries.size()) - 1;
  switch (keysym) {
    case XK_Escape:
      Finish("");
      return;
    case XK_Return:
    case XK_KP_Enter:
      Confirm();
      return;
    case XK_Up:
    case XK_KP_Up:
      Select(mSelected < 0 ? 0 : std::max(mSelected - 1, 0));
      return;
    case XK_Down:
    case XK_KP_Down:
      Select(std::min(mSelected + 1, last));
      return;
    case XK_Page_Up:
    case XK_KP_Page_Up:
      Select(std::max(mSelected - (kVisibleRows - 1), 0));
      return;
    case XK_Page_Down:
    case XK_KP_Page_Down:
      Select(std::min(std::max(mSelected, 0) + kVisibleRows - 1, last));
      return;
    case XK_Home:
    case XK_KP_Home:
      Select(0);
      return;
    case XK_End:
    case XK_KP_End:
      Select(last);
      return;
    case XK_BackSpace:
      PopCharacter(&mName);
      break;
    default: {
      const unsigned long c = Typed(keysym);
      // A name within this folder: no slash, no control characters.
      if (!c || c == '/' || (state & ControlMask)) return;
      AppendUtf8(&mName, c);
      break;
    }
  }
  mListActive = false;
  mMessage.clear();
  mDirty = true;
}

void X11FileChooser::Scroll(int rows) {
  const int most = std::max(0, static_cast<int>(mEntries.size()) - kVisibleRows);
  const int top = std::min(std::max(mTop + rows, 0), most);
  if (top != mTop) mDirty = true;
  mTop = top;
}

void X11FileChooser::Select(int index) {
  if (index < 0 || index >= static_cast<int>(mEntries.size())) return;
  mSelected = index;
  mListActive = true;
  mMessage.clear();
  if (!mEntries[static_cast<std::size_t>(index)].folder)
    mName = mEntries[static_cast<std::size_t>(index)].name;
  if (mSelected < mTop) mTop = mSelected;
  if (mSelected >= mTop + kVisibleRows) mTop = mSelected - kVisibleRows + 1;
  mDirty = true;
}

void X11FileChooser::Confirm() {
  mDirty = true;
  const Entry* selected = mSelected >= 0 ? &mEntries[static_cast<std::size_t>(mSelected)] : nullptr;
  std::string name = mName;
  if ((mListActive || name.empty()) && selected && selected->folder) name = selected->name;
  if (name.empty()) {
    mMessage = mAction == kSave ? "Type a name for the file." : "Choose a file.";
    return;
  }
  if (name == "..") {
    Enter(Parent(mFolder), mFolder.substr(mFolder.rfind('/') + 1));
    return;
  }
  const std::string path = Join(mFolder, name);
  struct stat info;
  const bool exists = stat(path.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    Enter(path, "");
  } else if (mAction == kSave) {
    if (exists) {
      mReplacing = path;
    } else {
      Finish(path);
    }
  } else if (exists && S_ISREG(info.st_mode)) {
    Finish(path);
  } else {
    mMessage = "There is no file \"" + name + "\" here.";
  }
}

void X11FileChooser::Enter(const std::string& folder, const std::string& cameFrom) {
  mFolder = folder;
  if (char* resolved = realpath(folder.c_str(), nullptr)) {
    mFolder = resolved;
    std::free(resolved);
  }
  if (mAction == kOpen) mName.clear();
  mMessage.clear();
  List();
  // Back up from a folder, that folder stays in view, selected.
  for (std::size_t i = 0; i < mEntries.size(); ++i) {
    if (!cameFrom.empty() && mEntries[i].folder && mEntries[i].name == cameFrom) Select(static_cast<int>(i));
  }
  mListActive = false;
  mLastClickRow = -1;
}

void X11FileChooser::List() {
  mEntries.clear();
  mSelected = -1;
  mTop = 0;
  mDirty = true;
  std::vector<Entry> found;
  DIR* dir = opendir(mFolder.c_str());
  mUnreadable = dir == nullptr;
  while (dir) {
    const dirent* entry = readdir(dir);
    if (!entry) break;
    if (entry->d_name[0] == '.') continue;
    bool folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info;
      folder = stat(Join(mFolder, entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    found.push_back({entry->d_name, folder});
  }
  if (dir) closedir(dir);
  std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
    if (a.folder != b.folder) return a.folder;
    const int order = strcasecmp(a.name.c_str(), b.name.c_str());
    return order != 0 ? order < 0 : a.name < b.name;
  });
  if (mFolder != "/") mEntries.push_back({"..", true});
  mEntries.insert(mEntries.end(), found.begin(), found.end());
}

void X11FileChooser::DrawText(const std::string& text, int size, int style, unsigned colour, int align,
                              const Rect& box, bool elideStart) {
  const FreeTypeText::Font font = {"Arial", size, style, 0};
  int ascent = 0, cell = 0;
  if (!mText.Metrics(font, &ascent, &cell)) return;
  // Too long: characters give way to an ellipsis, at the start for a path
  // (its end says where one is) and at the end for a name.
  std::string shown = text;
  int width = 0, height = 0;
  const int room = box.r - box.l;
  for (std::string rest = text; mText.Measure(font, shown.c_str(), &width, &height) && width > room;) {
    if (rest.empty()) break;
    if (elideStart) {
      std::size_t cut = 1;
      while (cut < rest.size() && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) ++cut;
      rest.erase(0, cut);
      shown = kEllipsis + rest;
    } else {
      PopCharacter(&rest);
      shown = rest + kEllipsis;
    }
  }
  const int top = box.t + (box.b - box.t - cell) / 2;
  mText.Draw(&mBitmap, font, colour, align, shown.c_str(), {box.l, top, box.r, top + cell},
             {box.l, box.t, box.r, box.b});
}

void X11FileChooser::DrawButton(const Rect& r, const char* label, bool primary, bool enabled) {
  if (primary) {
    FillRounded(&mBitmap, r, enabled ? kAccentFace : kButtonFace);
    if (enabled) Fill(&mBitmap, {r.l + 3, r.t, r.r - 3, r.t + 1}, kAccent, 0.8f);
  } else {
    FillRounded(&mBitmap, r, kButtonEdge);
    FillRounded(&mBitmap, {r.l + 1, r.t + 1, r.r - 1, r.b - 1}, kButtonFace);
  }
  DrawText(label, kLabelSize, 1,
           primary && enabled ? kBright
           : enabled          ? kTitle
                              : kCaption,
           FreeTypeText::kAlignCentre, r);
}

void X11FileChooser::Paint() {
  mDirty = false;
  LICE_IBitmap* b = &mBitmap;
  Fill(b, {0, 0, kWidth, kHeight}, kBackground);

  // The folder's path.
  Recessed(b, kPathWell);
  FolderMark(b, kPathWell.l + 8, kPathWell.t + 7, kCaption);
  DrawText(mFolder, kLabelSize, 0, kTitle, FreeTypeText::kAlignLeft,
           {kPathWell.l + 30, kPathWell.t, kPathWell.r - 8, kPathWell.b}, true);

  // The list.
  Raised(b, kList);
  const bool scrolls = static_cast<int>(mEntries.size()) > kVisibleRows;
  const int textRight = kList.r - (scrolls ? 18 : 10);
  for (int row = 0; row < kVisibleRows; ++row) {
    const int index = mTop + row;
    if (index >= static_cast<int>(mEntries.size())) break;
    const Entry& entry = mEntries[static_cast<std::size_t>(index)];
    const Rect line = {kList.l + 2, RowTop(row), kList.r - (scrolls ? 10 : 2), RowTop(row) + kRowHeight};
    const bool selected = index == mSelected;
    if (selected) {
      Fill(b, line, kAccent, 0.22f);
      Fill(b, {line.l, line.t, line.l + 2, line.b}, kAccent);
    }
    if (entry.folder) {
      FolderMark(b, line.l + 10, line.t + 5, entry.name == ".." ? kCaption : kAccent);
    } else {
      FileMark(b, line.l + 10, line.t + 4, kCaption);
    }
    DrawText(entry.name, kListTextSize, 0,
             selected       ? kBright
             : entry.folder ? kTitle
                            : kValue,
             FreeTypeText::kAlignLeft, {line.l + 34, line.t, textRight, line.b});
  }
  if (mUnreadable) {
    const int row = static_cast<int>(mEntries.size()) - mTop;
    DrawText("This folder cannot be read.", kLabelSize, 2, kWarning, FreeTypeText::kAlignLeft,
             {kList.l + 36, RowTop(row), kList.r - 10, RowTop(row) + kRowHeight});
  }
  if (scrolls) {
    // The scroll bar: the track, and the visible share of the list on it.
    const Rect track = {kList.r - 8, kList.t + 4, kList.r - 4, kList.b - 4};
    FillRounded(b, track, kShadow);
    const int length = track.b - track.t;
    const int count = static_cast<int>(mEntries.size());
    const int thumb = std::max(16, length * kVisibleRows / count);
    const int top = track.t + (length - thumb) * mTop / (count - kVisibleRows);
    FillRounded(b, {track.l, top, track.r, top + thumb}, kThumb);
  }

  // The name field.
  DrawText("Name", kLabelSize, 0, kCaption, FreeTypeText::kAlignLeft,
           {kList.l, kNameField.t, kNameField.l - 6, kNameField.b});
  Recessed(b, kNameField);
  const Rect nameBox = {kNameField.l + 8, kNameField.t, kNameField.r - 8, kNameField.b};
  DrawText(mName, kListTextSize, 0, kValue, FreeTypeText::kAlignLeft, nameBox);
  if (!mListActive) {
    // The caret after the name.
    int width = 0, height = 0;
    const FreeTypeText::Font font = {"Arial", kListTextSize, 0, 0};
    if (mName.empty() || !mText.Measure(font, mName.c_str(), &width, &height)) width = 0;
    const int x = std::min(nameBox.l + width + 1, nameBox.r);
    Fill(b, {x, kNameField.t + 5, x + 1, kNameField.b - 5}, kAccent);
  }

  // The line between the fields and the buttons, the message and the buttons.
  Fill(b, {12, 324, kWidth - 12, 325}, kShadow);
  Fill(b, {12, 325, kWidth - 12, 326}, kHighlight, 0.6f);
  if (!mMessage.empty()) {
    DrawText(mMessage, kLabelSize, 0, kWarning, FreeTypeText::kAlignLeft,
             {12, kOkButton.t, kCancelButton.l - 8, kOkButton.b});
  }
  DrawButton(kCancelButton, "Cancel", false, true);
  const bool ready =
      !mName.empty() || (mSelected >= 0 && mEntries[static_cast<std::size_t>(mSelected)].folder);
  DrawButton(kOkButton, mAction == kSave ? "Save" : "Open", true, ready);

  if (!mReplacing.empty()) {
    // The question covers the chooser, which dims behind it.
    Fill(b, {0, 0, kWidth, kHeight}, 0xFF08090B, 0.55f);
    Raised(b, kQuestion);
    Fill(b, {kQuestion.l + 1, kQuestion.t + 1, kQuestion.r - 1, kQuestion.t + 3}, kWarning);
    const std::string name = mReplacing.substr(mReplacing.rfind('/') + 1);
    const Rect inner = {kQuestion.l + 20, kQuestion.t, kQuestion.r - 20, kQuestion.b};
    DrawText("Replace " + name + "?", 16, 1, kTitle, FreeTypeText::kAlignLeft,
             {inner.l, kQuestion.t + 22, inner.r, kQuestion.t + 46});
    DrawText("A file with this name already exists in", kLabelSize, 0, kCaption, FreeTypeText::kAlignLeft,
             {inner.l, kQuestion.t + 52, inner.r, kQuestion.t + 70});
    DrawText("this folder. Saving replaces its contents.", kLabelSize, 0, kCaption, FreeTypeText::kAlignLeft,
             {inner.l, kQuestion.t + 70, inner.r, kQuestion.t + 88});
    DrawButton(kNoButton, "No", false, true);
    DrawButton(kYesButton, "Yes", true, true);
  }
}

void X11FileChooser::Show() {
  if (!mDisplay || !mImage || !mWindow) return;
  CopyPixelsToImage(mImage, mBitmap.GetBits(), mBitmap.GetRowSpan(), 0, 0, kWidth, kHeight);
  XPutImage(mDisplay, mWindow, static_cast<GC>(mGC), mImage, 0, 0, 0, 0, kWidth, kHeight);
  XFlush(mDisplay);
}
