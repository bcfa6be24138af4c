// The editor's layout table against facts of the editor's geometry stated
// here a second time: the image sizes, the shapes of knobs and readouts, the
// kind of parameter each control binds, and which controls may overlap.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

namespace {

struct ImageFact {
  int id, width, height, frames;
  bool rgba;
};

// Id, image size, frames and format of every embedded image.
const ImageFact kImageFacts[] = {
    {100, 729, 650, 1, false},   {101, 12, 12, 1, true}, {102, 15, 30, 1, true},
    {103, 24, 12000, 500, true}, {104, 45, 22, 1, true}, {105, 45, 22, 1, true},
    {106, 14, 28, 2, true},      {107, 51, 44, 2, true}, {108, 51, 44, 2, true},
    {109, 16, 16, 1, true},      {110, 16, 16, 1, true}, {111, 12, 24, 2, true},
    {112, 9, 360, 9, true},      {113, 16, 32, 2, true}, {114, 24, 12000, 500, true},
    {115, 24, 12000, 500, true}, {116, 51, 44, 2, true}, {117, 12, 24, 1, true},
    {118, 12, 24, 1, true},
};

TEST(EditorLayout, ImagesAndImageControlsHaveTheirSizes) {
  ASSERT_EQ(sizeof(kImageFacts) / sizeof(kImageFacts[0]), static_cast<size_t>(NUM_IMAGES));
  for (const ImageFact& fact : kImageFacts) {
    const ImageDesc* image = FindImage(fact.id);
    ASSERT_NE(image, nullptr) << fact.id;
    EXPECT_EQ(image->mWidth, fact.width) << fact.id;
    EXPECT_EQ(image->mHeight, fact.height) << fact.id;
    EXPECT_EQ(image->mFrames, fact.frames) << fact.id;
    EXPECT_EQ(image->mRgba, fact.rgba) << fact.id;
    EXPECT_EQ(image->mUsed, fact.id < 117 && fact.id != 101 && fact.id != 102) << fact.id;
  }
  // A control drawing an image is exactly one frame of it.
  for (int i = 0; i < NUM_CONTROLS; ++i) {
    const ControlDesc& c = kControls[i];
    EXPECT_TRUE((LayoutRect{0, 0, EDITOR_WIDTH, EDITOR_HEIGHT}.Contains(c.mRect))) << i;
    if (c.mImageId == kImgNone) continue;
    const ImageDesc* image = FindImage(c.mImageId);
    ASSERT_NE(image, nullptr) << i;
    EXPECT_TRUE(image->mUsed) << i;
    EXPECT_EQ(c.mFrames, image->mFrames) << i;
    EXPECT_EQ(c.mRect.W(), image->mWidth) << i;
    EXPECT_EQ(c.mRect.H(), image->mHeight / image->mFrames) << i;
  }
}

// Knobs are 24 x 24 on the strip of their kind and bind numbers; readouts are
// one 16-pixel row bound to a list of choices; switches bind on/off values.
TEST(EditorLayout, ControlsHaveTheirShapesAndBindTheirKindOfParameter) {
  VrelsPlugin plug(nullptr);
  const std::set<int> gains = {kDryOut, kDelayOut, kGrainOut, kGrn2Dly, kDry2Dly};
  const std::set<int> expOthers = {kDSmooth,  kDLpf,     kGHpf,   kGLpf,   kLfo1Dpth, kLfo2Dpth,
                                   kLfo3Dpth, kLfo4Dpth, kMxDph1, kMxDph2, kMxDph3,   kMxDph4};
  for (int i = 0; i < NUM_CONTROLS; ++i) {
    const ControlDesc& c = kControls[i];
    if (c.mParamIdx < 0) continue;
    ASSERT_LT(c.mParamIdx, NUM_PARAMS) << i;
    const IParameter& p = *plug.GetParam(c.mParamIdx);
    const char* key = p.Name();
    bool depth = key[0] != '\0' && key[std::strlen(key) - 1] == 'D';
    switch (c.mKind) {
      case kCtlKnob:
        EXPECT_EQ(c.mRect.W(), 24) << i;
        EXPECT_EQ(c.mRect.H(), 24) << i;
        EXPECT_TRUE(p.Type() == ParamDouble || p.Type() == ParamInt) << key;
        EXPECT_EQ(c.mImageId, gains.count(c.mParamIdx)                ? kImgKnobGain
                              : depth || expOthers.count(c.mParamIdx) ? kImgKnobExp
                                                                      : kImgKnob)
            << key;
        break;
      case kCtlReadout:
        EXPECT_EQ(c.mRect.H(), 16) << i;
        EXPECT_EQ(c.mStyle, kStyleValue) << i;
        EXPECT_EQ(p.Type(), ParamEnum) << key;
        break;
      case kCtlSwitch:
        EXPECT_EQ(p.Type(), c.mParamIdx == kPanic ? ParamDouble : ParamBool) << i;
        break;
      case kCtlFileSelector:
        EXPECT_EQ(c.mParamIdx, c.mFileAction == kFileActionSave ? kSavePreset : kLoadPreset) << i;
        break;
      default:
        ADD_FAILURE() << "control " << i << " of kind " << c.mKind << " binds a parameter";
    }
  }
}

// Nothing overlaps but the background under everything and the swarm view
// over the gather and scatter images and the version text it holds.
TEST(EditorLayout, OnlyTheSwarmViewLiesOverOtherControls) {
  const LayoutRect view = kControls[kCtlIdxSwarmCanvas].mRect;
  const std::set<int> inView = {kCtlIdxGatherImage, kCtlIdxScatterImage, kCtlIdxVersionText};
  for (int i = 1; i < NUM_CONTROLS; ++i) {
    EXPECT_EQ(view.Contains(kControls[i].mRect), i == kCtlIdxSwarmCanvas || inView.count(i) > 0) << i;
    for (int j = i + 1; j < NUM_CONTROLS; ++j) {
      bool held =
          (i == kCtlIdxSwarmCanvas && inView.count(j)) || (j == kCtlIdxSwarmCanvas && inView.count(i));
      if (held) continue;
      EXPECT_FALSE(kControls[i].mRect.Intersects(kControls[j].mRect)) << i << " and " << j;
    }
  }
}

}  // namespace
