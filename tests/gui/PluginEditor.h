// One instance's editor opened in a host window through the binary
// interface, as a host does it: effEditGetRect for the size, effEditOpen
// with the parent window, effEditClose. The editor's own window is found as
// the parent's child of the editor's window class.
//
// Thread use: the thread of the host window.
#pragma once

#include <windows.h>

#include "Host.h"

namespace guitest {

class PluginEditor {
 public:
  explicit PluginEditor(testhost::Host& host) : mHost(host) {}
  // Closes the editor if it is still open.
  ~PluginEditor();
  PluginEditor(const PluginEditor&) = delete;
  PluginEditor& operator=(const PluginEditor&) = delete;

  // The size effEditGetRect reports; false when the plug-in reports none.
  bool GetSize(int* width, int* height);
  // effEditOpen in `parent`; true when the plug-in answers 1 and its window
  // is there.
  bool Open(HWND parent);
  // effEditClose; the answer of the dispatcher.
  intptr_t Close();

  HWND Window() const { return mWindow; }
  bool IsOpen() const { return mOpen; }

 private:
  testhost::Host& mHost;
  HWND mWindow = nullptr;
  bool mOpen = false;
};

}  // namespace guitest
