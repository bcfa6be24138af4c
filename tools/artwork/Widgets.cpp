#include "Widgets.h"

#include <cmath>
#include <string>

#include "Palette.h"
#include "Text.h"

namespace {

const double PI = 3.14159265358979323846;

void SetColour(cairo_t* cr, const Colour& c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a * alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, PI / 2, PI);
  cairo_arc(cr, x + r, y + r, r, PI, 3 * PI / 2);
  cairo_close_path(cr);
}

// ---- Knobs ----
// The value arc runs 270 degrees clockwise from 7:30 (minimum) to 4:30
// (maximum); cairo's angles start at 3 o'clock and grow clockwise.
const double KNOB_C = 12.0;
const double ARC_START = 0.75 * PI;
const double ARC_SWEEP = 1.5 * PI;
const double ARC_R = 9.5;

enum KnobKind { kKnobStandard, kKnobExp, kKnobGain };

// The gain knobs run from -120 dB to +24 dB; unity (0 dB) sits here.
const double GAIN_UNITY = 120.0 / 144.0;

double ArcAngle(double v) {
  return ARC_START + v * ARC_SWEEP;
}

void Arc(cairo_t* cr, double r, double v0, double v1, double width, const Colour& c) {
  if (v1 <= v0) return;
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  SetColour(cr, c);
  cairo_new_path(cr);
  cairo_arc(cr, KNOB_C, KNOB_C, r, ArcAngle(v0), ArcAngle(v1));
  cairo_stroke(cr);
}

void RadialLine(cairo_t* cr, double v, double r0, double r1, double width, const Colour& c,
                cairo_line_cap_t cap = CAIRO_LINE_CAP_BUTT) {
  double a = ArcAngle(v);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, cap);
  SetColour(cr, c);
  cairo_move_to(cr, KNOB_C + r0 * std::cos(a), KNOB_C + r0 * std::sin(a));
  cairo_line_to(cr, KNOB_C + r1 * std::cos(a), KNOB_C + r1 * std::sin(a));
  cairo_stroke(cr);
}

// A dark round face lit from the top left, with a soft drop shadow.
void Face(cairo_t* cr, double r, const Colour& top, const Colour& bottom) {
  cairo_new_path(cr);
  cairo_arc(cr, KNOB_C, KNOB_C + 0.8, r + 0.6, 0, 2 * PI);
  SetColour(cr, palette::kSectionShadow, 0.7);
  cairo_fill(cr);
  cairo_pattern_t* p =
      cairo_pattern_create_radial(KNOB_C - r * 0.45, KNOB_C - r * 0.55, 0.5, KNOB_C, KNOB_C, r * 1.15);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_new_path(cr);
  cairo_arc(cr, KNOB_C, KNOB_C, r, 0, 2 * PI);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  // Rim: light on the upper left, dark on the lower right.
  cairo_set_line_width(cr, 0.8);
  cairo_pattern_t* rim = cairo_pattern_create_linear(KNOB_C - r, KNOB_C - r, KNOB_C + r, KNOB_C + r);
  cairo_pattern_add_color_stop_rgba(rim, 0, 0.62, 0.66, 0.72, 0.55);
  cairo_pattern_add_color_stop_rgba(rim, 1, 0.0, 0.0, 0.0, 0.6);
  cairo_set_source(cr, rim);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

void Knob(cairo_t* cr, double v, KnobKind kind) {
  const Colour track = palette::kTrack;
  switch (kind) {
    case kKnobStandard:
      // Full-width arc in the light neutral; the plainest of the three.
      Arc(cr, ARC_R, 0.0, 1.0, 2.0, track);
      Arc(cr, ARC_R, 0.0, v, 2.0, Hex(0xDCE3EC));
      Face(cr, 6.8, Hex(0x474E59), Hex(0x1F2329));
      RadialLine(cr, v, 1.8, 6.2, 2.0, palette::kPointer, CAIRO_LINE_CAP_ROUND);
      break;
    case kKnobExp: {
      // A fine arc in the modulation blue over a scale whose ticks crowd
      // towards the start, as the knob's travel does; a smaller face.
      for (int i = 0; i <= 6; ++i) {
        double t = i / 6.0;
        RadialLine(cr, t * t, 10.5, 12.0, 1.0, i == 0 || i == 6 ? Hex(0x7A8390) : Hex(0x5C6470));
      }
      Arc(cr, ARC_R - 0.5, 0.0, 1.0, 1.2, track);
      Arc(cr, ARC_R - 0.5, 0.0, v, 1.6, palette::kModulation);
      Face(cr, 6.2, Hex(0x3E4550), Hex(0x1C2025));
      RadialLine(cr, v, 1.6, 5.7, 2.0, palette::kPointer, CAIRO_LINE_CAP_ROUND);
      break;
    }
    case kKnobGain: {
      // A heavier arc, green up to unity and amber above it, a bright mark
      // at unity and a two-step face (a skirt with a raised cap).
      Arc(cr, ARC_R, 0.0, 1.0, 2.4, track);
      Arc(cr, ARC_R, 0.0, std::fmin(v, GAIN_UNITY), 2.4, palette::kMeterGreen);
      Arc(cr, ARC_R, GAIN_UNITY, v, 2.4, palette::kMeterAmber);
      RadialLine(cr, GAIN_UNITY, 8.0, 12.0, 1.4, palette::kPointer);
      Face(cr, 7.0, Hex(0x383E48), Hex(0x1A1D22));
      cairo_new_path(cr);
      cairo_arc(cr, KNOB_C, KNOB_C, 4.6, 0, 2 * PI);
      cairo_pattern_t* cap = cairo_pattern_create_linear(0, KNOB_C - 4.6, 0, KNOB_C + 4.6);
      cairo_pattern_add_color_stop_rgb(cap, 0, 0.33, 0.36, 0.41);
      cairo_pattern_add_color_stop_rgb(cap, 1, 0.17, 0.19, 0.22);
      cairo_set_source(cr, cap);
      cairo_fill(cr);
      cairo_pattern_destroy(cap);
      RadialLine(cr, v, 2.0, 6.6, 2.0, palette::kPointer, CAIRO_LINE_CAP_ROUND);
      break;
    }
  }
}

void KnobStrip(cairo_t* cr, KnobKind kind) {
  for (int frame = 0; frame < KNOB_FRAMES; ++frame) {
    cairo_save(cr);
    cairo_translate(cr, 0, 24.0 * frame);
    cairo_rectangle(cr, 0, 0, 24, 24);
    cairo_clip(cr);
    Knob(cr, frame / double(KNOB_FRAMES - 1), kind);
    cairo_restore(cr);
  }
}

// ---- Buttons ----

void ButtonFace(cairo_t* cr, double w, double h, bool on, const Colour& accent) {
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
  Colour top = on ? Hex(0x353B45) : Hex(0x2D323A);
  Colour bottom = on ? Hex(0x262A31) : Hex(0x22262C);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, 1.0);
  if (on) {
    SetColour(cr, accent, 0.85);
  } else {
    SetColour(cr, Hex(0x121417));
  }
  cairo_stroke(cr);
  // A one-pixel highlight inside the top edge.
  cairo_move_to(cr, 3, 1.5);
  cairo_line_to(cr, w - 3, 1.5);
  cairo_set_source_rgba(cr, 1, 1, 1, on ? 0.10 : 0.06);
  cairo_stroke(cr);
}

void Lamp(cairo_t* cr, double cx, double cy, double r, bool on, const Colour& accent) {
  if (on) {
    const double reach = r * 1.85;  // 5.9 pixels for the 12 x 12 lamp
    cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, reach);
    cairo_pattern_add_color_stop_rgba(halo, 0, accent.r, accent.g, accent.b, 0.55);
    cairo_pattern_add_color_stop_rgba(halo, 1, accent.r, accent.g, accent.b, 0.0);
    cairo_set_source(cr, halo);
    cairo_arc(cr, cx, cy, reach, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
  }
  cairo_arc(cr, cx, cy, r, 0, 2 * PI);
  if (on) {
    cairo_pattern_t* dot = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(dot, 0, 1.0, 1.0, 0.95);
    cairo_pattern_add_color_stop_rgb(dot, 0.45, accent.r, accent.g, accent.b);
    cairo_pattern_add_color_stop_rgb(dot, 1, accent.r * 0.75, accent.g * 0.75, accent.b * 0.75);
    cairo_set_source(cr, dot);
  } else {
    SetColour(cr, Hex(0x15181C));
  }
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 0, 0, 0, on ? 0.35 : 0.8);
  cairo_stroke(cr);
}

void SectionButton(cairo_t* cr, const char* word, const Colour& accent) {
  for (int frame = 0; frame < 2; ++frame) {
    bool on = frame == 1;
    cairo_save(cr);
    cairo_translate(cr, 0, 22.0 * frame);
    ButtonFace(cr, 51, 22, on, accent);
    Lamp(cr, 8.5, 11, 2.3, on, accent);
    // The word centred in the space right of the lamp.
    TextRun run = {word, 10, kBold, 0.4};
    InkBox ink = MeasureText(run);
    const double left = 14, right = 47;
    double x = std::round(left + (right - left - (ink.x1 - ink.x0)) / 2 - ink.x0);
    ShowText(cr, run, x, 15, on ? palette::kPointer : palette::kCaption);
    cairo_restore(cr);
  }
}

void WordButton(cairo_t* cr, const char* word) {
  ButtonFace(cr, 45, 22, false, palette::kNeutral);
  TextRun run = {word, 11, kRegular, 0.0};
  InkBox ink = MeasureText(run);
  ShowText(cr, run, std::round((45 - (ink.x1 - ink.x0)) / 2 - ink.x0), 15, palette::kTitle);
}

// ---- Small pieces ----

// The halo stays inside each 12 x 12 frame: clipped to it, so the lit frame
// never bleeds into the dark one above it.
void Led(cairo_t* cr, const Colour& accent) {
  for (int frame = 0; frame < 2; ++frame) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 12 * frame, 12, 12);
    cairo_clip(cr);
    Lamp(cr, 6, 6 + 12 * frame, 3.2, frame == 1, accent);
    cairo_restore(cr);
  }
}

// An eighth note: outlined when free, filled on a lit square when synced.
void TempoSync(cairo_t* cr) {
  for (int frame = 0; frame < 2; ++frame) {
    bool on = frame == 1;
    cairo_save(cr);
    cairo_translate(cr, 0, 14.0 * frame);
    RoundedRect(cr, 0.5, 0.5, 13, 13, 2.5);
    if (on) {
      SetColour(cr, palette::kModulation, 0.28);
    } else {
      SetColour(cr, Hex(0x181B20));
    }
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.0);
    if (on) {
      SetColour(cr, palette::kModulation);
    } else {
      SetColour(cr, Hex(0x3A404A));
    }
    cairo_stroke(cr);
    // Note head, stem and flag.
    cairo_save(cr);
    cairo_translate(cr, 5.4, 9.6);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, 2.2, 1.6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * PI);
    cairo_restore(cr);
    Colour ink = on ? palette::kPointer : palette::kCaption;
    SetColour(cr, ink);
    if (on) {
      cairo_fill(cr);
    } else {
      cairo_set_line_width(cr, 1.0);
      cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 1.1);
    cairo_move_to(cr, 7.55, 9.2);
    cairo_line_to(cr, 7.55, 2.8);
    cairo_curve_to(cr, 8.2, 4.6, 10.6, 4.8, 10.2, 7.4);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

// Eight segments of 4 pixels; frame k lights the lowest k - 1.
void Meter(cairo_t* cr) {
  const int SEGMENTS = 8;
  for (int frame = 0; frame < 9; ++frame) {
    cairo_save(cr);
    cairo_translate(cr, 0, 40.0 * frame);
    SetColour(cr, Hex(0x0F1114));
    cairo_rectangle(cr, 0, 0, 9, 40);
    cairo_fill(cr);
    for (int s = 0; s < SEGMENTS; ++s) {
      Colour c = s < 5 ? palette::kMeterGreen : s < 7 ? palette::kMeterAmber : palette::kMeterRed;
      double y = 40 - 5 * (s + 1) + 1;
      cairo_rectangle(cr, 1, y, 7, 4);
      SetColour(cr, c, s < frame ? 1.0 : 0.13);
      cairo_fill(cr);
      if (s < frame) {
        cairo_rectangle(cr, 1, y, 7, 1);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
        cairo_fill(cr);
      }
    }
    cairo_restore(cr);
  }
}

void Panic(cairo_t* cr) {
  for (int frame = 0; frame < 2; ++frame) {
    bool on = frame == 1;
    cairo_save(cr);
    cairo_translate(cr, 0, 16.0 * frame);
    cairo_arc(cr, 8, 8.4, 7.2, 0, 2 * PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    cairo_arc(cr, 8, 8, 6.8, 0, 2 * PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(6, 5.5, 0.5, 8, 8, 7.5);
    Colour top = on ? Hex(0xFF8A7E) : Hex(0x5A2F33);
    Colour bottom = on ? Hex(0xC2443A) : Hex(0x341B1E);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, on ? palette::kMeterRed : Hex(0x6E3A3E));
    cairo_stroke(cr);
    // The exclamation mark.
    Colour mark = on ? Hex(0xFFFFFF) : palette::kMeterRed;
    SetColour(cr, mark);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 8, 4.2);
    cairo_line_to(cr, 8, 8.6);
    cairo_stroke(cr);
    cairo_arc(cr, 8, 11.6, 1.1, 0, 2 * PI);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

// Four arrows on the axes, pointing at the centre (gather) or away from it
// (scatter); shafts two pixels wide on the pixel grid, a one-pixel dark
// outline so they read on the dark pad and on the light field alike.
void Arrows(cairo_t* cr, bool inwards) {
  for (int pass = 0; pass < 2; ++pass) {
    for (int q = 0; q < 4; ++q) {
      cairo_save(cr);
      cairo_translate(cr, 8, 8);
      cairo_rotate(cr, q * PI / 2);
      // Drawn pointing up (towards -y), then rotated into place.
      double tip = inwards ? -2.2 : -7.6, base = inwards ? -5.6 : -4.2;
      double tail = inwards ? -7.8 : -2.2;
      cairo_new_path(cr);
      cairo_move_to(cr, 0, tip);
      cairo_line_to(cr, 3.4, base);
      cairo_line_to(cr, -3.4, base);
      cairo_close_path(cr);
      cairo_rectangle(cr, -1, std::fmin(base, tail), 2, std::fabs(tail - base));
      if (pass == 0) {
        cairo_set_line_width(cr, 2.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, 0.05, 0.06, 0.07, 0.85);
        cairo_stroke(cr);
      } else {
        SetColour(cr, palette::kNeutral);
        cairo_fill(cr);
      }
      cairo_restore(cr);
    }
  }
  if (inwards) {
    cairo_arc(cr, 8, 8, 1.2, 0, 2 * PI);
    SetColour(cr, palette::kSwarm);
    cairo_fill(cr);
  }
}

}  // namespace

cairo_surface_t* DrawWidgetImage(const ImageDesc& image) {
  if (!image.mRgba) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.mWidth, image.mHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
  switch (image.mId) {
    case kImgKnob:
      KnobStrip(cr, kKnobStandard);
      break;
    case kImgKnobExp:
      KnobStrip(cr, kKnobExp);
      break;
    case kImgKnobGain:
      KnobStrip(cr, kKnobGain);
      break;
    case kImgLoadButton:
      WordButton(cr, "Load");
      break;
    case kImgSaveButton:
      WordButton(cr, "Save");
      break;
    case kImgTempoSync:
      TempoSync(cr);
      break;
    case kImgGrainButton:
      SectionButton(cr, "GRAIN", palette::kGrain);
      break;
    case kImgDelayButton:
      SectionButton(cr, "DELAY", palette::kDelay);
      break;
    case kImgDryButton:
      SectionButton(cr, "DRY", palette::kNeutral);
      break;
    case kImgGather:
      Arrows(cr, true);
      break;
    case kImgScatter:
      Arrows(cr, false);
      break;
    case kImgLed:
      Led(cr, palette::kMeterGreen);
      break;
    case kImgMeter:
      Meter(cr);
      break;
    case kImgPanic:
      Panic(cr);
      break;
    default:
      // The unused images: a dark lamp of their width, so the resource is a
      // real image at its size.
      Lamp(cr, image.mWidth / 2.0, image.mWidth / 2.0, image.mWidth * 0.28, false, palette::kNeutral);
      break;
  }
  cairo_destroy(cr);
  return surface;
}
