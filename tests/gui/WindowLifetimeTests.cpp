// The editor window's life: one window class for all instances of the
// process, each editor with controls of its own, a host that destroys its
// window before effEditClose, and many
// open/close cycles (each closing with a text field open) while audio is
// processed, leaving no window or GDI object behind.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "EditorFixture.h"
#include "GuiObjectCount.h"
#include "HostWindow.h"
#include "PluginEditor.h"
#include "WindowInput.h"
#include "editor/EditorLayout.h"

namespace guitest {
namespace {

const int kOpenCloseCycles = 100;
// The audio thread's pause between blocks; a block of kBlockFrames lasts
// 5.8 ms at 44.1 kHz.
const DWORD kPauseMs = 1;

TEST(EditorWindow, TwoEditorsShareTheClassButNotTheirControls) {
  auto first = OpenInstance();
  auto second = OpenInstance();
  ASSERT_TRUE(first && second);
  HostWindow firstWindow(EDITOR_WIDTH, EDITOR_HEIGHT);
  HostWindow secondWindow(EDITOR_WIDTH, EDITOR_HEIGHT);
  PluginEditor firstEditor(*first);
  PluginEditor secondEditor(*second);
  ASSERT_FALSE(EditorClassRegistered());

  ASSERT_TRUE(firstEditor.Open(firstWindow.Handle()));
  ASSERT_TRUE(secondEditor.Open(secondWindow.Handle()));
  EXPECT_TRUE(EditorClassRegistered());
  EXPECT_EQ(1, PumpTicks(firstEditor.Window(), kTickTimerId, 1));
  EXPECT_EQ(1, PumpTicks(secondEditor.Window(), kTickTimerId, 1));

  // A knob dragged in the first editor moves only the first instance's
  // value and only the first editor's knob.
  const ControlDesc& knob = ControlFor(kGLen, kCtlKnob);
  const LayoutRect& r = knob.mRect;
  const Point at = Centre(knob);
  const float secondValue = second->GetParameter(kGLen);
  const Image secondKnob = Crop(CaptureWindow(secondEditor.Window()), r.mL, r.mT, r.W(), r.H());
  SendMouse(firstEditor.Window(), WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  SendMouse(firstEditor.Window(), WM_MOUSEMOVE, at.x, at.y - r.H(), MK_LBUTTON);
  SendMouse(firstEditor.Window(), WM_LBUTTONUP, at.x, at.y - r.H(), 0);
  EXPECT_GT(first->GetParameter(kGLen), secondValue);
  EXPECT_EQ(secondValue, second->GetParameter(kGLen));
  EXPECT_EQ(1, PumpTicks(firstEditor.Window(), kTickTimerId, 1));
  EXPECT_EQ(1, PumpTicks(secondEditor.Window(), kTickTimerId, 1));
  const Image firstShown = Crop(CaptureWindow(firstEditor.Window()), r.mL, r.mT, r.W(), r.H());
  const Image secondShown = Crop(CaptureWindow(secondEditor.Window()), r.mL, r.mT, r.W(), r.H());
  EXPECT_GT(LargestDifference(secondKnob, firstShown), 0);
  EXPECT_EQ(0, LargestDifference(secondKnob, secondShown));

  const HWND stillOpen = secondEditor.Window();
  EXPECT_EQ(1, firstEditor.Close());
  EXPECT_TRUE(EditorClassRegistered());
  EXPECT_TRUE(IsWindow(stillOpen));
  EXPECT_EQ(1, PumpTicks(stillOpen, kTickTimerId, 1));
  EXPECT_EQ(1, secondEditor.Close());
  EXPECT_FALSE(EditorClassRegistered());
}

TEST(EditorWindow, HostWindowDestroyedBeforeCloseLeavesNothingBehind) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  const GuiObjectCount before = CountGuiObjects();
  {
    HostWindow window(EDITOR_WIDTH, EDITOR_HEIGHT);
    PluginEditor editor(*host);
    ASSERT_TRUE(editor.Open(window.Handle()));
    const HWND editorWindow = editor.Window();
    PumpTicks(editorWindow, kTickTimerId, 1);
    window.Destroy();
    EXPECT_FALSE(IsWindow(editorWindow));
    PumpFor(USER_TIMER_MINIMUM * 10);
    EXPECT_EQ(1, editor.Close());
  }
  EXPECT_FALSE(EditorClassRegistered());
  EXPECT_EQ(before.windows, CountGuiObjects().windows);

  // The class and its count are right: the editor opens and ticks again.
  HostWindow window(EDITOR_WIDTH, EDITOR_HEIGHT);
  PluginEditor editor(*host);
  ASSERT_TRUE(editor.Open(window.Handle()));
  EXPECT_EQ(1, PumpTicks(editor.Window(), kTickTimerId, 1));
  EXPECT_EQ(1, editor.Close());
  EXPECT_FALSE(EditorClassRegistered());
}

// Processes audio on a thread of its own until stopped, as a host's audio
// thread does while the user opens and closes the editor: a block, then a
// pause shorter than the block lasts (so faster than real time). Without
// the pause the thread would take the instance mutex again the moment it
// let it go, and the editor's calls would wait far longer than with any host.
class AudioThread {
 public:
  explicit AudioThread(testhost::Host& host) : mThread([this, &host] { Run(host); }) {}
  ~AudioThread() {
    mStop = true;
    mThread.join();
  }
  long Blocks() const { return mBlocks; }

 private:
  void Run(testhost::Host& host) {
    float input[2][kBlockFrames] = {};
    float output[2][kBlockFrames] = {};
    float* inputs[2] = {input[0], input[1]};
    float* outputs[2] = {output[0], output[1]};
    for (int i = 0; i < kBlockFrames; ++i) input[0][i] = input[1][i] = (i % 64) / 128.0f - 0.25f;
    while (!mStop) {
      host.ProcessReplacing(inputs, outputs, kBlockFrames);
      ++mBlocks;
      Sleep(kPauseMs);
    }
  }

  std::atomic<bool> mStop{false};
  std::atomic<long> mBlocks{0};
  std::thread mThread;
};

TEST(EditorWindowWithAudio, HundredOpenCloseCyclesLeakNothing) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  HostWindow window(EDITOR_WIDTH, EDITOR_HEIGHT);
  PluginEditor editor(*host);
  const Point knob = Centre(ControlFor(kGLen, kCtlKnob));
  // One cycle first: what is made once per process (fonts, cached images)
  // is not a leak.
  ASSERT_TRUE(editor.Open(window.Handle()));
  PumpTicks(editor.Window(), kTickTimerId, 1);
  editor.Close();
  PumpFor(USER_TIMER_MINIMUM);
  const GuiObjectCount before = CountGuiObjects();

  long blocks = 0;
  {
    AudioThread audio(*host);
    for (int cycle = 0; cycle < kOpenCloseCycles; ++cycle) {
      ASSERT_TRUE(editor.Open(window.Handle())) << "cycle " << cycle;
      ASSERT_EQ(1, PumpTicks(editor.Window(), kTickTimerId, 1)) << "cycle " << cycle;
      // Closed with a text field (a window and a font) open.
      SendMouse(editor.Window(), WM_RBUTTONDOWN, knob.x, knob.y, MK_RBUTTON);
      SendMouse(editor.Window(), WM_RBUTTONUP, knob.x, knob.y, 0);
      ASSERT_TRUE(FindWindowExA(editor.Window(), nullptr, "Edit", nullptr)) << "cycle " << cycle;
      ASSERT_EQ(1, editor.Close()) << "cycle " << cycle;
    }
    blocks = audio.Blocks();
  }
  PumpFor(USER_TIMER_MINIMUM);
  const GuiObjectCount after = CountGuiObjects();
  EXPECT_GT(blocks, 0);
  EXPECT_EQ(before.windows, after.windows);
  EXPECT_EQ(before.userObjects, after.userObjects);
  EXPECT_EQ(before.gdiObjects, after.gdiObjects);
  EXPECT_FALSE(EditorClassRegistered());
  // -1: this system reports no GDI count (32-bit wine).
  RecordProperty("gdi_objects", static_cast<int>(after.gdiObjects));
}

}  // namespace
}  // namespace guitest
