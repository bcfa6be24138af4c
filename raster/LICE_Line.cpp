// Straight lines.
#include <cmath>
#include <cstdlib>

#include "LICE_Plot.h"
#include "LICE_Raster.h"

namespace {

// Cuts the segment to the rectangle (Liang and Barsky); false when nothing
// of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
                 double bottom) {
  double t0 = 0.0, t1 = 1.0;
  double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  // Ends inside the rectangle stay exactly as they were.
  double sx = x1, sy = y1;
  if (t0 > 0.0) {
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
  }
  if (t1 < 1.0) {
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
  }
  return true;
}

// Bresenham's line between the pixels nearest to the end points.
void PlainLine(const lice::Plotter& plotter, double x1, double y1, double x2, double y2) {
  int x = static_cast<int>(std::floor(x1 + 0.5)), y = static_cast<int>(std::floor(y1 + 0.5));
  int xEnd = static_cast<int>(std::floor(x2 + 0.5)), yEnd = static_cast<int>(std::floor(y2 + 0.5));
  int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
  int stepX = x < xEnd ? 1 : -1, stepY = y < yEnd ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    plotter.Plot(x, y);
    if (x == xEnd && y == yEnd) break;
    int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y += stepY;
    }
  }
}

// Coverage 1 - distance from the line, for pixels whose centre projects
// onto the segment. Along the longer axis each pixel column (or row) holds
// at most three such pixels.
void SmoothLine(const lice::Plotter& plotter, double x1, double y1, double x2, double y2) {
  double dx = x2 - x1, dy = y2 - y1;
  double length = std::sqrt(dx * dx + dy * dy);
  if (length < 1e-9) {
    plotter.Plot(static_cast<int>(std::floor(x1 + 0.5)), static_cast<int>(std::floor(y1 + 0.5)));
    return;
  }
  double ux = dx / length, uy = dy / length;
  bool alongX = std::fabs(dx) >= std::fabs(dy);
  // The longer axis, from one end to the other with a pixel's margin.
  double a1 = alongX ? x1 : y1, a2 = alongX ? x2 : y2;
  double b1 = alongX ? y1 : x1, slope = alongX ? dy / dx : dx / dy;
  double halfBand = 1.0 / (alongX ? std::fabs(ux) : std::fabs(uy));
  int from = static_cast<int>(std::floor(std::fmin(a1, a2))) - 1;
  int to = static_cast<int>(std::ceil(std::fmax(a1, a2))) + 1;
  // Only the part inside the bitmap.
  int limit = alongX ? plotter.view.width : plotter.view.height;
  if (from < 0) from = 0;
  if (to > limit - 1) to = limit - 1;
  for (int a = from; a <= to; ++a) {
    double centre = b1 + (a - a1) * slope;
    int bFrom = static_cast<int>(std::ceil(centre - halfBand));
    int bTo = static_cast<int>(std::floor(centre + halfBand));
    for (int b = bFrom; b <= bTo; ++b) {
      double px = alongX ? a : b, py = alongX ? b : a;
      double vx = px - x1, vy = py - y1;
      double along = vx * ux + vy * uy;
      if (along < 0.0 || along > length) continue;
      double coverage = 1.0 - std::fabs(vx * uy - vy * ux);
      if (coverage > 0.0)
        plotter.Plot(static_cast<int>(px), static_cast<int>(py), static_cast<float>(coverage));
    }
  }
}

}  // namespace

void LICE_Line(LICE_IBitmap* dest, float x1, float y1, float x2, float y2, LICE_pixel colour, float weight,
               int mode, bool antialias) {
  lice::Plotter plotter(dest, colour, weight, mode);
  if (plotter.IsIdle()) return;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  // Only the part near the bitmap is walked (a margin of two pixels keeps
  // the cut ends out of sight).
  double ax = x1, ay = y1, bx = x2, by = y2;
  const double MARGIN = 2.0;
  if (!ClipSegment(ax, ay, bx, by, -MARGIN, -MARGIN, plotter.view.width + MARGIN,
                   plotter.view.height + MARGIN)) {
    return;
  }
  if (antialias) {
    SmoothLine(plotter, ax, ay, bx, by);
  } else {
    PlainLine(plotter, ax, ay, bx, by);
  }
}
