// A test with one plug-in instance whose editor is open in a host window and
// has painted once, and the places of its controls from the editor's layout
// table (the fixed geometry every build shares).
//
// Thread use: the test's thread, which owns the windows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GuiEnvironment.h"
#include "HostWindow.h"
#include "PluginEditor.h"
#include "WindowImage.h"
#include "editor/EditorLayout.h"

namespace guitest {

// The first control of the layout bound to `paramIdx` with kind `kind`.
const ControlDesc& ControlFor(int paramIdx, ControlKind kind);

struct Point {
  int x, y;
};
// The centre of a control's rectangle, rounded down as the editor's integer
// arithmetic does.
Point Centre(const ControlDesc& control);

class EditorFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The instance under test; by default one of the plug-in loaded for the
  // run.
  virtual std::unique_ptr<testhost::Host> MakeInstance() { return OpenInstance(); }

  HWND Editor() const { return mpEditor->Window(); }
  testhost::Host& PluginHost() { return *mpHost; }
  // Runs the message loop until the editor's timer has ticked `ticks` times.
  int Tick(int ticks = 1);
  // Processes `blocks` blocks of kBlockFrames of silence through
  // processReplacing on this thread, as a host whose audio runs on the GUI
  // thread does; the editor sees their results at its next tick.
  void ProcessBlocks(int blocks);
  // The editor as the screen shows it, also written to the screenshot
  // folder as `name` when a name is given.
  Image Screenshot(const std::string& name = "");

  std::unique_ptr<testhost::Host> mpHost;
  std::unique_ptr<HostWindow> mpWindow;
  std::unique_ptr<PluginEditor> mpEditor;
};

}  // namespace guitest
