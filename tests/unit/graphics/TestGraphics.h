// A graphics object without a window for the native tests: the drawing
// layer's off-screen buffer and operations, and recording stand-ins for
// what the window layers do (text is not drawn; dialogs answer a chosen
// path; a text entry request is only remembered).
#pragma once

#include <string>

#include "IGraphicsLice.h"

class TestGraphics : public IGraphicsLice {
 public:
  TestGraphics(IPlugBase* plug, int width = 729, int height = 650) : IGraphicsLice(plug, width, height) {}

  bool DrawScreen(const IRect& rect) override {
    ++mScreenUpdates;
    mLastScreenRect = rect;
    return true;
  }
  bool DrawText(ITextStyle*, const char* text, const IRect&) override {
    mLastText = text;
    return true;
  }
  bool BuildPopupMenu(void*, int*, IPopupMenu*) override { return false; }
  void CreateTextEntry(IControl* control, IParameter* param, bool) override {
    mpEntryControl = control;
    mpEntryParam = param;
  }
  void HostPath(std::string* path) override { path->clear(); }
  void PluginPath(std::string* path) override { path->clear(); }
  void PromptForFile(std::string* path, int, const char*, const char*) override { *path = mChosenFile; }
  bool PromptForColour(IColour*, const char*) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  void PromptParamMenu(IControl*, IParameter*, int) override {}

  int mScreenUpdates = 0;
  IRect mLastScreenRect;
  std::string mLastText;
  std::string mChosenFile;
  IControl* mpEntryControl = nullptr;
  IParameter* mpEntryParam = nullptr;
};
