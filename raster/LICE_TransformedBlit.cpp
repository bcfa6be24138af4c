// Blits that scale or rotate: each destination pixel is mapped back into the
// source rectangle and read there (nearest pixel, or bilinear with
// LICE_BLIT_FILTER_BILINEAR).
#include <cmath>
#include <initializer_list>

#include "LICE_Raster.h"
#include "LICE_Sample.h"

namespace {

bool AllFinite(std::initializer_list<float> values) {
  for (float v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// The source pixels a source rectangle may read, within the bitmap; false
// when none.
bool SourceBounds(const lice::PixelView& s, double x, double y, double w, double h, int bounds[4]) {
  double left = std::fmax(std::floor(x), 0.0), top = std::fmax(std::floor(y), 0.0);
  double right = std::fmin(std::ceil(x + w), s.width), bottom = std::fmin(std::ceil(y + h), s.height);
  if (!(left < right && top < bottom)) return false;
  bounds[0] = static_cast<int>(left);
  bounds[1] = static_cast<int>(top);
  bounds[2] = static_cast<int>(right);
  bounds[3] = static_cast<int>(bottom);
  return true;
}

// The destination rectangle within the destination bitmap; false when empty.
bool ClipDestination(const lice::PixelView& d, int x, int y, int w, int h, int clip[4]) {
  clip[0] = x < 0 ? 0 : x;
  clip[1] = y < 0 ? 0 : y;
  long long right = static_cast<long long>(x) + w, bottom = static_cast<long long>(y) + h;
  clip[2] = static_cast<int>(right > d.width ? d.width : right);
  clip[3] = static_cast<int>(bottom > d.height ? d.height : bottom);
  return clip[0] < clip[2] && clip[1] < clip[3];
}

}  // namespace

void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                     float srcx, float srcy, float srcw, float srch, float weight, int mode) {
  // A rotation by 0 about the rectangle's centre is exactly this blit.
  LICE_RotatedBlit(dest, src, dstx, dsty, dstw, dsth, srcx, srcy, srcw, srch, 0.0f, weight, mode, 0.0f, 0.0f);
}

void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                      float srcx, float srcy, float srcw, float srch, float angle, float weight, int mode,
                      float rotxcent, float rotycent) {
  lice::PixelView d(dest), s(src);
  if (d.IsEmpty() || s.IsEmpty() || dstw <= 0 || dsth <= 0 || !(srcw > 0.0f) || !(srch > 0.0f)) return;
  if (!AllFinite({srcx, srcy, srcw, srch, angle, rotxcent, rotycent})) return;
  int clip[4], bounds[4];
  if (!ClipDestination(d, dstx, dsty, dstw, dsth, clip)) return;
  if (!SourceBounds(s, srcx, srcy, srcw, srch, bounds)) return;
  int scale = lice::WeightScale(weight);
  if (scale == 0) return;
  lice::SourceArea area{s, bounds[0], bounds[1], bounds[2], bounds[3]};
  bool bilinear = (mode & LICE_BLIT_FILTER_BILINEAR) != 0;

  // A destination point P maps to the source through the unrotated point
  // Q = C + R(-angle) (P - C), C being the centre of rotation.
  double centreX = dstx + dstw * 0.5 + rotxcent, centreY = dsty + dsth * 0.5 + rotycent;
  double cosine = std::cos(static_cast<double>(angle)), sine = std::sin(static_cast<double>(angle));
  double xScale = srcw / static_cast<double>(dstw), yScale = srch / static_cast<double>(dsth);
  double srcRight = static_cast<double>(srcx) + srcw, srcBottom = static_cast<double>(srcy) + srch;

  lice::WithBlender(mode, [&](auto blender) {
    for (int y = clip[1]; y < clip[3]; ++y) {
      LICE_pixel* out = d.Row(y);
      double py = y + 0.5 - centreY;
      for (int x = clip[0]; x < clip[2]; ++x) {
        double px = x + 0.5 - centreX;
        double qx = centreX + cosine * px + sine * py, qy = centreY - sine * px + cosine * py;
        double u = srcx + (qx - dstx) * xScale, v = srcy + (qy - dsty) * yScale;
        if (u < srcx || v < srcy || u >= srcRight || v >= srcBottom) continue;
        LICE_pixel p = bilinear ? area.Bilinear(u - 0.5, v - 0.5) : area.Nearest(u - 0.5, v - 0.5);
        out[x] = decltype(blender)::Apply(out[x], p, scale);
      }
    }
  });
}
