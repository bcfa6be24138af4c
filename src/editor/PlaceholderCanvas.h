// Holds the place of a canvas that is not drawn yet (the swarm view, the
// grain envelope view): its rectangle and its index in the control list,
// so that every later control keeps its index. Draws nothing, so the
// background's field shows through; takes no parameter.
#pragma once

#include "IControl.h"

class PlaceholderCanvas : public IControl {
 public:
  PlaceholderCanvas(IPlugBase* plug, const IRect& rect) : IControl(plug, rect) {}

  bool Draw(IGraphics* /*graphics*/) override { return true; }
};
