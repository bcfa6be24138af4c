// Circle outlines and arcs.
#include <cmath>
#include <utility>

#include "LICE_Plot.h"
#include "LICE_Raster.h"

namespace {

const double TWO_PI = 6.283185307179586;

// Which directions from the centre an arc covers: angles measured from
// straight up, clockwise on the screen.
struct AngleRange {
  bool whole = true;
  double start = 0.0;
  double extent = 0.0;

  AngleRange() = default;
  AngleRange(double a1, double a2) {
    if (a2 < a1) std::swap(a1, a2);
    whole = !(a2 - a1 < TWO_PI);
    start = std::fmod(a1, TWO_PI);
    if (start < 0.0) start += TWO_PI;
    extent = a2 - a1;
  }
  // dx, dy: from the centre to the pixel, y growing downwards.
  bool Covers(double dx, double dy) const {
    if (whole) return true;
    double angle = std::atan2(dx, -dy) - start;
    while (angle < 0.0) angle += TWO_PI;
    return angle <= extent;
  }
};

// Coverage 1 - |distance from the centre - radius|, row by row over the
// ring within one pixel of the circle.
void SmoothRing(const lice::Plotter& plotter, double cx, double cy, double r, const AngleRange& range) {
  double outer = r + 1.0, inner = r - 1.0;
  int top = static_cast<int>(std::ceil(cy - outer)), bottom = static_cast<int>(std::floor(cy + outer));
  if (top < 0) top = 0;
  if (bottom > plotter.view.height - 1) bottom = plotter.view.height - 1;
  for (int y = top; y <= bottom; ++y) {
    double dy = y - cy;
    double reachSquared = outer * outer - dy * dy;
    if (reachSquared < 0.0) continue;
    double reach = std::sqrt(reachSquared);
    double hole = (inner > 0.0 && std::fabs(dy) < inner) ? std::sqrt(inner * inner - dy * dy) : 0.0;
    // Left part and right part of the row; one span where there is no hole.
    int spans[2][2] = {{static_cast<int>(std::ceil(cx - reach)), static_cast<int>(std::floor(cx - hole))},
                       {static_cast<int>(std::ceil(cx + hole)), static_cast<int>(std::floor(cx + reach))}};
    int count = 2;
    if (hole <= 0.0) {
      spans[0][1] = spans[1][1];
      count = 1;
    }
    for (int i = 0; i < count; ++i) {
      int from = spans[i][0] < 0 ? 0 : spans[i][0];
      int to = spans[i][1] > plotter.view.width - 1 ? plotter.view.width - 1 : spans[i][1];
      for (int x = from; x <= to; ++x) {
        double dx = x - cx;
        double coverage = 1.0 - std::fabs(std::sqrt(dx * dx + dy * dy) - r);
        if (coverage > 0.0 && range.Covers(dx, dy)) plotter.Plot(x, y, static_cast<float>(coverage));
      }
    }
  }
}

// The midpoint algorithm: each pixel of the outline once.
void PlainRing(const lice::Plotter& plotter, double cx, double cy, double r, const AngleRange& range) {
  int x0 = static_cast<int>(std::floor(cx + 0.5)), y0 = static_cast<int>(std::floor(cy + 0.5));
  int radius = static_cast<int>(std::floor(r + 0.5));
  auto plot = [&](int dx, int dy) {
    if (range.Covers(dx, dy)) plotter.Plot(x0 + dx, y0 + dy);
  };
  if (radius == 0) {
    plot(0, 0);
    return;
  }
  int x = 0, y = radius, decision = 1 - radius;
  while (x <= y) {
    if (x == 0) {
      plot(0, y), plot(0, -y), plot(y, 0), plot(-y, 0);
    } else if (x == y) {
      plot(x, y), plot(-x, y), plot(x, -y), plot(-x, -y);
    } else {
      plot(x, y), plot(-x, y), plot(x, -y), plot(-x, -y);
      plot(y, x), plot(-y, x), plot(y, -x), plot(-y, -x);
    }
    ++x;
    if (decision < 0) {
      decision += 2 * x + 1;
    } else {
      --y;
      decision += 2 * (x - y) + 1;
    }
  }
}

void Ring(LICE_IBitmap* dest, float cx, float cy, float radius, const AngleRange& range, LICE_pixel colour,
          float weight, int mode, bool antialias) {
  lice::Plotter plotter(dest, colour, weight, mode);
  if (plotter.IsIdle()) return;
  if (!std::isfinite(cx) || !std::isfinite(cy) || !(radius >= 0.0f)) return;
  // A circle that cannot touch the bitmap is not walked.
  double reach = static_cast<double>(radius) + 2.0;
  if (cx + reach < 0.0 || cy + reach < 0.0 || cx - reach > plotter.view.width ||
      cy - reach > plotter.view.height || radius > 1e6f) {
    return;
  }
  if (antialias) {
    SmoothRing(plotter, cx, cy, radius, range);
  } else {
    PlainRing(plotter, cx, cy, radius, range);
  }
}

}  // namespace

void LICE_Circle(LICE_IBitmap* dest, float cx, float cy, float radius, LICE_pixel colour, float weight,
                 int mode, bool antialias) {
  Ring(dest, cx, cy, radius, AngleRange(), colour, weight, mode, antialias);
}

void LICE_Arc(LICE_IBitmap* dest, float cx, float cy, float radius, float a1, float a2, LICE_pixel colour,
              float weight, int mode, bool antialias) {
  if (!std::isfinite(a1) || !std::isfinite(a2)) return;
  Ring(dest, cx, cy, radius, AngleRange(a1, a2), colour, weight, mode, antialias);
}
