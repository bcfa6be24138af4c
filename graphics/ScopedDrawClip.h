// Narrows the graphics object's draw rectangle to its common part with a
// given rectangle for as long as it lives, and puts the previous one back
// when it goes. Every drawing operation clips to the draw rectangle, so a
// control that holds one while it draws marks nothing outside its own
// rectangle, whatever coordinates it draws at.
//
// GUI thread, inside a paint pass (a control's Draw).
#pragma once

#include "IGraphics.h"

class ScopedDrawClip {
 public:
  ScopedDrawClip(IGraphics* graphics, const IRect& rect)
      : mpGraphics(graphics), mPrevious(graphics->GetDrawRect()) {
    graphics->SetDrawRect(mPrevious.Intersect(rect));
  }
  ~ScopedDrawClip() { mpGraphics->SetDrawRect(mPrevious); }
  ScopedDrawClip(const ScopedDrawClip&) = delete;
  ScopedDrawClip& operator=(const ScopedDrawClip&) = delete;

 private:
  IGraphics* mpGraphics;
  IRect mPrevious;
};
