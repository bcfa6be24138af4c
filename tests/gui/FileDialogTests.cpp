// The preset buttons' file dialog: a real open-file dialog, owned by the
// host's window, which the user cancels; the cancel reaches the plug-in as
// an empty path and changes nothing.
#include <cstdint>
#include <vector>

#include "EditorFixture.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// The dialog as it was found while it was open.
struct DialogVisit {
  bool seen = false;
  HWND owner = nullptr;
};
DialogVisit gDialogVisit;

// A thread timer's procedure, run by the dialog's own message loop: notes
// the dialog and cancels it, as a user pressing Cancel does.
void CALLBACK CancelDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", nullptr);
  if (!dialog || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  gDialogVisit.seen = true;
  gDialogVisit.owner = GetWindow(dialog, GW_OWNER);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

using FileDialog = EditorFixture;

TEST_F(FileDialog, CancelledLoadChangesNothing) {
  const Point at = Centre(kControls[kCtlIdxLoadSelector]);
  const std::vector<uint8_t> before = PluginHost().GetChunk(false);
  gDialogVisit = DialogVisit();

  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CancelDialog);
  // The dialog runs inside the button press and returns when cancelled.
  SendMouse(Editor(), WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  KillTimer(nullptr, timer);
  SendMouse(Editor(), WM_LBUTTONUP, at.x, at.y, 0);
  ASSERT_EQ(1, Tick());

  ASSERT_TRUE(gDialogVisit.seen);
  // A dialog's owner is the top-level window of the window it was given.
  EXPECT_EQ(mpWindow->Handle(), gDialogVisit.owner);
  EXPECT_EQ(before, PluginHost().GetChunk(false));
}

}  // namespace
}  // namespace guitest
