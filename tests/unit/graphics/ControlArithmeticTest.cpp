// What each control does with a drag, a click and the wheel, against the
// arithmetic the controls are given: knob gearing (a 24-pixel knob sweeps
// in 8 x 24 = 192 pixels, ten times that with Shift or Ctrl), readouts that
// wrap (16-pixel rows, gearing 25: 400 pixels a turn), switches that cycle,
// wheel steps of 0.01 (0.001 fine) or one parameter step per notch.
#include <gtest/gtest.h>

#include "GraphicsTestPlug.h"
#include "IKnobMultiControl.h"
#include "ISwitchControl.h"
#include "IValueTextControl.h"
#include "TestGraphics.h"

namespace {

const IMouseMods kNone;
const IMouseMods kShift(true, false, true);
const IMouseMods kCtrl(true, false, false, true);

class ControlArithmetic : public ::testing::Test {
 protected:
  ControlArithmetic() {
    mpGraphics = new TestGraphics(&mPlug);
    mPlug.AttachEditor(mpGraphics);
  }
  template <class Control>
  Control* Attach(Control* control) {
    mpGraphics->AttachControl(control);
    return control;
  }
  GraphicsTestPlug mPlug;
  TestGraphics* mpGraphics;
};

TEST_F(ControlArithmetic, KnobGearing) {
  const IBitmapInfo strip(nullptr, 24, 24 * 500, 500);
  IKnobMultiControl* knob = Attach(new IKnobMultiControl(&mPlug, 0, 0, kTestReal, strip));
  ASSERT_EQ(knob->GetRect(), IRect(0, 0, 24, 24));
  knob->SetValue(0.0);
  knob->OnMouseDrag(0, 0, 0, -96, kNone);  // half of 192 pixels upwards
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.5);
  knob->OnMouseDrag(0, 0, 0, 192, kShift);  // a tenth of a sweep, down
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.4);
  knob->OnMouseDrag(0, 0, 0, -192, kCtrl);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.5);
  knob->OnMouseDrag(0, 0, 0, -97, kNone);  // past the end: held at 1
  EXPECT_EQ(knob->GetValue(), 1.0);
  EXPECT_EQ(mPlug.GetParam(kTestReal)->Value(), 1.0);

  IKnobMultiControl* across = Attach(new IKnobMultiControl(&mPlug, 0, 0, kTestReal, strip, kHorizontal));
  across->SetValue(0.0);
  across->OnMouseDrag(0, 0, 48, -500, kNone);  // rightwards counts, not upwards
  EXPECT_DOUBLE_EQ(across->GetValue(), 0.25);
}

TEST_F(ControlArithmetic, ReadoutsWrapAndStepByTheParameter) {
  ITextStyle style;
  IValueTextControl* real = Attach(new IValueTextControl(&mPlug, IRect(0, 0, 60, 16), kTestReal, style));
  real->SetValue(0.9);
  real->OnMouseDrag(0, 0, 0, -40, kNone);  // 40 / 400 of a turn up: 1.0, still inside
  EXPECT_DOUBLE_EQ(real->GetValue(), 1.0);
  real->OnMouseDrag(0, 0, 0, -4, kNone);  // past 1: wraps to 0
  EXPECT_EQ(real->GetValue(), 0.0);
  real->OnMouseDrag(0, 0, 0, 4, kNone);  // below 0: wraps to 1
  EXPECT_EQ(real->GetValue(), 1.0);

  real->SetValue(0.5);
  real->OnMouseWheel(0, 0, kNone, 3);
  EXPECT_DOUBLE_EQ(real->GetValue(), 0.53);
  real->OnMouseWheel(0, 0, kShift, -10);
  EXPECT_DOUBLE_EQ(real->GetValue(), 0.52);

  // An integer parameter of 0..10 moves one step (0.1) a notch, fine or not.
  IValueTextControl* steps = Attach(new IValueTextControl(&mPlug, IRect(0, 20, 60, 36), kTestInt, style));
  steps->SetValue(0.5);
  steps->OnMouseWheel(0, 0, kShift, 2);
  EXPECT_DOUBLE_EQ(steps->GetValue(), 0.7);
  steps->OnMouseWheel(0, 0, kNone, -8);  // below 0: wraps to 1
  EXPECT_EQ(steps->GetValue(), 1.0);

  // Greyed readouts ignore both.
  steps->GrayOut(true);
  steps->OnMouseDrag(0, 0, 0, -40, kNone);
  steps->OnMouseWheel(0, 0, kNone, -1);
  EXPECT_EQ(steps->GetValue(), 1.0);
}

TEST_F(ControlArithmetic, SwitchesCycleThroughTheirFramesAndTheBaseWheelSteps) {
  ISwitchControl* two = Attach(new ISwitchControl(&mPlug, 0, 0, kTestBool, IBitmapInfo(nullptr, 14, 28, 2)));
  EXPECT_EQ(two->GetRect(), IRect(0, 0, 14, 14));
  two->SetValue(0.0);
  two->OnMouseDown(0, 0, kNone);
  EXPECT_EQ(two->GetValue(), 1.0);
  EXPECT_EQ(mPlug.GetParam(kTestBool)->Value(), 1.0);
  two->OnMouseDown(0, 0, kNone);
  EXPECT_EQ(two->GetValue(), 0.0);

  ISwitchControl* three = Attach(new ISwitchControl(&mPlug, 0, 0, kTestInt, IBitmapInfo(nullptr, 10, 30, 3)));
  three->SetValue(0.0);
  const double expected[] = {0.5, 1.0, 0.0};
  for (double value : expected) {
    three->OnMouseDown(0, 0, kNone);
    EXPECT_DOUBLE_EQ(three->GetValue(), value);
  }

  // The base class's wheel: 0.01 a notch, 0.001 with Ctrl, limited to 0..1.
  three->SetValue(0.5);
  three->OnMouseWheel(0, 0, kNone, 2);
  EXPECT_DOUBLE_EQ(three->GetValue(), 0.52);
  three->OnMouseWheel(0, 0, kCtrl, -20);
  EXPECT_DOUBLE_EQ(three->GetValue(), 0.5);
  three->OnMouseWheel(0, 0, kNone, 80);
  EXPECT_EQ(three->GetValue(), 1.0);
}

}  // namespace
