// VrelsPlugin's side of the editor: what the engine, the change handlers and
// the preset files show on the editor's controls. Every function here runs
// with the instance mutex held, on the audio thread or on whichever thread
// changed a parameter, and writes controls only through the operations that
// are safe there (values, dirty marks and fixed-capacity texts: nothing
// allocates, locks or draws). Without an editor every control is null and
// nothing is shown.
#include <string>

#include "IBitmapControl.h"
#include "IFileSelectorControl.h"
#include "IGraphics.h"
#include "ISwitchControl.h"
#include "ITextControl.h"
#include "VrelsPlugin.h"
#include "params/SwitchThreshold.h"

void VrelsPlugin::ShowChangesInEditor() {
  const EditorControls& c = mEditorControls;
  if (mReadouts.mMetersChanged) {
    mReadouts.mMetersChanged = false;
    for (int n = 0; n < EditorControls::NUM_METERS; ++n) {
      if (c.mpMeters[n]) c.mpMeters[n]->SetValueFromPlug(mReadouts.mMeterValues[n]);
    }
  }
  if (mReadouts.mCountsChanged) {
    mReadouts.mCountsChanged = false;
    if (c.mpStreamCount) c.mpStreamCount->SetTextFromPlug(mReadouts.mStreamCountText);
    if (c.mpTapCount) c.mpTapCount->SetTextFromPlug(mReadouts.mTapCountText);
  }
  if (mReadouts.mSwarmViewDirty) {
    mReadouts.mSwarmViewDirty = false;
    if (c.mpSwarmCanvas) c.mpSwarmCanvas->SetDirty(false);
  }
  if (mMessage.Revision() != mShownMessageRevision) {
    mShownMessageRevision = mMessage.Revision();
    if (c.mpMessageLine) c.mpMessageLine->SetTextFromPlug(mMessage.Text());
  }
  if (mPresetNameRevision != mShownPresetNameRevision) {
    mShownPresetNameRevision = mPresetNameRevision;
    if (c.mpPresetName) c.mpPresetName->SetTextFromPlug(mPresetName);
  }
}

void VrelsPlugin::ShowSectionSwitch(ISwitchControl* button, ISwitchControl* led, double value) {
  const double normalized = value > SWITCH_THRESHOLD ? 1.0 : 0.0;
  if (button) button->SetValueFromPlug(normalized);
  if (led) led->SetValueFromPlug(normalized);
}

void VrelsPlugin::ShowEnvelopeChanged() {
  // Drawn on two successive ticks, so that a paint that raced the rebuild
  // is followed by one of the finished table.
  if (IControl* view = mEditorControls.mpEnvelopeCanvas) {
    view->SetDirty(false);
    view->SetRedrawAgain();
  }
}

std::string VrelsPlugin::TakeChosenPresetPath(IFileSelectorControl* chosen, IFileSelectorControl* other) {
  std::string path;
  if (!chosen) return path;
  chosen->GetLastSelectedFile(&path);
  if (!path.empty() && other) other->SetLastSelectedFile(path.c_str());
  chosen->SetValueFromPlug(0.0);
  return path;
}

void VrelsPlugin::ShowAllParametersInEditor() {
  if (IGraphics* graphics = GetGUI()) {
    graphics->SetAllControlsDirty();
    RefreshEditorControls();
  }
}
