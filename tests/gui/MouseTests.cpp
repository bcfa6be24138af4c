// A knob under the mouse: the drag, the gesture the host sees, the capture
// beyond the editor, the wheel and the double-click, sent as the window
// messages Windows sends.
#include <vector>

#include "EditorFixture.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// A knob's drag: value += dY / (top - bottom) / gearing, so 12 pixels up on
// a 24-pixel knob with gearing 8 add 12 / 24 / 8.
const int kDragUp = 12;
const double kDragStep = 12.0 / 24.0 / 8.0;
// One wheel notch is 120 units and moves a knob by 0.01, or by 0.001 with
// Shift held.
const int kNotch = 120;
const double kWheelStep = 0.01;
const double kFineWheelStep = 0.001;
// Normalised values survive the float of the host interface to this.
const double kFloatTolerance = 1e-6;

using MouseInput = EditorFixture;

TEST_F(MouseInput, KnobDragIsOneGestureAndKeepsItsCaptureBeyondTheEditor) {
  const ControlDesc& knob = ControlFor(kGLen, kCtlKnob);
  const ControlDesc& other = ControlFor(kGIot, kCtlKnob);
  const Point at = Centre(knob);
  const Point elsewhere = Centre(other);
  const double start = PluginHost().GetParameter(kGLen);
  ASSERT_LT(start + kDragStep, 1.0);

  SendMouse(Editor(), WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  SendMouse(Editor(), WM_MOUSEMOVE, at.x, at.y - kDragUp, MK_LBUTTON);
  // Far above the editor: still the knob's, and held at 1.
  SendMouse(Editor(), WM_MOUSEMOVE, at.x, -EDITOR_HEIGHT, MK_LBUTTON);
  // Released over another knob: the release still ends this knob's gesture.
  SendMouse(Editor(), WM_LBUTTONUP, elsewhere.x, elsewhere.y, 0);

  const std::vector<testhost::EditCall> calls = PluginHost().Log().EditCalls();
  ASSERT_EQ(4u, calls.size());
  EXPECT_EQ(testhost::EditCall::kBeginEdit, calls[0].kind);
  EXPECT_EQ(testhost::EditCall::kAutomate, calls[1].kind);
  EXPECT_NEAR(start + kDragStep, calls[1].value, kFloatTolerance);
  EXPECT_EQ(testhost::EditCall::kAutomate, calls[2].kind);
  EXPECT_EQ(1.0f, calls[2].value);
  EXPECT_EQ(testhost::EditCall::kEndEdit, calls[3].kind);
  for (const testhost::EditCall& call : calls) EXPECT_EQ(kGLen, call.index);
  EXPECT_EQ(1.0f, PluginHost().GetParameter(kGLen));
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(MouseInput, WheelNotchesAndDoubleClickRestoringTheFirstValue) {
  const ControlDesc& knob = ControlFor(kGLen, kCtlKnob);
  const Point at = Centre(knob);
  const double first = PluginHost().GetParameter(kGLen);

  SendWheel(Editor(), at.x, at.y, kNotch);
  EXPECT_NEAR(first + kWheelStep, PluginHost().GetParameter(kGLen), kFloatTolerance);
  SendWheel(Editor(), at.x, at.y, -2 * kNotch);
  EXPECT_NEAR(first - kWheelStep, PluginHost().GetParameter(kGLen), kFloatTolerance);
  // Half a notch is no notch.
  SendWheel(Editor(), at.x, at.y, kNotch / 2);
  EXPECT_NEAR(first - kWheelStep, PluginHost().GetParameter(kGLen), kFloatTolerance);
  SendWheel(Editor(), at.x, at.y, kNotch, MK_SHIFT);
  EXPECT_NEAR(first - kWheelStep + kFineWheelStep, PluginHost().GetParameter(kGLen), kFloatTolerance);

  // A value the host sets later is not the one a double-click restores.
  PluginHost().SetParameter(kGLen, 0.9f);
  SendMouse(Editor(), WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  SendMouse(Editor(), WM_LBUTTONUP, at.x, at.y, 0);
  SendMouse(Editor(), WM_LBUTTONDBLCLK, at.x, at.y, MK_LBUTTON);
  SendMouse(Editor(), WM_LBUTTONUP, at.x, at.y, 0);
  EXPECT_NEAR(first, PluginHost().GetParameter(kGLen), kFloatTolerance);
}

}  // namespace
}  // namespace guitest
