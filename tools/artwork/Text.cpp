#include "Text.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>

namespace {

const char* const FAMILY = "Liberation Sans";
cairo_font_face_t* gFaces[2] = {nullptr, nullptr};
FcPattern* gPatterns[2] = {nullptr, nullptr};

cairo_font_face_t* LoadFace(int weight, std::string* error) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(FAMILY));
  FcPatternAddInteger(pattern, FC_WEIGHT, weight == kBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  FcChar8* family = nullptr;
  int matchedWeight = 0;
  if (!match || FcPatternGetString(match, FC_FAMILY, 0, &family) != FcResultMatch ||
      std::strcmp(reinterpret_cast<const char*>(family), FAMILY) != 0 ||
      FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight) != FcResultMatch ||
      (weight == kBold) != (matchedWeight >= FC_WEIGHT_BOLD)) {
    *error = std::string("the font \"") + FAMILY + (weight == kBold ? " Bold" : " Regular") +
             "\" is not installed (Debian: fonts-liberation2)";
    if (match) FcPatternDestroy(match);
    return nullptr;
  }
  gPatterns[weight] = match;
  return cairo_ft_font_face_create_for_pattern(match);
}

void SelectFont(cairo_t* cr, const TextRun& run) {
  cairo_set_font_face(cr, gFaces[run.weight]);
  cairo_set_font_size(cr, run.size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Walks the characters one by one when letter-spaced, else the whole text.
template <typename Visit>
void EachRun(cairo_t* cr, const TextRun& run, Visit visit) {
  if (run.spacing == 0.0) {
    visit(run.text.c_str(), 0.0);
    return;
  }
  double x = 0.0;
  for (char c : run.text) {
    char one[2] = {c, '\0'};
    cairo_text_extents_t e;
    cairo_text_extents(cr, one, &e);
    visit(one, x);
    x += e.x_advance + run.spacing;
  }
}

}  // namespace

bool LoadFonts(std::string* error) {
  if (!FcInit()) {
    *error = "fontconfig could not be initialised";
    return false;
  }
  for (int weight : {kRegular, kBold}) {
    gFaces[weight] = LoadFace(weight, error);
    if (!gFaces[weight]) return false;
  }
  return true;
}

void ReleaseFonts() {
  for (int weight : {kRegular, kBold}) {
    if (gFaces[weight]) cairo_font_face_destroy(gFaces[weight]);
    if (gPatterns[weight]) FcPatternDestroy(gPatterns[weight]);
    gFaces[weight] = nullptr;
    gPatterns[weight] = nullptr;
  }
}

InkBox MeasureText(const TextRun& run, double* advance) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  SelectFont(cr, run);
  InkBox box = {1e9, 1e9, -1e9, -1e9};
  double end = 0.0;
  EachRun(cr, run, [&](const char* piece, double x) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, piece, &e);
    if (e.width > 0 && e.height > 0) {
      box.x0 = std::min(box.x0, x + e.x_bearing);
      box.y0 = std::min(box.y0, e.y_bearing);
      box.x1 = std::max(box.x1, x + e.x_bearing + e.width);
      box.y1 = std::max(box.y1, e.y_bearing + e.height);
    }
    end = x + e.x_advance;
  });
  if (box.x0 > box.x1) box = {0, 0, 0, 0};
  if (advance) *advance = end;
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return box;
}

void ShowText(cairo_t* cr, const TextRun& run, double x, double baseline, const Colour& colour) {
  cairo_save(cr);
  SelectFont(cr, run);
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
  EachRun(cr, run, [&](const char* piece, double dx) {
    cairo_move_to(cr, x + dx, baseline);
    cairo_show_text(cr, piece);
  });
  cairo_restore(cr);
}
