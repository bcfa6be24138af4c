#include "IFileSelectorControl.h"

#include "IGraphics.h"

IFileSelectorControl::IFileSelectorControl(IPlugBase* plug, const IRect& rect, int paramIdx,
                                           const IBitmapInfo& bitmap, int action, const char* directory,
                                           const char* extension)
    : IControl(plug, rect, paramIdx),
      mBitmap(bitmap),
      mDirectory(directory ? directory : ""),
      mExtension(extension ? extension : ""),
      mAction(action) {}

IFileSelectorControl::~IFileSelectorControl() {}

void IFileSelectorControl::OnMouseDown(int /*x*/, int /*y*/, const IMouseMods& /*mods*/) {
  IGraphics* graphics = GetGUI();
  if (!graphics) return;
  mState = kDialogOpen;
  SetDirty(false);
  // A chooser beside the editor answers later; a dialog answers here.
  if (graphics->PromptForFileLater(mAction, mDirectory.c_str(),
                                   [this](const std::string* path) { Finish(path); })) {
    return;
  }
  // Returns when the dialog closes; the path is empty on cancel.
  graphics->PromptForFile(&mSelectedFile, mAction, mDirectory.c_str(), mExtension.c_str());
  Finish(&mSelectedFile);
}

void IFileSelectorControl::Finish(const std::string* path) {
  if (!path) {
    // Unanswered: nothing reaches the plug-in.
    mState = kIdle;
    SetDirty(false);
    return;
  }
  if (path != &mSelectedFile) mSelectedFile = *path;
  double value = GetValue() + 1.0;
  if (value > 1.0) value = 0.0;
  SetValue(value);
  mState = kJustFinished;
  SetDirty(true);
}

bool IFileSelectorControl::Draw(IGraphics* graphics) {
  if (mState != kDialogOpen) return true;
  const IBlend blend = GetBlend();
  return graphics->DrawBitmap(&mBitmap, GetRect(), 0, 0, &blend);
}

bool IFileSelectorControl::IsDirty() {
  if (IControl::IsDirty()) return true;
  if (mState != kJustFinished) return false;
  mState = kIdle;
  return true;
}

void IFileSelectorControl::GetLastSelectedFile(std::string* path) const {
  if (path) *path = mSelectedFile;
}

void IFileSelectorControl::SetLastSelectedFile(const char* path) {
  mSelectedFile = path ? path : "";
}
