// A button that opens the platform's file dialog and hands the chosen path
// to the plug-in: after the dialog its value toggles between 0 and 1 and is
// pushed to the bound parameter, whose handler reads the path with
// GetLastSelectedFile. Its bitmap shows only while the dialog is open.
// GUI thread only (the plug-in's handler runs there too, under the mutex).
// Where the chooser runs beside the editor, the answer comes at a later
// tick and the bitmap shows until then.
#pragma once

#include <atomic>
#include <string>

#include "IControl.h"

enum IFileAction { kFileOpen = 0, kFileSave = 1 };

class IFileSelectorControl : public IControl {
 public:
  enum State { kIdle = 0, kDialogOpen = 1, kJustFinished = 2 };

  IFileSelectorControl(IPlugBase* plug, const IRect& rect, int paramIdx, const IBitmapInfo& bitmap,
                       int action = kFileOpen, const char* directory = "", const char* extension = "preset");
  ~IFileSelectorControl() override;

  void OnMouseDown(int x, int y, const IMouseMods& mods) override;
  bool Draw(IGraphics* graphics) override;
  // Dirty, or just finished a dialog (once more, then idle).
  bool IsDirty() override;

  void GetLastSelectedFile(std::string* path) const;
  void SetLastSelectedFile(const char* path);
  int GetState() const { return mState; }

 private:
  // The dialog's answer (null: none): the value toggles and reaches the
  // plug-in, which reads the path.
  void Finish(const std::string* path);

  IBitmapInfo mBitmap;
  std::string mDirectory;
  std::string mSelectedFile;
  std::string mExtension;
  std::int32_t mAction;
  // Atomic: a picture of the editor (IGraphics::DrawAll) may read it on a
  // host's thread while the GUI thread opens the dialog.
  std::atomic<std::int32_t> mState{kIdle};
};
