#include "ISwitchControl.h"

namespace {

// A value past 1 by more than this wraps to 0 (a little slack for the sum
// of the steps).
const double WRAP_LIMIT = 1.001;

}  // namespace

ISwitchControl::ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapInfo& bitmap,
                               int blendKind)
    : IBitmapControl(plug, x, y, paramIdx, bitmap, blendKind) {}

void ISwitchControl::OnMouseDown(int /*x*/, int /*y*/, const IMouseMods& mods) {
  if (mods.mR) {
    PromptUserInput();
    return;
  }
  const int frames = mBitmap.mN;
  double value = GetValue() + (frames >= 2 ? 1.0 / (frames - 1) : 1.0);
  if (value > WRAP_LIMIT) value = 0.0;
  SetValue(value);
  SetDirty(true);
}
