// A value the host sets reaches the screen at the editor's next tick, and
// what the screen then shows is the committed artwork: the knob strip's
// frame for that value over the background.
#include "EditorFixture.h"
#include "ReferenceImage.h"
#include "WindowInput.h"

namespace guitest {
namespace {

using Repaint = EditorFixture;

TEST_F(Repaint, HostValueShowsAtTheNextTickAsTheArtworkFrame) {
  const ControlDesc& knob = ControlFor(kGLen, kCtlKnob);
  const LayoutRect& r = knob.mRect;
  const float value = 0.75f;
  // A knob of N frames shows frame int((N - 1) x value + 0.5) + 1.
  const int frame = static_cast<int>((knob.mFrames - 1) * value + 0.5) + 1;

  const Image before = Crop(Screenshot("editor-open.png"), r.mL, r.mT, r.W(), r.H());
  PluginHost().SetParameter(kGLen, value);
  EXPECT_EQ(0, LargestDifference(before, Crop(Screenshot(), r.mL, r.mT, r.W(), r.H())))
      << "repainted before the tick";
  ASSERT_EQ(1, Tick());
  const Image after = Crop(Screenshot("knob-set-by-host.png"), r.mL, r.mT, r.W(), r.H());

  const Image expected = ControlFrame(knob, frame);
  ASSERT_FALSE(expected.Empty());
  EXPECT_LE(LargestDifference(expected, after), kBlendTolerance);
  EXPECT_GT(LargestDifference(before, after), kBlendTolerance);
}

}  // namespace
}  // namespace guitest
