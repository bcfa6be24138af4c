// Mouse input through the graphics core: which control an event reaches
// (topmost first, hidden and greyed ones skipped, the background last) and
// how a press captures a control, with the host's edit gesture around it.
#include <gtest/gtest.h>

#include "GraphicsTestPlug.h"
#include "IKnobMultiControl.h"
#include "ProbeControl.h"
#include "TestGraphics.h"

namespace {

const int BACKGROUND_ID = 100;
const int KNOB_FRAMES = 500;
const int KNOB_SIZE = 24;

IBitmapInfo KnobStrip() {
  return IBitmapInfo(nullptr, KNOB_SIZE, KNOB_SIZE * KNOB_FRAMES, KNOB_FRAMES);
}

class InputDispatch : public ::testing::Test {
 protected:
  InputDispatch() {
    mpGraphics = new TestGraphics(&mPlug);
    mPlug.AttachEditor(mpGraphics);  // owned by the plug-in from here
    mpGraphics->AttachBackground(BACKGROUND_ID, "img/vrels-bg.png");
  }
  GraphicsTestPlug mPlug;
  TestGraphics* mpGraphics;
  const IMouseMods mLeft{true, false};
};

TEST_F(InputDispatch, TopmostVisibleControlWinsAndTheBackgroundCatchesTheRest) {
  ProbeControl* lower = new ProbeControl(&mPlug, IRect(10, 10, 50, 50));
  ProbeControl* upper = new ProbeControl(&mPlug, IRect(30, 30, 70, 70));
  const int lowerIdx = mpGraphics->AttachControl(lower);
  const int upperIdx = mpGraphics->AttachControl(upper);
  ASSERT_EQ(upperIdx, 2);

  // The background went in at index 0, the size of its image, copied plainly.
  IControl* background = mpGraphics->GetControl(0);
  EXPECT_EQ(background->GetRect(), IRect(0, 0, 729, 650));
  EXPECT_EQ(background->GetBlend().mKind, kBlendPlainCopy);

  EXPECT_EQ(mpGraphics->GetMouseControlIdx(40, 40), upperIdx);
  EXPECT_EQ(mpGraphics->GetMouseControlIdx(70, 40), 0);  // right edge excluded
  upper->Hide(true);
  EXPECT_EQ(mpGraphics->GetMouseControlIdx(40, 40), lowerIdx);
  lower->GrayOut(true);
  EXPECT_EQ(mpGraphics->GetMouseControlIdx(40, 40), 0);
  EXPECT_EQ(mpGraphics->GetMouseControlIdx(729, 10), -1);

  // A click on the background alone: no control call, no edit gesture.
  mpGraphics->OnMouseDown(40, 40, mLeft);
  mpGraphics->OnMouseUp(40, 40, IMouseMods());
  EXPECT_EQ(lower->mDowns + upper->mDowns, 0);
  EXPECT_TRUE(mPlug.mEvents.empty());

  // Hover tracking is off: movement without a button reaches no control.
  upper->Hide(false);
  EXPECT_FALSE(mpGraphics->OnMouseOver(40, 40, IMouseMods()));
}

TEST_F(InputDispatch, CapturedKnobTakesDragsBeyondTheEditorAndTheRelease) {
  IKnobMultiControl* knob = new IKnobMultiControl(&mPlug, 100, 100, kTestReal, KnobStrip());
  ProbeControl* other = new ProbeControl(&mPlug, IRect(200, 100, 240, 140), kTestInt);
  mpGraphics->AttachControl(knob);
  mpGraphics->AttachControl(other);
  knob->SetValueFromPlug(0.5);

  mpGraphics->OnMouseDown(112, 112, mLeft);
  mpGraphics->OnMouseDrag(112, 112, mLeft);  // same place: dropped
  EXPECT_EQ(mPlug.mEvents.size(), 1u);
  mpGraphics->OnMouseDrag(220, 110, mLeft);   // over the other control
  mpGraphics->OnMouseDrag(150, -300, mLeft);  // far above the editor
  mpGraphics->OnMouseUp(220, 120, IMouseMods());
  EXPECT_EQ(other->mDowns + other->mDrags + other->mUps, 0);

  // Begin, the automation (the value limited to 1, and 1 reaching the host),
  // end: in that order, all for the knob's parameter.
  const std::vector<HostEvent>& events = mPlug.mEvents;
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), (HostEvent{audioMasterBeginEdit, kTestReal, 0.0f}));
  EXPECT_EQ(events.back(), (HostEvent{audioMasterEndEdit, kTestReal, 0.0f}));
  for (size_t i = 1; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].mOpcode, audioMasterAutomate);
    EXPECT_EQ(events[i].mIndex, kTestReal);
  }
  EXPECT_EQ(events[events.size() - 2].mValue, 1.0f);
  EXPECT_EQ(knob->GetValue(), 1.0);
  EXPECT_EQ(mpGraphics->GetCaptureIdx(), -1);

  // A double-click restores the value the plug-in reported first and sends
  // it; the release that follows closes a gesture of its own.
  mPlug.mEvents.clear();
  mpGraphics->OnMouseDown(112, 112, mLeft);
  mpGraphics->OnMouseUp(112, 112, IMouseMods());
  mpGraphics->OnMouseDblClick(112, 112, mLeft);
  mpGraphics->OnMouseUp(112, 112, IMouseMods());
  const std::vector<HostEvent> expected = {{audioMasterBeginEdit, kTestReal, 0.0f},
                                           {audioMasterEndEdit, kTestReal, 0.0f},
                                           {audioMasterAutomate, kTestReal, 0.5f},
                                           {audioMasterEndEdit, kTestReal, 0.0f}};
  EXPECT_EQ(mPlug.mEvents, expected);
  EXPECT_EQ(knob->GetValue(), 0.5);
}

}  // namespace
