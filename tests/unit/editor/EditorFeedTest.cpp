// What the plug-in shows on its editor's controls without a window: the
// texts, meters and switches follow the engine, the handlers and preset
// files, however the change arrived (host, editor, file).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "IBitmapControl.h"
#include "IFileSelectorControl.h"
#include "IGraphics.h"
#include "ISwitchControl.h"
#include "ITextControl.h"
#include "TextFormat.h"
#include "VendorRequests.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"
#include "params/ParameterTable.h"

namespace {

std::string TextOf(const ITextControl* control) {
  char text[SharedText::CAPACITY];
  control->GetText(text, sizeof text);
  return text;
}

struct EditorFeed : ::testing::Test {
  void Open() { effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f); }
  void Render(int blocks) {
    std::vector<double> inL(512), inR(512), outL(512), outR(512);
    for (int b = 0; b < blocks; ++b) {
      for (int i = 0; i < 512; ++i) inL[i] = inR[i] = ((b * 512 + i) % 97) / 97.0 - 0.5;
      double* in[2] = {inL.data(), inR.data()};
      double* out[2] = {outL.data(), outR.data()};
      plug.ProcessBlock(in, out, 512);
    }
  }
  void Click(int x, int y) {
    IGraphics* graphics = plug.GetGUI();
    graphics->OnMouseDown(x, y, IMouseMods(true, false));
    graphics->OnMouseUp(x, y, IMouseMods(true, false));
  }
  VrelsPlugin plug{nullptr};
  AEffect* effect = plug.GetAEffect();
  const EditorControls& c = plug.GetEditorControls();
};

TEST_F(EditorFeed, TextsAndMetersFollowTheEngineAndTheHandlers) {
  EXPECT_EQ("-none-", TextOf(c.mpPresetName));
  Open();  // every handler runs once: the nameless preset is changed
  EXPECT_EQ("*", TextOf(c.mpPresetName));

  effect->setParameter(effect, kUpdTime, 0.25f);
  EXPECT_NE("", TextOf(c.mpMessageLine));
  EXPECT_EQ(plug.CurrentMessage(), TextOf(c.mpMessageLine));

  Render(40);
  char count[16];
  FormatText(count, sizeof count, "%d", plug.NumGrainStreams());
  EXPECT_EQ(count, TextOf(c.mpStreamCount));
  for (int n = 0; n < EditorControls::NUM_METERS; ++n) {
    const double shown = plug.Readouts().mMeterValues[n];  // as of the last 200 ms mark
    EXPECT_EQ(shown < 1.0 ? shown : 1.0, c.mpMeters[n]->GetValue()) << n;
  }
  EXPECT_GT(c.mpMeters[0]->GetValue(), 0.0);
}

TEST_F(EditorFeed, TheGrainLedAndButtonAreOneSwitch) {
  Open();
  const double before = plug.GetParam(kGrainOn)->Value();
  Click(558, 18);  // the LED
  EXPECT_NE(before, plug.GetParam(kGrainOn)->Value());
  EXPECT_EQ(plug.GrainEnabled(), c.mpGrainButton->GetValue() > 0.5);
  EXPECT_EQ(c.mpGrainLed->GetValue(), c.mpGrainButton->GetValue());
  Click(40, 460);  // the button
  EXPECT_EQ(before, plug.GetParam(kGrainOn)->Value());
  EXPECT_EQ(c.mpGrainLed->GetValue(), c.mpGrainButton->GetValue());
}

TEST_F(EditorFeed, PresetFilesReachTheButtonsTheNameAndEveryControl) {
  Open();
  const std::string path = "editor feed.txt";
  effect->setParameter(effect, kGLen, 0.75f);
  c.mpSaveSelector->SetLastSelectedFile(path.c_str());
  plug.GetParam(kSavePreset)->Set(1);
  plug.OnParamChanged(kSavePreset);
  EXPECT_EQ("editor feed", TextOf(c.mpPresetName));
  std::string handedOver;
  c.mpLoadSelector->GetLastSelectedFile(&handedOver);
  EXPECT_EQ(path, handedOver);

  effect->setParameter(effect, kGLen, 0.25f);
  EXPECT_EQ("editor feed*", TextOf(c.mpPresetName));
  std::string request = path;
  ASSERT_EQ(1, effect->dispatcher(effect, effVendorSpecific, vrelsvendor::kIndex,
                                  vrelsvendor::kLoadPresetFile, &request[0], 0.0f));
  EXPECT_EQ("editor feed", TextOf(c.mpPresetName));
  IGraphics* graphics = plug.GetGUI();
  for (int i = 0; i < graphics->NControls(); ++i) {
    IControl* control = graphics->GetControl(i);
    if (control->ParamIdx() < 0 || control->ParamIdx() >= kSavePreset) continue;
    EXPECT_FLOAT_EQ(plug.GetParam(control->ParamIdx())->CurrentNormalized(), control->GetValue()) << i;
  }
  std::remove(path.c_str());
}

}  // namespace
