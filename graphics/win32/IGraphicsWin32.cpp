#include "IGraphicsWin32.h"

#include "IControl.h"
#include "LICE_IBitmap.h"
#include "Win32Input.h"
#include "Win32WindowProcs.h"

namespace {

const char* const WINDOW_CLASS_NAME = "IPlugWndClass";
const char* const WINDOW_TITLE = "IPlug";
const UINT_PTR IPLUG_TIMER_ID = 2;
const int MILLISECONDS_PER_SECOND = 1000;
// Module file names are read into a buffer of this many characters.
const DWORD MODULE_PATH_LEN = 256;
// GDI's font weights: FW_DONTCARE takes the face's own.
const int BOLD_WEIGHT = FW_BOLD;
// CreateFont takes angles in tenths of a degree.
const int TENTHS_PER_DEGREE = 10;

// Editor windows open in the process (all instances share one class), and
// the tick rate handed to the window being created. GUI thread only.
int sWindowClassUsers = 0;
int sCreatingFPS = DEFAULT_FPS;

HWND AsWindow(void* handle) {
  return static_cast<HWND>(handle);
}

HDC BufferDC(IGraphicsLice* graphics) {
  LICE_IBitmap* buffer = graphics->GetDrawBitmap();
  return buffer ? static_cast<HDC>(buffer->GetDrawingContext()) : nullptr;
}

void FreeGdiFont(void* font) {
  DeleteObject(static_cast<HFONT>(font));
}

// The directory of a module's file, with its trailing backslash; empty
// when the name cannot be read or holds no backslash.
void ModuleDirectory(HMODULE module, std::string* path) {
  path->clear();
  char name[MODULE_PATH_LEN] = {};
  const DWORD length = GetModuleFileNameA(module, name, MODULE_PATH_LEN);
  if (length == 0 || length >= MODULE_PATH_LEN) return;
  const char* lastSeparator = nullptr;
  for (const char* c = name; *c; ++c) {
    if (*c == '\\') lastSeparator = c;
  }
  if (lastSeparator) path->assign(name, static_cast<std::size_t>(lastSeparator + 1 - name));
}

// Whether a window is a child window that is not an MDI child: a size
// change of the editor is passed up to such parents.
bool IsPlainChild(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) &&
         !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

void GrowWindow(HWND window, int dw, int dh) {
  RECT r;
  GetWindowRect(window, &r);
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

IGraphicsWin32::IGraphicsWin32(IPlugBase* plug, int width, int height, int fps)
    : IGraphicsLice(plug, width, height, fps) {}

IGraphicsWin32::~IGraphicsWin32() {
  CloseWindow();
  delete[] mCustomColours;
}

// ---- The window class ------------------------------------------------------------

bool IGraphicsWin32::HoldWindowClass() {
  if (mHoldsWindowClass) return true;
  if (sWindowClassUsers == 0) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcs::EditorProc;
    windowClass.hInstance = static_cast<HINSTANCE>(mHInstance);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = WINDOW_CLASS_NAME;
    if (!RegisterClassA(&windowClass)) return false;
  }
  ++sWindowClassUsers;
  mHoldsWindowClass = true;
  return true;
}

void IGraphicsWin32::ReleaseWindowClass() {
  if (!mHoldsWindowClass) return;
  mHoldsWindowClass = false;
  if (--sWindowClassUsers == 0) UnregisterClassA(WINDOW_CLASS_NAME, static_cast<HINSTANCE>(mHInstance));
}

// ---- Opening and closing -------------------------------------------------------------

void* IGraphicsWin32::OpenWindow(void* parent) {
  mParentWnd = parent;
  int x = 0, y = 0, w = Width(), h = Height();
  if (mPlugWnd) {
    // Reopened while open: the same size, at the same place in the parent.
    RECT r;
    GetWindowRect(AsWindow(mPlugWnd), &r);
    MapWindowPoints(nullptr, AsWindow(parent), reinterpret_cast<POINT*>(&r), 2);
    x = r.left;
    y = r.top;
    w = r.right - r.left;
    h = r.bottom - r.top;
    CloseWindow();
  }
  if (!HoldWindowClass()) return nullptr;
  sCreatingFPS = FPS();
  HWND window = CreateWindowExA(0, WINDOW_CLASS_NAME, WINDOW_TITLE, WS_CHILD | WS_VISIBLE, x, y, w, h,
                                AsWindow(parent), nullptr, static_cast<HINSTANCE>(mHInstance), this);
  if (!window) {
    mPlugWnd = nullptr;
    ReleaseWindowClass();
    return nullptr;
  }
  mPlugWnd = window;
  SetAllControlsDirty();
  return mPlugWnd;
}

void IGraphicsWin32::CloseWindow() {
  // WM_DESTROY forgets the window (OnWindowDestroyed).
  if (mPlugWnd) DestroyWindow(AsWindow(mPlugWnd));
  mPlugWnd = nullptr;
  ReleaseWindowClass();
}

void IGraphicsWin32::OnWindowDestroyed() {
  if (mParamEditWnd) CloseTextEntry();
  KillTimer(AsWindow(mPlugWnd), IPLUG_TIMER_ID);
  SetWindowLongPtrA(AsWindow(mPlugWnd), GWLP_USERDATA, 0);
  mPlugWnd = nullptr;
}

void IGraphicsWin32::Resize(int width, int height) {
  const int dw = width - Width();
  const int dh = height - Height();
  IGraphicsLice::Resize(width, height);
  if (!mPlugWnd) return;
  HWND window = AsWindow(mPlugWnd);
  GrowWindow(window, dw, dh);
  if (IsPlainChild(window)) {
    HWND parent = GetParent(window);
    if (parent) {
      GrowWindow(parent, dw, dh);
      if (IsPlainChild(parent) && GetParent(parent)) GrowWindow(GetParent(parent), dw, dh);
    }
  }
  InvalidateRect(window, nullptr, FALSE);
}

// ---- Messages ------------------------------------------------------------------------

LRESULT CALLBACK IGraphicsWin32::WindowProcs::EditorProc(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
  if (message == WM_CREATE) {
    const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    IGraphicsWin32* graphics = static_cast<IGraphicsWin32*>(creation->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graphics));
    graphics->mPlugWnd = window;
    SetTimer(window, IPLUG_TIMER_ID, static_cast<UINT>(MILLISECONDS_PER_SECOND / sCreatingFPS), nullptr);
    SetFocus(window);
    return 0;
  }
  IGraphicsWin32* graphics = GraphicsOf(window);
  if (!graphics || AsWindow(graphics->mPlugWnd) != window)
    return DefWindowProcA(window, message, wParam, lParam);
  // Destroyed with the host's window: forgotten whatever the entry's state.
  if (message == WM_DESTROY) {
    graphics->OnWindowDestroyed();
    return 0;
  }
  // While the text field has the focus only a right click (cancel) counts.
  if (graphics->mParamEditWnd && graphics->mParamEditMsg == kEditFocused) {
    if (message == WM_RBUTTONDOWN) {
      graphics->mParamEditMsg = kEditCancel;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return graphics->HandleMessage(message, wParam, lParam);
}

intptr_t IGraphicsWin32::HandleMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
  HWND window = AsWindow(mPlugWnd);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_PAINT: {
      RECT update;
      if (GetUpdateRect(window, &update, FALSE)) {
        Draw(IRect(update.left, update.top, update.right, update.bottom));
        // Drawing nothing (no controls) must not leave the area invalid, or
        // the paint request would come back at once.
        ValidateRect(window, &update);
      }
      return 0;
    }
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_MOUSEACTIVATE:
      SetFocus(window);
      return MA_ACTIVATE;
    case WM_KEYDOWN: {
      const int key = KeyCodeFromVirtualKey(wParam);
      if (key < 0) return 0;
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(window, &p);
      OnKeyDown(p.x, p.y, key);
      return 0;
    }
    case WM_TIMER:
      if (wParam == IPLUG_TIMER_ID) OnTick();
      return 0;
    case WM_MOUSEMOVE:
      if (wParam & (MK_LBUTTON | MK_RBUTTON)) {
        if (GetCapture() == window) OnMouseDrag(x, y, MouseModsFromKeyState(wParam));
      } else if (OnMouseOver(x, y, MouseModsFromKeyState(wParam))) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, HOVER_DEFAULT};
        TrackMouseEvent(&track);
      }
      return 0;
    case WM_LBUTTONDOWN:
      // A left click commits a text entry whose field lost the focus.
      if (mParamEditWnd) mParamEditMsg = kEditCommit;
      SetCapture(window);
      OnMouseDown(x, y, MouseModsFromKeyState(wParam));
      return 0;
    case WM_RBUTTONDOWN:
      if (mParamEditWnd) {
        mParamEditMsg = kEditCancel;
        return 0;
      }
      SetCapture(window);
      OnMouseDown(x, y, MouseModsFromKeyState(wParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      OnMouseUp(x, y, MouseModsFromKeyState(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnMouseDblClick(x, y, MouseModsFromKeyState(wParam))) SetCapture(window);
      return 0;
    case WM_MOUSEWHEEL: {
      // The position comes in screen coordinates.
      RECT r;
      GetWindowRect(window, &r);
      OnMouseWheel(x - r.left, y - r.top, MouseModsFromKeyState(GET_KEYSTATE_WPARAM(wParam)),
                   WheelNotches(wParam));
      return 0;
    }
    case WM_MOUSELEAVE:
      OnMouseOut();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void IGraphicsWin32::OnTick() {
  if (mParamEditWnd) {
    switch (mParamEditMsg) {
      case kEditIdle:
        break;
      case kEditRefresh:
        RefreshTextEntry();
        mParamEditMsg = kEditIdle;
        return;
      case kEditCommit:
        CommitTextEntry();
        CloseTextEntry();
        return;
      case kEditCancel:
        CloseTextEntry();
        return;
      default:
        mParamEditMsg = kEditIdle;
        return;
    }
  }
  IRect dirty;
  if (IsDirty(&dirty)) {
    HWND window = AsWindow(mPlugWnd);
    RECT r = {dirty.mL, dirty.mT, dirty.mR, dirty.mB};
    InvalidateRect(window, &r, FALSE);
    UpdateWindow(window);
    if (mParamEditWnd) mParamEditMsg = kEditRefresh;
  }
}

// ---- Drawing ------------------------------------------------------------------------------

bool IGraphicsWin32::DrawScreen(const IRect& rect) {
  HWND window = AsWindow(mPlugWnd);
  HDC source = BufferDC(this);
  if (!window || !source) return false;
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window, &paint);
  BitBlt(screen, rect.mL, rect.mT, rect.W(), rect.H(), source, rect.mL, rect.mT, SRCCOPY);
  EndPaint(window, &paint);
  return true;
}

void IGraphicsWin32::CreateTextFont(ITextStyle* style) {
  if (!style || style->mpFont) return;
  const int angle = style->mOrientation * TENTHS_PER_DEGREE;
  HFONT font =
      CreateFontA(style->mSize, 0, angle, angle, style->mStyle == kTextBold ? BOLD_WEIGHT : FW_DONTCARE,
                  style->mStyle == kTextItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, style->mFont);
  if (!font) return;
  style->mpFont = font;
  style->mpFreeFont = FreeGdiFont;
}

bool IGraphicsWin32::DrawText(ITextStyle* style, const char* text, const IRect& rect) {
  if (!text || !text[0]) return true;
  HDC dc = BufferDC(this);
  if (!style || !dc) return false;
  if (!style->mpFont) CreateTextFont(style);
  HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(style->mpFont));
  SetBkMode(dc, TRANSPARENT);
  if (style->mColour != mLastTextColour) {
    SetTextColor(dc, RGB(style->mColour.mR, style->mColour.mG, style->mColour.mB));
    mLastTextColour = style->mColour;
  }
  UINT format = DT_NOCLIP | DT_LEFT;
  if (style->mAlign == kTextAlignCentre) format = DT_NOCLIP | DT_CENTER;
  if (style->mAlign == kTextAlignRight) format = DT_NOCLIP | DT_RIGHT;
  RECT r = {rect.mL, rect.mT, rect.mR, rect.mB};
  const int drawn = DrawTextA(dc, text, -1, &r, format);
  SelectObject(dc, previous);
  return drawn != 0;
}

bool IGraphicsWin32::MeasureText(ITextStyle* style, const char* text, int* width) {
  HDC dc = BufferDC(this);
  if (!style || !text || !width || !dc) return false;
  if (!style->mpFont) CreateTextFont(style);
  HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(style->mpFont));
  RECT r = {0, 0, 0, 0};
  const int measured = DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_LEFT);
  SelectObject(dc, previous);
  if (measured == 0) return false;
  *width = r.right - r.left;
  return true;
}

// ---- Paths ----------------------------------------------------------------------------------

void IGraphicsWin32::HostPath(std::string* path) {
  if (path) ModuleDirectory(nullptr, path);
}

void IGraphicsWin32::PluginPath(std::string* path) {
  if (path) ModuleDirectory(static_cast<HMODULE>(mHInstance), path);
}
