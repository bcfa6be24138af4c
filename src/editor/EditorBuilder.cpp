#include "editor/EditorBuilder.h"

#include "IBitmapControl.h"
#include "IFileSelectorControl.h"
#include "IGraphics.h"
#include "IKnobMultiControl.h"
#include "ISwitchControl.h"
#include "ITextControl.h"
#include "IValueTextControl.h"
#include "TextFormat.h"
#include "editor/EditorLayout.h"
#include "editor/EnvelopeCanvas.h"
#include "editor/VrelCanvas.h"

namespace {

// The extension the preset dialogs are given.
const char* const PRESET_EXTENSION = "preset";
const int VERSION_TEXT_SIZE = 32;

constexpr bool KeptRowsHaveTheirKinds() {
  struct KeptRow {
    int mIndex;
    ControlKind mKind;
  };
  const KeptRow kKept[] = {
      {kCtlIdxSwarmCanvas, kCtlSwarmCanvas},
      {kCtlIdxEnvelopeCanvas, kCtlEnvelopeCanvas},
      {kCtlIdxMessageLine, kCtlText},
      {kCtlIdxStreamCount, kCtlText},
      {kCtlIdxTapCount, kCtlText},
      {kCtlIdxPresetName, kCtlText},
      {kCtlIdxVersionText, kCtlText},
      {kCtlIdxSaveSelector, kCtlFileSelector},
      {kCtlIdxLoadSelector, kCtlFileSelector},
      {kCtlIdxGrainButton, kCtlSwitch},
      {kCtlIdxGrainLed, kCtlSwitch},
      {kCtlIdxDelayButton, kCtlSwitch},
      {kCtlIdxDelayLed, kCtlSwitch},
      {kCtlIdxDryButton, kCtlSwitch},
      {kCtlIdxPanicButton, kCtlSwitch},
  };
  for (const KeptRow& k : kKept) {
    if (kControls[k.mIndex].mKind != k.mKind) return false;
  }
  for (int n = 0; n < EditorControls::NUM_METERS; ++n) {
    if (kControls[kCtlIdxFirstMeter + n].mKind != kCtlBitmap) return false;
  }
  return true;
}
static_assert(KeptRowsHaveTheirKinds(), "the kept controls are of the classes EditorControls names");

ITextStyle MakeStyle(const TextStyleDesc& desc) {
  IColour colour(static_cast<int>(desc.mColour >> 24), static_cast<int>((desc.mColour >> 16) & 0xFF),
                 static_cast<int>((desc.mColour >> 8) & 0xFF), static_cast<int>(desc.mColour & 0xFF));
  return ITextStyle(desc.mFont, desc.mSize, colour, kTextNormal, desc.mAlign);
}

IBitmapInfo LoadImage(IGraphics* graphics, const ControlDesc& row) {
  const ImageDesc* image = FindImage(row.mImageId);
  return graphics->LoadBitmap(image->mId, image->mName, row.mFrames);
}

// An image by its id, with its own frame count.
IBitmapInfo LoadImage(IGraphics* graphics, int id) {
  const ImageDesc* image = FindImage(id);
  return graphics->LoadBitmap(image->mId, image->mName, image->mFrames);
}

IRect RectOf(const ControlDesc& row) {
  return IRect(row.mRect.mL, row.mRect.mT, row.mRect.mR, row.mRect.mB);
}

// The control of a row; text controls start with the given text.
IControl* MakeControl(IGraphics* graphics, VrelsPlugin* vrels, const ControlDesc& row,
                      const ITextStyle* styles, const char* text, const EditorSettings& settings) {
  IPlugBase* plug = graphics->GetPlug();
  const int x = row.mRect.mL, y = row.mRect.mT;
  switch (row.mKind) {
    case kCtlBitmap:
      return new IBitmapControl(plug, x, y, row.mParamIdx, LoadImage(graphics, row), row.mBlendKind);
    case kCtlKnob:
      return new IKnobMultiControl(plug, x, y, row.mParamIdx, LoadImage(graphics, row), kVertical,
                                   KNOB_GEARING);
    case kCtlReadout:
      return new IValueTextControl(plug, RectOf(row), row.mParamIdx, styles[row.mStyle], true, true,
                                   kVertical, READOUT_GEARING);
    case kCtlSwitch:
      return new ISwitchControl(plug, x, y, row.mParamIdx, LoadImage(graphics, row));
    case kCtlText:
      return new ITextControl(plug, RectOf(row), styles[row.mStyle], text);
    case kCtlFileSelector:
      return new IFileSelectorControl(plug, RectOf(row), row.mParamIdx, LoadImage(graphics, row),
                                      row.mFileAction == kFileActionSave ? kFileSave : kFileOpen,
                                      settings.mPresetFolder, PRESET_EXTENSION);
    case kCtlSwarmCanvas:
      // The tools' images follow the pointer while a tool is dragged.
      return new VrelCanvas(vrels, RectOf(row), LoadImage(graphics, kImgGather),
                            LoadImage(graphics, kImgScatter));
    case kCtlEnvelopeCanvas:
      return new EnvelopeCanvas(vrels, RectOf(row));
  }
  return nullptr;
}

template <class T>
T* Kept(IGraphics* graphics, int index) {
  return static_cast<T*>(graphics->GetControl(index));
}

}  // namespace

void BuildEditor(IGraphics* graphics, VrelsPlugin* vrels, const EditorSettings& settings,
                 EditorControls* kept) {
  ITextStyle styles[NUM_TEXT_STYLES];
  for (int s = 0; s < NUM_TEXT_STYLES; ++s) styles[s] = MakeStyle(kTextStyles[s]);

  // The version text's row holds its format.
  char version[VERSION_TEXT_SIZE];
  FormatText(version, sizeof(version), kControls[kCtlIdxVersionText].mText, settings.mMajorVersion,
             settings.mMinorVersion);

  for (int i = 0; i < NUM_CONTROLS; ++i) {
    const ControlDesc& row = kControls[i];
    if (i == kCtlIdxBackground) {
      const ImageDesc* image = FindImage(row.mImageId);
      graphics->AttachBackground(image->mId, image->mName);
    } else {
      const char* text = i == kCtlIdxVersionText ? version : row.mText;
      graphics->AttachControl(MakeControl(graphics, vrels, row, styles, text, settings));
    }
  }

  kept->mpSwarmCanvas = graphics->GetControl(kCtlIdxSwarmCanvas);
  kept->mpEnvelopeCanvas = graphics->GetControl(kCtlIdxEnvelopeCanvas);
  kept->mpMessageLine = Kept<ITextControl>(graphics, kCtlIdxMessageLine);
  kept->mpStreamCount = Kept<ITextControl>(graphics, kCtlIdxStreamCount);
  kept->mpTapCount = Kept<ITextControl>(graphics, kCtlIdxTapCount);
  kept->mpPresetName = Kept<ITextControl>(graphics, kCtlIdxPresetName);
  kept->mpVersionText = Kept<ITextControl>(graphics, kCtlIdxVersionText);
  kept->mpSaveSelector = Kept<IFileSelectorControl>(graphics, kCtlIdxSaveSelector);
  kept->mpLoadSelector = Kept<IFileSelectorControl>(graphics, kCtlIdxLoadSelector);
  kept->mpGrainButton = Kept<ISwitchControl>(graphics, kCtlIdxGrainButton);
  kept->mpGrainLed = Kept<ISwitchControl>(graphics, kCtlIdxGrainLed);
  kept->mpDelayButton = Kept<ISwitchControl>(graphics, kCtlIdxDelayButton);
  kept->mpDelayLed = Kept<ISwitchControl>(graphics, kCtlIdxDelayLed);
  kept->mpDryButton = Kept<ISwitchControl>(graphics, kCtlIdxDryButton);
  kept->mpPanicButton = Kept<ISwitchControl>(graphics, kCtlIdxPanicButton);
  for (int n = 0; n < EditorControls::NUM_METERS; ++n)
    kept->mpMeters[n] = Kept<IBitmapControl>(graphics, kCtlIdxFirstMeter + n);
}
