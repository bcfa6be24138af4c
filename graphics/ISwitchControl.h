// A bitmap control that steps to its next frame on each click and wraps
// after the last; a right click prompts for the value (a value menu for
// parameters with display texts).
#pragma once

#include "IBitmapControl.h"

class ISwitchControl : public IBitmapControl {
 public:
  ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapInfo& bitmap,
                 int blendKind = kBlendAlphaCopy);

  void OnMouseDown(int x, int y, const IMouseMods& mods) override;
};
