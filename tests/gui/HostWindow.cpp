#include "HostWindow.h"

namespace guitest {

namespace {
const char* const kHostClass = "VrelsGuiTestHost";

// Registered once per process, never unregistered: the class outlives every
// window of the run.
void RegisterHostClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kHostClass;
  registered = RegisterClassA(&windowClass) != 0;
}
}  // namespace

HostWindow::HostWindow(int width, int height) {
  RegisterHostClass();
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  mWindow = CreateWindowExA(0, kHostClass, "Vrels GUI test host", style, 0, 0, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (mWindow) {
    ShowWindow(mWindow, SW_SHOWNORMAL);
    SetForegroundWindow(mWindow);
    UpdateWindow(mWindow);
  }
}

HostWindow::~HostWindow() {
  Destroy();
}

void HostWindow::Destroy() {
  if (mWindow && IsWindow(mWindow)) DestroyWindow(mWindow);
  mWindow = nullptr;
}

}  // namespace guitest
