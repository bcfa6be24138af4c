#include "EditorFixture.h"

#include "WindowInput.h"

namespace guitest {

namespace {
// Ticks after opening: the first paints every control, the second finds
// nothing left to do.
const int kTicksToSettle = 2;
}  // namespace

const ControlDesc& ControlFor(int paramIdx, ControlKind kind) {
  for (const ControlDesc& control : kControls) {
    if (control.mParamIdx == paramIdx && control.mKind == kind) return control;
  }
  ADD_FAILURE() << "no control of kind " << kind << " for parameter " << paramIdx;
  return kControls[0];
}

Point Centre(const ControlDesc& control) {
  return {(control.mRect.mL + control.mRect.mR) / 2, (control.mRect.mT + control.mRect.mB) / 2};
}

void EditorFixture::SetUp() {
  mpHost = MakeInstance();
  ASSERT_TRUE(mpHost);
  ASSERT_TRUE(mpHost->Effect()->flags & effFlagsHasEditor);
  mpEditor = std::make_unique<PluginEditor>(*mpHost);
  int width = 0, height = 0;
  ASSERT_TRUE(mpEditor->GetSize(&width, &height));
  ASSERT_EQ(EDITOR_WIDTH, width);
  ASSERT_EQ(EDITOR_HEIGHT, height);
  mpWindow = std::make_unique<HostWindow>(width, height);
  ASSERT_TRUE(mpWindow->Handle());
  ASSERT_TRUE(mpEditor->Open(mpWindow->Handle()));
  ASSERT_EQ(kTicksToSettle, Tick(kTicksToSettle));
  mpHost->Log().Clear();
}

void EditorFixture::TearDown() {
  if (mpEditor) mpEditor->Close();
  mpEditor.reset();
  mpWindow.reset();
  mpHost.reset();
}

int EditorFixture::Tick(int ticks) {
  return PumpTicks(Editor(), kTickTimerId, ticks);
}

void EditorFixture::ProcessBlocks(int blocks) {
  float input[2][kBlockFrames] = {};
  float output[2][kBlockFrames] = {};
  float* inputs[2] = {input[0], input[1]};
  float* outputs[2] = {output[0], output[1]};
  for (int i = 0; i < blocks; ++i) mpHost->ProcessReplacing(inputs, outputs, kBlockFrames);
}

Image EditorFixture::Screenshot(const std::string& name) {
  Image image = CaptureWindow(Editor());
  if (!name.empty()) {
    EXPECT_TRUE(WritePng(image, ScreenshotPath(name))) << ScreenshotPath(name);
  }
  return image;
}

}  // namespace guitest
