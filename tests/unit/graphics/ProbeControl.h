// A control that records what the graphics core does to it.
#pragma once

#include <functional>

#include "IControl.h"

class ProbeControl : public IControl {
 public:
  ProbeControl(IPlugBase* plug, const IRect& rect, int paramIdx = -1) : IControl(plug, rect, paramIdx) {}

  bool Draw(IGraphics*) override {
    ++mDraws;
    if (mDuringDraw) mDuringDraw();
    return true;
  }
  void OnMouseDown(int x, int y, const IMouseMods& mods) override {
    ++mDowns;
    IControl::OnMouseDown(x, y, mods);
  }
  void OnMouseUp(int, int, const IMouseMods&) override { ++mUps; }
  void OnMouseDrag(int, int, int dX, int dY, const IMouseMods&) override {
    ++mDrags;
    mLastDX = dX;
    mLastDY = dY;
  }

  int mDraws = 0, mDowns = 0, mUps = 0, mDrags = 0;
  int mLastDX = 0, mLastDY = 0;
  // Runs inside Draw: stands for another thread writing while it draws.
  std::function<void()> mDuringDraw;
};
