// A section's button and its LED are one parameter shown twice: a click on
// either toggles the section, and both show the new state at the next tick,
// each as its own artwork frame.
#include "EditorFixture.h"
#include "ReferenceImage.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// A two-frame switch shows frame 1 when off and frame 2 when on.
const int kOffFrame = 1;
const int kOnFrame = 2;

void Click(HWND window, const ControlDesc& control) {
  const Point at = Centre(control);
  SendMouse(window, WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  SendMouse(window, WM_LBUTTONUP, at.x, at.y, 0);
}

// The largest channel difference between what the screen shows of a
// control and its frame `frame` over the background.
int DifferenceFromFrame(const Image& screen, const ControlDesc& control, int frame) {
  const LayoutRect& r = control.mRect;
  const Image expected = ControlFrame(control, frame);
  EXPECT_FALSE(expected.Empty());
  return LargestDifference(expected, Crop(screen, r.mL, r.mT, r.W(), r.H()));
}

using SectionSwitch = EditorFixture;

TEST_F(SectionSwitch, GrainLedTogglesTheSectionLikeTheButtonAndBothRedraw) {
  const ControlDesc& led = kControls[kCtlIdxGrainLed];
  const ControlDesc& button = kControls[kCtlIdxGrainButton];
  ASSERT_EQ(1.0f, PluginHost().GetParameter(kGrainOn)) << "the grain section starts on";
  Image screen = Screenshot();
  EXPECT_LE(DifferenceFromFrame(screen, led, kOnFrame), kBlendTolerance);
  EXPECT_LE(DifferenceFromFrame(screen, button, kOnFrame), kBlendTolerance);

  Click(Editor(), led);
  EXPECT_EQ(0.0f, PluginHost().GetParameter(kGrainOn));
  ASSERT_EQ(1, Tick());
  screen = Screenshot("grain-off-by-led.png");
  EXPECT_LE(DifferenceFromFrame(screen, led, kOffFrame), kBlendTolerance);
  EXPECT_LE(DifferenceFromFrame(screen, button, kOffFrame), kBlendTolerance);

  Click(Editor(), button);
  EXPECT_EQ(1.0f, PluginHost().GetParameter(kGrainOn));
  ASSERT_EQ(1, Tick());
  screen = Screenshot("grain-on-by-button.png");
  EXPECT_LE(DifferenceFromFrame(screen, led, kOnFrame), kBlendTolerance);
  EXPECT_LE(DifferenceFromFrame(screen, button, kOnFrame), kBlendTolerance);
}

}  // namespace
}  // namespace guitest
