// The small value types of the graphics layer: rectangles, colours, blends,
// mouse modifiers, key codes and the bitmap record. Plain values: any
// thread may make and copy them.
#pragma once

#include <cstdint>

class LICE_IBitmap;

// A rectangle in editor pixels, origin at the editor's top left; right and
// bottom are exclusive. All zero is the empty rectangle, which neither hits
// nor intersects anything.
struct IRect {
  std::int32_t mL = 0, mT = 0, mR = 0, mB = 0;

  IRect() = default;
  IRect(int l, int t, int r, int b) : mL(l), mT(t), mR(r), mB(b) {}

  int W() const { return mR - mL; }
  int H() const { return mB - mT; }
  bool Empty() const { return mL == 0 && mT == 0 && mR == 0 && mB == 0; }
  bool Contains(int x, int y) const { return !Empty() && x >= mL && x < mR && y >= mT && y < mB; }
  bool Intersects(const IRect& o) const {
    return !Empty() && !o.Empty() && mL < o.mR && o.mL < mR && mT < o.mB && o.mT < mB;
  }
  // The bounding box of both; an empty rectangle adds nothing.
  IRect Union(const IRect& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return IRect(mL < o.mL ? mL : o.mL, mT < o.mT ? mT : o.mT, mR > o.mR ? mR : o.mR, mB > o.mB ? mB : o.mB);
  }
  // The common part; empty when they do not intersect.
  IRect Intersect(const IRect& o) const {
    if (!Intersects(o)) return IRect();
    return IRect(mL > o.mL ? mL : o.mL, mT > o.mT ? mT : o.mT, mR < o.mR ? mR : o.mR, mB < o.mB ? mB : o.mB);
  }
  bool operator==(const IRect& o) const { return mL == o.mL && mT == o.mT && mR == o.mR && mB == o.mB; }
  bool operator!=(const IRect& o) const { return !(*this == o); }
};

// A colour with 0..255 channels.
struct IColour {
  std::int32_t mA = 255, mR = 0, mG = 0, mB = 0;

  IColour() = default;
  IColour(int a, int r, int g, int b) : mA(a), mR(r), mG(g), mB(b) {}

  // As a raster pixel: (A << 24) | (R << 16) | (G << 8) | B.
  std::uint32_t Packed() const {
    return (static_cast<std::uint32_t>(mA & 0xff) << 24) | (static_cast<std::uint32_t>(mR & 0xff) << 16) |
           (static_cast<std::uint32_t>(mG & 0xff) << 8) | static_cast<std::uint32_t>(mB & 0xff);
  }
  bool operator==(const IColour& o) const { return mA == o.mA && mR == o.mR && mG == o.mG && mB == o.mB; }
  bool operator!=(const IColour& o) const { return !(*this == o); }
};

// How a drawing is composed onto the buffer.
enum IBlendKind : std::int32_t {
  kBlendAlphaCopy = 0,    // the source's alpha respected
  kBlendPlainCopy = 1,    // the source's alpha ignored
  kBlendAdd = 2,          // added, saturating
  kBlendColourDodge = 3,  // colour dodge
};

// The weight of a greyed-out control's drawing.
const float GREYED_BLEND_WEIGHT = 0.25f;

struct IBlend {
  std::int32_t mKind = kBlendAlphaCopy;
  float mWeight = 1.0f;

  IBlend() = default;
  explicit IBlend(int kind, float weight = 1.0f) : mKind(kind), mWeight(weight) {}
};

// The buttons and modifier keys of a mouse event, in this order.
struct IMouseMods {
  bool mL = false;  // left button down
  bool mR = false;  // right button down
  bool mS = false;  // Shift held
  bool mC = false;  // Ctrl held
  bool mA = false;  // Alt held

  IMouseMods() = default;
  IMouseMods(bool l, bool r, bool s = false, bool c = false, bool a = false)
      : mL(l), mR(r), mS(s), mC(c), mA(a) {}
};

// Key codes handed to OnKeyDown; the window layer translates its own codes.
enum IKeyCode {
  KEY_SPACE = 0,
  KEY_UPARROW = 1,
  KEY_DOWNARROW = 2,
  KEY_LEFTARROW = 3,
  KEY_RIGHTARROW = 4,
  KEY_DIGIT_0 = 5,   // '0'..'9' are 5..14
  KEY_ALPHA_A = 15,  // 'A'..'Z' (and 'a'..'z') are 15..40
};

// An image known to the graphics object: a raster bitmap owned by the
// process-wide bitmap cache, its whole size and its number of frames,
// stacked vertically (frame k, 1-based, occupies rows (k - 1) H / N to k H / N).
struct IBitmapInfo {
  LICE_IBitmap* mpBitmap = nullptr;  // not owned
  std::int32_t mW = 0, mH = 0;
  std::int32_t mN = 1;

  IBitmapInfo() = default;
  IBitmapInfo(LICE_IBitmap* bitmap, int w, int h, int n = 1) : mpBitmap(bitmap), mW(w), mH(h), mN(n) {}
  // The height of one frame.
  int FrameH() const { return mN > 1 ? mH / mN : mH; }
};
