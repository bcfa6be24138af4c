// A window onto part of another bitmap: the same pixels, with its own
// origin and size. The drawing layer draws shapes through one, so that
// they stay inside the paint pass's draw rectangle. Lives for one drawing
// call on the GUI thread.
#pragma once

#include "IGraphicsTypes.h"
#include "LICE_IBitmap.h"

class ClippedBitmap : public LICE_IBitmap {
 public:
  // clip is limited to the parent; it may end up empty.
  ClippedBitmap(LICE_IBitmap* parent, const IRect& clip) {
    if (!parent || !parent->GetBits()) return;
    mClip = clip.Intersect(IRect(0, 0, parent->GetWidth(), parent->GetHeight()));
    if (mClip.Empty()) return;
    mSpan = parent->GetRowSpan();
    mpBits = parent->GetBits() + static_cast<long long>(mClip.mT) * mSpan + mClip.mL;
  }

  LICE_pixel* GetBits() override { return mpBits; }
  int GetWidth() override { return mpBits ? mClip.W() : 0; }
  int GetHeight() override { return mpBits ? mClip.H() : 0; }
  int GetRowSpan() override { return mSpan; }
  bool Resize(int /*width*/, int /*height*/) override { return false; }

  // Where the parent's point (x, y) lies in this bitmap.
  float X(float x) const { return x - static_cast<float>(mClip.mL); }
  float Y(float y) const { return y - static_cast<float>(mClip.mT); }
  bool IsEmpty() const { return !mpBits; }

 private:
  IRect mClip;
  LICE_pixel* mpBits = nullptr;
  int mSpan = 0;
};
