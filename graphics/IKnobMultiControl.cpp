#include "IKnobMultiControl.h"

#include "IBitmapControl.h"
#include "IGraphics.h"

namespace {

// Shift or Ctrl makes a drag this much finer.
const double FINE_GEARING_FACTOR = 10.0;

}  // namespace

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapInfo& bitmap,
                                     int direction, double gearing)
    : IKnobControl(plug, IRect(x, y, x + bitmap.mW, y + bitmap.FrameH()), paramIdx, direction, gearing),
      mBitmap(bitmap) {}

void IKnobMultiControl::OnMouseDrag(int /*x*/, int /*y*/, int dX, int dY, const IMouseMods& mods) {
  double gearing = mGearing;
  if (mods.mS || mods.mC) gearing *= FINE_GEARING_FACTOR;
  const IRect& r = GetRect();
  if (mDirection == kVertical) {
    AddToValue(static_cast<double>(dY) / static_cast<double>(r.mT - r.mB) / gearing);
  } else {
    AddToValue(static_cast<double>(dX) / static_cast<double>(r.mR - r.mL) / gearing);
  }
  SetDirty(true);
}

bool IKnobMultiControl::Draw(IGraphics* graphics) {
  const IBlend blend = GetBlend();
  graphics->DrawBitmapFrame(&mBitmap, GetRect(), IBitmapControl::FrameFor(GetValue(), mBitmap.mN), &blend);
  return true;
}
