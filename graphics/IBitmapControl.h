// A control that draws one frame of a bitmap strip, chosen by its value:
// frame int((N - 1) value + 0.5) + 1 of N. Its rectangle is one frame at
// (x, y). Without a parameter it is a plain image (the background, meters).
#pragma once

#include "IControl.h"

class IBitmapControl : public IControl {
 public:
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapInfo& bitmap,
                 int blendKind = kBlendAlphaCopy);
  // Without a parameter.
  IBitmapControl(IPlugBase* plug, int x, int y, const IBitmapInfo& bitmap, int blendKind = kBlendAlphaCopy);

  bool Draw(IGraphics* graphics) override;

  const IBitmapInfo& GetBitmap() const { return mBitmap; }
  // The frame (1..N) a value shows.
  static int FrameFor(double value, int frames);

 protected:
  IBitmapInfo mBitmap;
};
