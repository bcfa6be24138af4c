#include "IBitmapControl.h"

#include "IGraphics.h"

namespace {

IRect FrameRect(int x, int y, const IBitmapInfo& bitmap) {
  return IRect(x, y, x + bitmap.mW, y + bitmap.FrameH());
}

}  // namespace

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapInfo& bitmap,
                               int blendKind)
    : IControl(plug, FrameRect(x, y, bitmap), paramIdx, blendKind), mBitmap(bitmap) {}

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, const IBitmapInfo& bitmap, int blendKind)
    : IBitmapControl(plug, x, y, -1, bitmap, blendKind) {}

int IBitmapControl::FrameFor(double value, int frames) {
  if (frames < 2) return 1;
  const double position = (frames - 1) * value + 0.5;
  // Limited before converting, so that no value overflows the conversion.
  if (!(position >= 0.0)) return 1;
  if (position >= frames) return frames;
  const int frame = static_cast<int>(position) + 1;
  return frame > frames ? frames : frame;
}

bool IBitmapControl::Draw(IGraphics* graphics) {
  const IBlend blend = GetBlend();
  graphics->DrawBitmapFrame(&mBitmap, GetRect(), FrameFor(GetValue(), mBitmap.mN), &blend);
  return true;
}
