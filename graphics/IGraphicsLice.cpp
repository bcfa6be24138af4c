#include "IGraphicsLice.h"

#include <utility>

#include "Assert.h"
#include "BitmapCache.h"
#include "ClippedBitmap.h"
#include "ImageResource.h"
#include "LICE_MemBitmap.h"
#include "LICE_Raster.h"
#include "LICE_SysBitmap.h"

namespace {

const double DEGREES_TO_RADIANS = 3.14159265358979323846 / 180.0;

}  // namespace

IGraphicsLice::IGraphicsLice(IPlugBase* plug, int width, int height, int fps)
    : IGraphics(plug, width, height, fps) {}

IGraphicsLice::~IGraphicsLice() {
  delete mpDrawBitmap;
  delete mpTmpBitmap;
}

// The buffers are made by the first drawing operation, not here: an
// instance whose editor is never shown (most instances in a large project,
// and every instance of a host without editors) then holds no window-system
// bitmap or device context at all.
void IGraphicsLice::PrepareDraw() {
  delete mpDrawBitmap;
  delete mpTmpBitmap;
  mpDrawBitmap = nullptr;
  mpTmpBitmap = nullptr;
  mBufferPrepared = true;
}

LICE_IBitmap* IGraphicsLice::GetDrawBitmap() const {
  return mpDrawBitmap;
}

bool IGraphicsLice::HasBuffer() {
  if (!mpDrawBitmap && mBufferPrepared) {
    mpDrawBitmap = new LICE_SysBitmap(Width(), Height());
    mpTmpBitmap = new LICE_MemBitmap();
  }
  return mpDrawBitmap && mpDrawBitmap->GetBits();
}

int IGraphicsLice::BlitMode(const IBlend* blend) {
  switch (blend ? blend->mKind : kBlendAlphaCopy) {
    case kBlendPlainCopy:
      return LICE_BLIT_MODE_COPY;
    case kBlendAdd:
      return LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA;
    case kBlendColourDodge:
      return LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA;
    default:
      return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  }
}

int IGraphicsLice::ShapeMode(const IBlend* blend) {
  switch (blend ? blend->mKind : kBlendAlphaCopy) {
    case kBlendAdd:
      return LICE_BLIT_MODE_ADD;
    case kBlendColourDodge:
      return LICE_BLIT_MODE_DODGE;
    default:
      return LICE_BLIT_MODE_COPY;
  }
}

// ---- Drawing, clipped to the draw rectangle ------------------------------------

bool IGraphicsLice::DrawBitmap(IBitmapInfo* bitmap, const IRect& dest, int srcX, int srcY,
                               const IBlend* blend) {
  if (!HasBuffer() || !bitmap || !bitmap->mpBitmap) return false;
  const IRect r = dest.Intersect(mDrawRect);
  if (r.Empty()) return true;
  LICE_Blit(mpDrawBitmap, bitmap->mpBitmap, r.mL, r.mT, srcX + (r.mL - dest.mL), srcY + (r.mT - dest.mT),
            r.W(), r.H(), BlendWeight(blend), BlitMode(blend));
  return true;
}

bool IGraphicsLice::DrawRotatedBitmap(IBitmapInfo* bitmap, int destCtrX, int destCtrY, double angle,
                                      int yOffsetZeroDeg, const IBlend* blend) {
  if (!HasBuffer() || !bitmap || !bitmap->mpBitmap) return false;
  ClippedBitmap view(mpDrawBitmap, mDrawRect);
  if (view.IsEmpty()) return true;
  const int w = bitmap->mW, h = bitmap->mH;
  const float x = view.X(static_cast<float>(destCtrX - w / 2));
  const float y = view.Y(static_cast<float>(destCtrY - h / 2));
  LICE_RotatedBlit(&view, bitmap->mpBitmap, static_cast<int>(x), static_cast<int>(y), w, h, 0.0f, 0.0f,
                   static_cast<float>(w), static_cast<float>(h),
                   static_cast<float>(angle * DEGREES_TO_RADIANS), BlendWeight(blend),
                   BlitMode(blend) | LICE_BLIT_FILTER_BILINEAR, 0.0f, static_cast<float>(yOffsetZeroDeg));
  return true;
}

bool IGraphicsLice::DrawRotatedMask(IBitmapInfo* base, IBitmapInfo* mask, IBitmapInfo* top, int x, int y,
                                    double angle, const IBlend* blend) {
  if (!HasBuffer() || !mpTmpBitmap || !base || !base->mpBitmap) return false;
  const int w = base->mW, h = base->mH;
  const float radians = static_cast<float>(angle * DEGREES_TO_RADIANS);
  const int overMode = LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR;
  LICE_Copy(mpTmpBitmap, base->mpBitmap);
  for (IBitmapInfo* layer : {mask, top}) {
    if (!layer || !layer->mpBitmap) continue;
    LICE_RotatedBlit(mpTmpBitmap, layer->mpBitmap, 0, 0, w, h, 0.0f, 0.0f, static_cast<float>(layer->mW),
                     static_cast<float>(layer->mH), radians, 1.0f, overMode, 0.0f, 0.0f);
  }
  IBitmapInfo composed(mpTmpBitmap, w, h, 1);
  return DrawBitmap(&composed, IRect(x, y, x + w, y + h), 0, 0, blend);
}

bool IGraphicsLice::DrawPoint(const IColour& colour, float x, float y, const IBlend* blend) {
  if (!HasBuffer()) return false;
  const int px = static_cast<int>(x + 0.5f), py = static_cast<int>(y + 0.5f);
  if (!mDrawRect.Contains(px, py)) return true;
  LICE_PutPixel(mpDrawBitmap, px, py, colour.Packed(), BlendWeight(blend), ShapeMode(blend));
  return true;
}

bool IGraphicsLice::ForcePixel(const IColour& colour, int x, int y) {
  if (!HasBuffer() || x < 0 || y < 0 || x >= mpDrawBitmap->GetWidth() || y >= mpDrawBitmap->GetHeight())
    return false;
  mpDrawBitmap->GetBits()[static_cast<long long>(y) * mpDrawBitmap->GetRowSpan() + x] = colour.Packed();
  return true;
}

bool IGraphicsLice::DrawLine(const IColour& colour, float x1, float y1, float x2, float y2,
                             const IBlend* blend, bool antiAlias) {
  if (!HasBuffer()) return false;
  ClippedBitmap view(mpDrawBitmap, mDrawRect);
  if (view.IsEmpty()) return true;
  LICE_Line(&view, view.X(x1), view.Y(y1), view.X(x2), view.Y(y2), colour.Packed(), BlendWeight(blend),
            ShapeMode(blend), antiAlias);
  return true;
}

bool IGraphicsLice::DrawArc(const IColour& colour, float cx, float cy, float r, float minAngle,
                            float maxAngle, const IBlend* blend, bool antiAlias) {
  if (!HasBuffer()) return false;
  ClippedBitmap view(mpDrawBitmap, mDrawRect);
  if (view.IsEmpty()) return true;
  LICE_Arc(&view, view.X(cx), view.Y(cy), r, minAngle, maxAngle, colour.Packed(), BlendWeight(blend),
           ShapeMode(blend), antiAlias);
  return true;
}

bool IGraphicsLice::DrawCircle(const IColour& colour, float cx, float cy, float r, const IBlend* blend,
                               bool antiAlias) {
  if (!HasBuffer()) return false;
  ClippedBitmap view(mpDrawBitmap, mDrawRect);
  if (view.IsEmpty()) return true;
  LICE_Circle(&view, view.X(cx), view.Y(cy), r, colour.Packed(), BlendWeight(blend), ShapeMode(blend),
              antiAlias);
  return true;
}

bool IGraphicsLice::FillRect(const IColour& colour, const IRect& rect, const IBlend* blend) {
  if (!HasBuffer()) return false;
  const IRect r = rect.Intersect(mDrawRect);
  if (r.Empty()) return true;
  LICE_FillRect(mpDrawBitmap, r.mL, r.mT, r.W(), r.H(), colour.Packed(), BlendWeight(blend), BlitMode(blend));
  return true;
}

IColour IGraphicsLice::GetPoint(int x, int y) {
  const LICE_pixel p = HasBuffer() ? LICE_GetPixel(mpDrawBitmap, x, y) : 0;
  return IColour(LICE_GETA(p), LICE_GETR(p), LICE_GETG(p), LICE_GETB(p));
}

void* IGraphicsLice::GetBufferBits() {
  return mpDrawBitmap ? mpDrawBitmap->GetBits() : nullptr;
}

// ---- Lines written straight into the buffer ----------------------------------------

namespace {

int Clamped(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

bool IGraphicsLice::DrawVerticalLine(const IColour& colour, int x, int y1, int y2) {
  if (!HasBuffer()) return false;
  const int w = mpDrawBitmap->GetWidth(), h = mpDrawBitmap->GetHeight(), span = mpDrawBitmap->GetRowSpan();
  x = Clamped(x, 0, w - 1);
  y1 = Clamped(y1, 0, h - 1);
  y2 = Clamped(y2, 0, h - 1);
  if (y1 > y2) std::swap(y1, y2);
  const LICE_pixel p = colour.Packed();
  LICE_pixel* px = mpDrawBitmap->GetBits() + static_cast<long long>(y1) * span + x;
  for (int y = y1; y <= y2; ++y, px += span) *px = p;
  return true;
}

bool IGraphicsLice::DrawHorizontalLine(const IColour& colour, int y, int x1, int x2) {
  if (!HasBuffer()) return false;
  const int w = mpDrawBitmap->GetWidth(), h = mpDrawBitmap->GetHeight();
  y = Clamped(y, 0, h - 1);
  x1 = Clamped(x1, 0, w - 1);
  x2 = Clamped(x2, 0, w - 1);
  if (x1 > x2) std::swap(x1, x2);
  const LICE_pixel p = colour.Packed();
  LICE_pixel* row = mpDrawBitmap->GetBits() + static_cast<long long>(y) * mpDrawBitmap->GetRowSpan();
  for (int x = x1; x <= x2; ++x) row[x] = p;
  return true;
}

// ---- Size ------------------------------------------------------------------------------

void IGraphicsLice::Resize(int width, int height) {
  // The buffer changes size only between paint passes and pictures.
  vrels::ScopedLock paint(PaintMutex());
  IGraphics::Resize(width, height);
  if (mpDrawBitmap) mpDrawBitmap->Resize(width, height);
}

// ---- Bitmaps ---------------------------------------------------------------------------

IBitmapInfo IGraphicsLice::LoadBitmap(int id, const char* name, int frames) {
  BitmapCache& cache = BitmapCache::Instance();
  vrels::ScopedLock lock(cache.Mutex());
  LICE_IBitmap* bitmap = cache.Find(id);
  if (!bitmap) {
    bitmap = LoadBitmapResource(id, name);
    const bool imgResourceFound = bitmap != nullptr;
    VRELS_ASSERT(imgResourceFound);
    if (!cache.Add(id, bitmap)) {
      delete bitmap;
      return IBitmapInfo();
    }
  }
  return IBitmapInfo(bitmap, bitmap->GetWidth(), bitmap->GetHeight(), frames);
}

LICE_IBitmap* IGraphicsLice::LoadBitmapResource(int id, const char* name) {
  return ::LoadBitmapResource(id, name);
}

IBitmapInfo IGraphicsLice::ScaleBitmap(IBitmapInfo* bitmap, int width, int height) {
  if (!bitmap || !bitmap->mpBitmap) return IBitmapInfo();
  LICE_MemBitmap* scaled = new LICE_MemBitmap(width, height);
  LICE_ScaledBlit(scaled, bitmap->mpBitmap, 0, 0, width, height, 0.0f, 0.0f, static_cast<float>(bitmap->mW),
                  static_cast<float>(bitmap->mH), 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  if (!::RetainBitmap(scaled)) {
    delete scaled;
    return IBitmapInfo();
  }
  return IBitmapInfo(scaled, width, height, bitmap->mN);
}

IBitmapInfo IGraphicsLice::CropBitmap(IBitmapInfo* bitmap, const IRect& rect) {
  if (!bitmap || !bitmap->mpBitmap) return IBitmapInfo();
  const int w = rect.W(), h = rect.H();
  LICE_MemBitmap* cropped = new LICE_MemBitmap(w, h);
  LICE_Blit(cropped, bitmap->mpBitmap, 0, 0, rect.mL, rect.mT, w, h, 1.0f, LICE_BLIT_MODE_COPY);
  if (!::RetainBitmap(cropped)) {
    delete cropped;
    return IBitmapInfo();
  }
  return IBitmapInfo(cropped, w, h, 1);
}

void IGraphicsLice::RetainBitmap(LICE_IBitmap* bitmap) {
  ::RetainBitmap(bitmap);
}

void IGraphicsLice::ReleaseBitmap(LICE_IBitmap* bitmap) {
  ::ReleaseBitmap(bitmap);
}
