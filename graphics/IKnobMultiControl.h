// A knob drawn from a strip of frames. Dragging moves the value by the
// travel over the rectangle's size and the gearing (ten times finer with
// Shift or Ctrl); upwards (or rightwards) increases it; limited to 0..1.
#pragma once

#include "IKnobControl.h"

class IKnobMultiControl : public IKnobControl {
 public:
  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapInfo& bitmap,
                    int direction = kVertical, double gearing = DEFAULT_KNOB_GEARING);

  void OnMouseDrag(int x, int y, int dX, int dY, const IMouseMods& mods) override;
  bool Draw(IGraphics* graphics) override;

  const IBitmapInfo& GetBitmap() const { return mBitmap; }

 protected:
  IBitmapInfo mBitmap;
};
