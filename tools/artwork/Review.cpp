#include "Review.h"

#include <cmath>
#include <string>

#include "Palette.h"
#include "Text.h"
#include "editor/EditorLayout.h"

namespace {

// What a readout might show, by parameter.
const char* SampleReadout(int param) {
  switch (param) {
    case kVrSpeedM:
    case kGLenM:
    case kMxMod1:
      return "LFO-1";
    case kGPanM:
      return "Vrel X -";
    case kDTimeM:
    case kGXposeM:
      return "Vrel Y";
    case kChCountM:
    case kMxMod2:
      return "Random";
    case kGEnvelop:
      return "Tukey";
    case kLfo1Shap:
      return "Sine";
    case kLfo2Shap:
      return "Tri";
    case kLfo3Shap:
      return "Ramp Up";
    case kLfo4Shap:
      return "SampHold";
    case kMxTgt1:
      return "Grn Len";
    case kMxTgt2:
      return "Dly Pan";
    case kMxTgt3:
      return "Speed";
    default:
      return "---";
  }
}

// The editor's text: white, drawn from the top of the rectangle.
void EditorText(cairo_t* cr, const ControlDesc& c, const std::string& text) {
  const TextStyleDesc& style = kTextStyles[c.mStyle];
  TextRun run = {text, double(style.mSize), kRegular, 0.0};
  double advance = 0;
  MeasureText(run, &advance);
  double x = style.mAlign == kAlignCentre ? (c.mRect.mL + c.mRect.mR - advance) / 2 : c.mRect.mL;
  double baseline = c.mRect.mT + std::round(style.mSize * 0.905);
  ShowText(cr, run, std::round(x), baseline, palette::kText);
}

void Square(cairo_t* cr, int x, int y, int side, unsigned rgb) {
  Colour c = Hex(rgb);
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
  cairo_rectangle(cr, x, y, side, side);
  cairo_fill(cr);
}

// A few vrels with trails, the leader ring, one chaser and the bounds frame,
// drawn the way the swarm view draws them.
void SampleFlock(cairo_t* cr) {
  const int fx = 221, fy = 92;
  const unsigned colours[] = {0x3C7F9A, 0x8E3F55, 0x2F8A4C, 0x9A7A2A, 0x5A4A9C, 0x7F2F2F,
                              0x3F6F8F, 0x6A8A2F, 0x9A5A3A, 0x2F5F7F, 0x8A3A8A, 0x4A9A8A};
  for (int v = 0; v < 12; ++v) {
    double a = v * 0.52, r = 22 + 5 * (v % 4);
    int x = int(150 + r * std::cos(a) + v * 2), y = int(110 + 0.8 * r * std::sin(a));
    for (int t = 0; t < 3; ++t) Square(cr, fx + x - 3 * t, fy + y - 2 * t, 4 - t, colours[v]);
    if (v == 0) {
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_set_line_width(cr, 1);
      cairo_arc(cr, fx + x + 2 + 0.5, fy + y + 2 + 0.5, 7, 0, 2 * 3.14159265358979);
      cairo_stroke(cr);
    }
  }
  for (int t = 0; t < 3; ++t) Square(cr, fx + 60 - 4 * t, fy + 170 + 2 * t, 7 - t, 0x000000);
  // Bounds: grey bars 2 pixels thick on the field's edges.
  cairo_set_source_rgb(cr, 127 / 255.0, 127 / 255.0, 127 / 255.0);
  const int L = fx, T = fy, R = fx + 300, B = fy + 240;
  cairo_rectangle(cr, L, T, R - L, 2);
  cairo_rectangle(cr, L, B - 2, R - L, 2);
  cairo_rectangle(cr, L, T, 2, B - T);
  cairo_rectangle(cr, R - 2, T, 2, B - T);
  cairo_fill(cr);
}

// The Tukey envelope as one-pixel bars, as the envelope view draws it.
void SampleEnvelope(cairo_t* cr, const LayoutRect& r) {
  cairo_set_source_rgb(cr, 69 / 255.0, 103 / 255.0, 54 / 255.0);
  const int w = r.W();
  for (int i = 0; i < w; ++i) {
    double t = (i + 0.5) / w, taper = 0.25, v = 1.0;
    if (t < taper / 2) v = 0.5 * (1 - std::cos(2 * 3.14159265358979 * t / taper));
    if (t > 1 - taper / 2) v = 0.5 * (1 - std::cos(2 * 3.14159265358979 * (1 - t) / taper));
    int h = int(v * r.H());
    cairo_rectangle(cr, r.mL + i + 1, r.mB - h, 1, h);
  }
  cairo_fill(cr);
}

}  // namespace

cairo_surface_t* DrawReview(cairo_surface_t* const images[]) {
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, EDITOR_WIDTH, EDITOR_HEIGHT);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_surface(cr, images[kImgBackground], 0, 0);
  cairo_paint(cr);
  for (int i = 1; i < NUM_CONTROLS; ++i) {
    const ControlDesc& c = kControls[i];
    if (c.mImageId != kImgNone) {
      cairo_save(cr);
      cairo_rectangle(cr, c.mRect.mL, c.mRect.mT, c.mRect.W(), c.mRect.H());
      cairo_clip(cr);
      cairo_set_source_surface(cr, images[c.mImageId], c.mRect.mL, c.mRect.mT);
      cairo_paint(cr);
      cairo_restore(cr);
      continue;
    }
    switch (c.mKind) {
      case kCtlReadout:
        EditorText(cr, c, std::string(SampleReadout(c.mParamIdx)) + " ");
        break;
      case kCtlText:
        if (i == kCtlIdxMessageLine) EditorText(cr, c, "Grain length: 30.0 ms");
        if (i == kCtlIdxStreamCount) EditorText(cr, c, "10");
        if (i == kCtlIdxTapCount) EditorText(cr, c, "2");
        if (i == kCtlIdxPresetName) EditorText(cr, c, c.mText);
        if (i == kCtlIdxVersionText) EditorText(cr, c, "v1.0");
        break;
      case kCtlSwarmCanvas:
        SampleFlock(cr);
        break;
      case kCtlEnvelopeCanvas:
        SampleEnvelope(cr, c.mRect);
        break;
      default:
        break;
    }
  }
  cairo_destroy(cr);
  return sheet;
}

cairo_surface_t* Enlarge2x(cairo_surface_t* source) {
  int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
  cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2 * w, 2 * h);
  cairo_t* cr = cairo_create(big);
  cairo_scale(cr, 2, 2);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  return big;
}

cairo_surface_t* DrawWidgetSheet(cairo_surface_t* const images[]) {
  const int SCALE = 4, W = 200, H = 156;
  cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
  cairo_t* cr = cairo_create(small);
  Colour panel = palette::kSection;
  cairo_set_source_rgb(cr, panel.r, panel.g, panel.b);
  cairo_paint(cr);
  // Draws frame `frame` (0-based) of image `id` at x, y.
  auto frame = [&](int id, int index, double x, double y) {
    const ImageDesc* image = FindImage(id);
    int h = image->FrameHeight();
    cairo_save(cr);
    cairo_rectangle(cr, x, y, image->mWidth, h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, images[id], x, y - double(h) * index);
    cairo_paint(cr);
    cairo_restore(cr);
  };
  const int knobs[] = {kImgKnob, kImgKnobExp, kImgKnobGain};
  const int values[] = {0, 125, 250, 416, 499};
  for (int k = 0; k < 3; ++k) {
    for (int v = 0; v < 5; ++v) frame(knobs[k], values[v], 2 + 26 * v, 2 + 26 * k);
  }
  const int buttons[] = {kImgGrainButton, kImgDelayButton, kImgDryButton};
  for (int b = 0; b < 3; ++b) {
    for (int f = 0; f < 2; ++f) frame(buttons[b], f, 2 + 53 * f, 82 + 24 * b);
  }
  frame(kImgLoadButton, 0, 134, 2);
  frame(kImgSaveButton, 0, 134, 26);
  for (int f = 0; f < 2; ++f) {
    frame(kImgLed, f, 134 + 14 * f, 50);
    frame(kImgTempoSync, f, 162 + 16 * f, 50);
    frame(kImgPanic, f, 134 + 18 * f, 66);
  }
  frame(kImgGather, 0, 172, 66);
  frame(kImgScatter, 0, 172, 86);
  for (int f = 0; f < 9; ++f) frame(kImgMeter, f, 112 + 9 * f, 108);
  cairo_destroy(cr);
  cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W * SCALE, H * SCALE);
  cr = cairo_create(big);
  cairo_scale(cr, SCALE, SCALE);
  cairo_set_source_surface(cr, small, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(small);
  return big;
}
