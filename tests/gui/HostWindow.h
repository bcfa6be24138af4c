// The top-level window a host hands to a plug-in for its editor: an
// ordinary overlapped window whose client area fits the editor. Destroying
// it destroys the editor window inside it, as some hosts do before they
// send effEditClose.
//
// Thread use: the thread that made it (its messages arrive there).
#pragma once

#include <windows.h>

namespace guitest {

class HostWindow {
 public:
  // A visible window whose client area is width x height.
  HostWindow(int width, int height);
  // Destroys the window if it still exists.
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return mWindow; }
  void Destroy();

 private:
  HWND mWindow = nullptr;
};

}  // namespace guitest
