// The dirty check and the paint pass: one bounding rectangle for all dirty
// controls (which repaints the clean ones inside it too), hidden controls
// cleaned but never drawn, the extra pass a plug-in value asks for, and no
// lost update when a value is written while its control is being drawn.
#include <gtest/gtest.h>

#include "GraphicsTestPlug.h"
#include "ITextControl.h"
#include "ProbeControl.h"
#include "TestGraphics.h"

namespace {

class RedrawCycle : public ::testing::Test {
 protected:
  RedrawCycle() {
    mpGraphics = new TestGraphics(&mPlug);
    mPlug.AttachEditor(mpGraphics);
  }
  ProbeControl* Probe(const IRect& rect) {
    ProbeControl* probe = new ProbeControl(&mPlug, rect);
    mpGraphics->AttachControl(probe);
    return probe;
  }
  // One window tick: the dirty rectangle, painted when there is one.
  IRect Tick() {
    IRect rect;
    if (mpGraphics->IsDirty(&rect)) mpGraphics->Draw(rect);
    return rect;
  }
  GraphicsTestPlug mPlug;
  TestGraphics* mpGraphics;
};

TEST_F(RedrawCycle, OppositeCornersMakeOneRectangleThatRepaintsTheControlsBetween) {
  ProbeControl* topLeft = Probe(IRect(0, 0, 10, 10));
  ProbeControl* middle = Probe(IRect(300, 300, 320, 320));
  ProbeControl* bottomRight = Probe(IRect(719, 640, 729, 650));
  ProbeControl* outside = Probe(IRect(0, 700, 10, 710));  // below the others' box
  EXPECT_EQ(Tick(), IRect(0, 0, 729, 710));               // new controls start dirty
  EXPECT_TRUE(Tick().Empty());

  topLeft->SetDirty(false);
  bottomRight->SetDirty(false);
  const int middleDraws = middle->mDraws;
  EXPECT_EQ(Tick(), IRect(0, 0, 729, 650));
  EXPECT_EQ(middle->mDraws, middleDraws + 1);
  EXPECT_EQ(outside->mDraws, 1);
  EXPECT_EQ(mpGraphics->mLastScreenRect, IRect(0, 0, 729, 650));
  EXPECT_TRUE(Tick().Empty());
}

TEST_F(RedrawCycle, HiddenControlsAreCleanedButNotDrawn) {
  ProbeControl* probe = Probe(IRect(10, 10, 20, 20));
  Tick();
  probe->Hide(true);  // dirty for two passes, drawn in neither
  EXPECT_EQ(Tick(), IRect(10, 10, 20, 20));
  EXPECT_EQ(Tick(), IRect(10, 10, 20, 20));
  EXPECT_TRUE(Tick().Empty());
  EXPECT_EQ(probe->mDraws, 1);
}

TEST_F(RedrawCycle, PluginValuesDrawTwiceAndSameTextsNotAgain) {
  ProbeControl* probe = Probe(IRect(10, 10, 20, 20));
  ITextControl* text = new ITextControl(&mPlug, IRect(30, 10, 90, 30), ITextStyle(), "start");
  mpGraphics->AttachControl(text);
  Tick();
  probe->SetValueFromPlug(0.25);
  EXPECT_FALSE(Tick().Empty());
  EXPECT_FALSE(Tick().Empty());
  EXPECT_TRUE(Tick().Empty());

  text->SetTextFromPlug("start");
  EXPECT_TRUE(Tick().Empty());
  text->SetTextFromPlug("changed");
  EXPECT_EQ(Tick(), IRect(30, 10, 90, 30));
  EXPECT_EQ(mpGraphics->mLastText, "changed");
}

TEST_F(RedrawCycle, AWriteDuringDrawingIsPaintedAtTheNextTick) {
  ProbeControl* meter = Probe(IRect(10, 10, 20, 20));
  ITextControl* count = new ITextControl(&mPlug, IRect(30, 10, 90, 30), ITextStyle(), "1");
  mpGraphics->AttachControl(count);
  Tick();
  // As the audio thread writes a meter and a count: value, then the mark.
  meter->mDuringDraw = [&] {
    meter->SetValue(0.75);
    meter->SetDirty(false);
    count->SetTextFromPlug("2");
    meter->mDuringDraw = nullptr;
  };
  meter->SetDirty(false);
  Tick();  // draws the meter, which is written meanwhile
  EXPECT_EQ(Tick(), IRect(10, 10, 90, 30));
  EXPECT_EQ(mpGraphics->mLastText, "2");
  EXPECT_TRUE(Tick().Empty());
}

}  // namespace
