// Text for the artwork: Liberation Sans (the metric twin of Arial, the
// editor's own font), found through fontconfig by its family name, drawn
// hinted with grey-scale antialiasing; measured by its ink so that the
// placement check sees exactly the pixels a caption covers.
#pragma once

#include <cairo.h>

#include <string>

#include "Palette.h"

enum FontWeight { kRegular, kBold };

struct TextRun {
  std::string text;
  double size;  // pixels
  FontWeight weight;
  double spacing;  // extra pixels after every character
};

// The ink of a text relative to its origin (left end of the baseline).
struct InkBox {
  double x0, y0, x1, y1;
};

// Loads both weights; false with a message when the family is not installed
// (fontconfig would otherwise quietly substitute another family).
bool LoadFonts(std::string* error);
void ReleaseFonts();

InkBox MeasureText(const TextRun& run, double* advance = nullptr);
void ShowText(cairo_t* cr, const TextRun& run, double x, double baseline, const Colour& colour);
