// The editor as the plug-in builds it on the window-less graphics layer:
// the control list against the layout table, and painted areas against
// reference images judged by eye when they were made.
//
// The reference is the grain length row (knob, tempo-sync square, source
// readout, depth knob) at set values. It was written by the render tool,
// which paints the whole editor, with:
//
//   build/linux/tools/editor-render/vrels-editor-render
//     tests/unit/editor/reference/grain-length-row.png --area 598,104,722,138
//     --set GLen=0.37 --set GLenS=0 --set GLenM=0.5 --set GLenD=0.8
//
// (one command line)
//
// The test paints only that area, so frame choice, strip offsets, blending
// over the background, clipping to the painted area and text placement all
// count. New artwork (tools/artwork) or text rendering means writing the
// reference again with that command, after looking at it.
//
// The second reference, swarm-view.png, is the swarm canvas over a flock
// the audio processing moved, which the render tool cannot make: a failing
// run writes the painted area to swarm-view-painted.png in the test
// binary's folder; after looking at it, copy it over the reference.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "IBitmapControl.h"
#include "IFileSelectorControl.h"
#include "IGraphicsLice.h"
#include "IKnobMultiControl.h"
#include "ISwitchControl.h"
#include "IValueTextControl.h"
#include "LICE_PNG.h"
#include "LICE_PNGWrite.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"
#include "editor/EnvelopeCanvas.h"
#include "editor/VrelCanvas.h"

namespace {

// Whether a control is of the class its row names.
bool HasClassOfRow(IControl* control, ControlKind kind) {
  switch (kind) {
    case kCtlBitmap:
      return dynamic_cast<IBitmapControl*>(control) && !dynamic_cast<ISwitchControl*>(control);
    case kCtlKnob:
      return dynamic_cast<IKnobMultiControl*>(control) != nullptr;
    case kCtlReadout:
      return dynamic_cast<IValueTextControl*>(control) != nullptr;
    case kCtlSwitch:
      return dynamic_cast<ISwitchControl*>(control) != nullptr;
    case kCtlText:
      return dynamic_cast<ITextControl*>(control) && !dynamic_cast<IValueTextControl*>(control);
    case kCtlFileSelector:
      return dynamic_cast<IFileSelectorControl*>(control) != nullptr;
    case kCtlSwarmCanvas:
      return dynamic_cast<VrelCanvas*>(control) != nullptr;
    case kCtlEnvelopeCanvas:
      return dynamic_cast<EnvelopeCanvas*>(control) != nullptr;
  }
  return false;
}

TEST(EditorBuild, EveryRowOfTheLayoutBecomesItsControlAtItsIndex) {
  VrelsPlugin plug(nullptr);
  IGraphics* graphics = plug.GetGUI();
  ASSERT_NE(graphics, nullptr);
  EXPECT_EQ(graphics->Width(), EDITOR_WIDTH);
  EXPECT_EQ(graphics->Height(), EDITOR_HEIGHT);
  ASSERT_EQ(graphics->NControls(), NUM_CONTROLS);
  for (int i = 0; i < NUM_CONTROLS; ++i) {
    const ControlDesc& row = kControls[i];
    IControl* control = graphics->GetControl(i);
    EXPECT_TRUE(HasClassOfRow(control, row.mKind)) << i;
    // Image controls take their size from the image and its frames. The
    // layout gives the area that takes the mouse (a control may paint a
    // little more).
    EXPECT_EQ(control->GetTargetRect(), IRect(row.mRect.mL, row.mRect.mT, row.mRect.mR, row.mRect.mB)) << i;
    EXPECT_EQ(control->ParamIdx(), row.mParamIdx) << i;
    // Attaching pushed every bound parameter's value.
    if (row.mParamIdx >= 0) {
      EXPECT_EQ(control->GetValue(), plug.GetParam(row.mParamIdx)->CurrentNormalized()) << i;
    }
  }
  const EditorControls& kept = plug.GetEditorControls();
  EXPECT_EQ(kept.mpPresetName, graphics->GetControl(kCtlIdxPresetName));
  EXPECT_EQ(kept.mpMeters[EditorControls::NUM_METERS - 1],
            graphics->GetControl(kCtlIdxFirstMeter + EditorControls::NUM_METERS - 1));
}

std::unique_ptr<LICE_IBitmap> ReadPng(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return std::unique_ptr<LICE_IBitmap>(LICE_LoadPNGFromMemory(bytes.data(), bytes.size()));
}

// Compares the painted area of the buffer with a reference image; when they
// differ (or the reference is missing), writes the painted area beside the
// test binary as NAME-painted.png.
void ExpectPaintedAsReference(IGraphicsLice* graphics, const IRect& area, const std::string& name) {
  std::unique_ptr<LICE_IBitmap> reference =
      ReadPng((std::string(VRELS_EDITOR_REFERENCE_DIR "/") + name + ".png").c_str());
  LICE_IBitmap* buffer = graphics->GetDrawBitmap();
  int differing = 0;
  const bool comparable =
      reference && reference->GetWidth() == area.W() && reference->GetHeight() == area.H();
  if (!comparable) {
    ADD_FAILURE() << "no reference image " << name << ".png of " << area.W() << " x " << area.H();
  } else {
    for (int y = 0; y < area.H(); ++y) {
      for (int x = 0; x < area.W(); ++x) {
        LICE_pixel painted = buffer->GetBits()[(area.mT + y) * buffer->GetRowSpan() + area.mL + x];
        LICE_pixel expected = reference->GetBits()[y * reference->GetRowSpan() + x];
        // The reference has no alpha to compare.
        if ((painted & 0xFFFFFF) != (expected & 0xFFFFFF) && differing++ == 0)
          ADD_FAILURE() << "first difference at (" << area.mL + x << ", " << area.mT + y << ")";
      }
    }
  }
  if (!comparable || differing > 0) {
    const std::string actual = std::string(VRELS_TEST_OUTPUT_DIR) + "/" + name + "-painted.png";
    LICE_WritePNG(actual.c_str(), buffer, {area.mL, area.mT, area.mR, area.mB}, 1);
    ADD_FAILURE() << differing << " pixels differ; painted area written to " << actual;
  }
}

TEST(EditorImage, GrainLengthRowIsPaintedAsTheReference) {
  const IRect area(598, 104, 722, 138);
  const struct {
    int mParam;
    float mValue;
  } kSettings[] = {{kGLen, 0.37f}, {kGLenS, 0.0f}, {kGLenM, 0.5f}, {kGLenD, 0.8f}};

  VrelsPlugin plug(nullptr);
  AEffect* effect = plug.GetAEffect();
  for (const auto& setting : kSettings) effect->setParameter(effect, setting.mParam, setting.mValue);
  IGraphicsLice* graphics = static_cast<IGraphicsLice*>(plug.GetGUI());
  ASSERT_TRUE(graphics->Draw(area));
  ExpectPaintedAsReference(graphics, area, "grain-length-row");
}

// The swarm view over a flock of 24 vrels and 3 chasers that 200 blocks of a
// steady input moved inside a bounds box smaller than the field, with the
// box selected and the button held in it: leader ring, trails, chasers,
// pointer ring, frame and handles. The flock's rules use only exactly
// rounded arithmetic (no library functions), so every build computes the
// same flock.
TEST(EditorImage, SwarmViewIsPaintedAsTheReference) {
  VrelsPlugin plug(nullptr);
  AEffect* effect = plug.GetAEffect();
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  effect->setParameter(effect, kVrCount, 24.0f / 200);
  effect->setParameter(effect, kChCount, 3.0f / 20);
  plug.SetBoundsFromView(40, 30, 260, 210);
  std::vector<double> inL(256, 0.25), inR(256, -0.25), outL(256), outR(256);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  for (int block = 0; block < 200; ++block) effect->processDoubleReplacing(effect, in, out, 256);

  IGraphicsLice* graphics = static_cast<IGraphicsLice*>(plug.GetGUI());
  const LayoutRect& view = kControls[kCtlIdxSwarmCanvas].mRect;
  const IRect area(view.mL, view.mT, view.mR, view.mB);
  graphics->OnMouseDown(221 + 70, 92 + 170, IMouseMods(true, false));
  ASSERT_TRUE(graphics->Draw(area));
  ExpectPaintedAsReference(graphics, area, "swarm-view");
}

}  // namespace

namespace {

// A display text wider than its readout ("Random" in a 43-pixel source
// readout) is drawn smaller rather than over the knob beside it: the knob's
// column looks the same as beside a short text.
TEST(EditorImage, LongReadoutTextsStayInsideTheirReadout) {
  const LayoutRect& readout = kControls[FIRST_READOUT + 1].mRect;  // VrSpeedM, left of the depth knob
  ASSERT_EQ(kControls[FIRST_READOUT + 1].mParamIdx, kVrSpeedM);
  const IRect beside(readout.mR, readout.mT - 12, readout.mR + 24, readout.mB + 12);
  auto paint = [&beside](float source) {
    VrelsPlugin plug(nullptr);
    AEffect* effect = plug.GetAEffect();
    effect->setParameter(effect, kVrSpeedM, source);
    IGraphicsLice* graphics = static_cast<IGraphicsLice*>(plug.GetGUI());
    graphics->Draw(IRect(0, 0, EDITOR_WIDTH, EDITOR_HEIGHT));
    LICE_IBitmap* buffer = graphics->GetDrawBitmap();
    std::vector<LICE_pixel> pixels;
    for (int y = beside.mT; y < beside.mB; ++y)
      for (int x = beside.mL; x < beside.mR; ++x)
        pixels.push_back(buffer->GetBits()[y * buffer->GetRowSpan() + x]);
    return pixels;
  };
  EXPECT_EQ(paint(0.0f), paint(1.0f));  // "---" and "Random"
}

}  // namespace
