#include "PluginEditor.h"

#include "GuiEnvironment.h"

namespace guitest {

PluginEditor::~PluginEditor() {
  if (mOpen) Close();
}

bool PluginEditor::GetSize(int* width, int* height) {
  ERect* rect = nullptr;
  if (mHost.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect) return false;
  *width = rect->right - rect->left;
  *height = rect->bottom - rect->top;
  return true;
}

bool PluginEditor::Open(HWND parent) {
  if (mHost.Dispatch(effEditOpen, 0, 0, parent) != 1) return false;
  mOpen = true;
  mWindow = FindWindowExA(parent, nullptr, kEditorClass, nullptr);
  return mWindow != nullptr;
}

intptr_t PluginEditor::Close() {
  mOpen = false;
  mWindow = nullptr;
  return mHost.Dispatch(effEditClose);
}

}  // namespace guitest
