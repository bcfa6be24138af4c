#include "Background.h"

#include <cmath>
#include <string>

#include "Palette.h"
#include "Text.h"

namespace {

enum Align { kLeft, kCentre, kRight };

// Caption: 10 px, regular. Title: 11 px bold, upper case, letter-spaced.
const TextRun CAPTION = {"", 10, kRegular, 0.0};
const TextRun TITLE = {"", 10, kBold, 0.9};
const TextRun ROW_NUMBER = {"", 10, kBold, 0.0};
// Column headers: one size below the captions, so that neighbours keep apart.
const TextRun HEADER = {"", 9, kRegular, 0.2};
const int CAPTION_GAP = 5;  // pixels between a caption's ink and its control

LayoutRect Outward(double x0, double y0, double x1, double y1) {
  return {int(std::floor(x0)), int(std::floor(y0)), int(std::ceil(x1)), int(std::ceil(y1))};
}

int FindControl(ControlKind kind, int param) {
  for (int i = 0; i < NUM_CONTROLS; ++i) {
    if (kControls[i].mKind == kind && kControls[i].mParamIdx == param) return i;
  }
  return -1;
}

class Painter {
 public:
  Painter(cairo_t* cr, Placement* place) : mCr(cr), mPlace(place) {}

  // Places a text by its ink: x is the ink's left edge, centre or right edge.
  LayoutRect Text(const std::string& what, TextRun run, const std::string& text, double x, double baseline,
                  Align align, const Colour& colour, int owner = -1) {
    run.text = text;
    InkBox ink = MeasureText(run);
    double anchor = align == kLeft ? ink.x0 : align == kRight ? ink.x1 : (ink.x0 + ink.x1) / 2;
    double ox = std::round(x - anchor);
    ShowText(mCr, run, ox, baseline, colour);
    LayoutRect box = Outward(ox + ink.x0, baseline + ink.y0, ox + ink.x1, baseline + ink.y1);
    mPlace->Add(what + " \"" + text + "\"", box, kElemText, owner);
    return box;
  }

  // Cap height of a style, for centring words on a control.
  double CapHeight(TextRun run) {
    run.text = "H";
    InkBox ink = MeasureText(run);
    return ink.y1 - ink.y0;
  }

  enum Side { kOnLeft, kAbove, kBelow, kOnRight, kAtColumn };

  // A caption beside control `index`; kAtColumn left-aligns it at `column`.
  void Caption(const std::string& text, int index, Side side, int column = 0) {
    const LayoutRect r = kControls[index].mRect;
    double cy = (r.mT + r.mB) / 2.0;
    double centred = std::round(cy + CapHeight(CAPTION) / 2);
    double cx = (r.mL + r.mR) / 2.0;
    std::string what = "caption of " + DescribeControl(index);
    switch (side) {
      case kOnLeft:
        Text(what, CAPTION, text, r.mL - CAPTION_GAP, centred, kRight, palette::kCaption);
        break;
      case kOnRight:
        Text(what, CAPTION, text, r.mR + CAPTION_GAP, centred, kLeft, palette::kCaption);
        break;
      case kAtColumn:
        // Row captions sit two pixels below the knob's centre: the row is the
        // knob and, below its centre, the source readout.
        Text(what, CAPTION, text, column, centred + 2, kLeft, palette::kCaption);
        break;
      case kAbove:
        Text(what, CAPTION, text, cx, r.mT - 4, kCentre, palette::kCaption);
        break;
      case kBelow:
        Text(what, CAPTION, text, cx, r.mB + 3 + std::round(CapHeight(CAPTION)), kCentre, palette::kCaption);
        break;
    }
  }

  void Fill(const LayoutRect& r, const Colour& c) {
    cairo_set_source_rgba(mCr, c.r, c.g, c.b, c.a);
    cairo_rectangle(mCr, r.mL, r.mT, r.W(), r.H());
    cairo_fill(mCr);
  }

  void HLine(int x0, int x1, int y, const Colour& c) { Fill({x0, y, x1, y + 1}, c); }
  void VLine(int x, int y0, int y1, const Colour& c) { Fill({x, y0, x + 1, y1}, c); }

  // A raised section panel: face, one-pixel highlight on the top and left,
  // shadow on the bottom and right, and a two-pixel accent stripe on top.
  void Panel(const std::string& what, const LayoutRect& r, const Colour& accent, int owner = -1) {
    Fill(r, palette::kSection);
    HLine(r.mL, r.mR, r.mT, palette::kSectionHighlight);
    VLine(r.mL, r.mT, r.mB, palette::kSectionHighlight);
    HLine(r.mL, r.mR, r.mB - 1, palette::kSectionShadow);
    VLine(r.mR - 1, r.mT, r.mB, palette::kSectionShadow);
    Fill({r.mL + 1, r.mT, r.mR - 1, r.mT + 2}, Colour{accent.r, accent.g, accent.b, 0.85});
    mPlace->AddPanel("panel " + what, r, owner);
  }

  // A recessed well: darker face, one-pixel inner shadow on the top and
  // left, a faint light line on the bottom edge.
  void Well(const std::string& what, const LayoutRect& r, int owner) {
    WellShape(r);
    mPlace->Add(what, r, kElemDecoration, owner);
  }
  void WellShape(const LayoutRect& r) {
    Fill(r, palette::kWell);
    HLine(r.mL, r.mR, r.mT, palette::kWellShadow);
    VLine(r.mL, r.mT, r.mB, palette::kWellShadow);
    HLine(r.mL + 1, r.mR, r.mB - 1, palette::kWellLight);
  }

  void Title(const std::string& text, double x, double baseline, Align align = kLeft, int owner = -1) {
    Text("title", TITLE, text, x, baseline, align, palette::kTitle, owner);
  }

  void Divider(const std::string& what, int x0, int x1, int y) {
    HLine(x0, x1, y, palette::kSectionShadow);
    HLine(x0, x1, y + 1, palette::kSectionHighlight);
    mPlace->Add(what, {x0, y, x1, y + 2}, kElemDecoration);
  }

  cairo_t* mCr;
  Placement* mPlace;
};

// Section panels. Gutters of 4 pixels; each control lies inside one panel.
const LayoutRect SWARM_PANEL = {2, 2, 196, 378};
const LayoutRect PRESET_PANEL = {200, 2, 544, 52};
const LayoutRect MESSAGE_PANEL = {176, 382, 544, 470};
const LayoutRect MIXER_PANEL = {2, 430, 172, 648};
// The maker's plate between the swarm and mixer panels.
const LayoutRect MAKER_PLATE = {2, 382, 172, 426};
const LayoutRect LFO_PANEL = {176, 472, 352, 648};
const LayoutRect MATRIX_PANEL = {356, 472, 544, 648};
const LayoutRect GRAIN_PANEL = {548, 2, 727, 458};
const LayoutRect DELAY_PANEL = {548, 462, 727, 648};

// The swarm view's field: 300 x 240 units, one pixel each, 20-unit grid.
const LayoutRect FIELD = {221, 92, 521, 332};
const int GRID = 20;

void SwarmSection(Painter& p) {
  p.Panel("Swarm", SWARM_PANEL, palette::kSwarm);
  p.Title("SWARM", 8, 12);
  const int column = 10;
  struct Row {
    int param;
    const char* caption;
  };
  const Row rows[] = {{kVrCount, "Vrels"}, {kVrSpeed, "Speed"},  {kVrAlign, "Align"},   {kVrCentr, "Center"},
                      {kVrRepel, "Repel"}, {kVrComf, "Attract"}, {kVrFollw, "Follow"},  {kChCount, "Chasers"},
                      {kChSpeed, "Speed"}, {kChPep, "Boost"},    {kUpdTime, "Upd Time"}};
  for (const Row& row : rows)
    p.Caption(row.caption, FindControl(kCtlKnob, row.param), Painter::kAtColumn, column);
  // The source column's header above the first readout.
  const LayoutRect firstSource = kControls[FindControl(kCtlReadout, kVrCountM)].mRect;
  p.Text("column header", HEADER, "Src", firstSource.mL, firstSource.mT - 5, kLeft, palette::kCaption);
  // The flock's rules, the chasers, the update time.
  p.Divider("divider above the chasers", 8, 190, 231);
  p.Divider("divider above the update time", 8, 190, 339);
}

void PresetBar(Painter& p) {
  p.Panel("Preset bar", PRESET_PANEL, palette::kCaption);
  const LayoutRect name = kControls[kCtlIdxPresetName].mRect;
  p.Well("well of the preset name", {name.mL - 3, 12, name.mR + 3, 35}, kCtlIdxPresetName);
  p.Title("PRESET", name.mR + 12, 27);
}

void SwarmView(Painter& p) {
  const LayoutRect view = kControls[kCtlIdxSwarmCanvas].mRect;
  p.Panel("Swarm view", view, palette::kSwarm, kCtlIdxSwarmCanvas);
  p.mPlace->Add("swarm view frame", view, kElemGround, kCtlIdxSwarmCanvas);
  // The field, recessed, with its grid and a subtle frame outside it.
  p.Fill({FIELD.mL - 1, FIELD.mT - 1, FIELD.mR + 1, FIELD.mB + 1}, palette::kFieldFrame);
  p.Fill({FIELD.mL - 1, FIELD.mT - 1, FIELD.mR, FIELD.mT}, palette::kWellShadow);
  p.Fill({FIELD.mL - 1, FIELD.mT - 1, FIELD.mL, FIELD.mB}, palette::kWellShadow);
  p.Fill(FIELD, palette::kField);
  for (int x = FIELD.mL + GRID; x < FIELD.mR; x += GRID) p.VLine(x, FIELD.mT, FIELD.mB, palette::kFieldGrid);
  for (int y = FIELD.mT + GRID; y < FIELD.mB; y += GRID) p.HLine(FIELD.mL, FIELD.mR, y, palette::kFieldGrid);
  p.mPlace->Add("flock field", {FIELD.mL - 1, FIELD.mT - 1, FIELD.mR + 1, FIELD.mB + 1}, kElemGround,
                kCtlIdxSwarmCanvas);
  // Above the field: the product name beside the version text, and the
  // section title; below it, pads under the gather and scatter icons.
  const LayoutRect version = kControls[kCtlIdxVersionText].mRect;
  p.Well("well of the version text", {version.mL - 3, version.mT - 2, version.mR + 3, version.mB + 1},
         kCtlIdxVersionText);
  p.Text("product name", TextRun{"", 16, kBold, 2.0}, "VRELS", view.mL + 9, 83, kLeft, palette::kSwarm,
         kCtlIdxSwarmCanvas);
  p.Title("SWARM VIEW", view.mR - 9, 83, kRight, kCtlIdxSwarmCanvas);
  for (int index : {kCtlIdxGatherImage, kCtlIdxScatterImage}) {
    const LayoutRect r = kControls[index].mRect;
    p.Well("pad under " + DescribeControl(index), {r.mL - 3, r.mT - 3, r.mR + 3, r.mB + 3}, index);
  }
}

void MessageLine(Painter& p) {
  p.Panel("Message line", MESSAGE_PANEL, palette::kCaption);
  p.Title("MESSAGE", MESSAGE_PANEL.mL + 6, MESSAGE_PANEL.mT + 13);
  // The editor draws one line of 20-pixel text from the top of its
  // rectangle: the well frames that line.
  const LayoutRect r = kControls[kCtlIdxMessageLine].mRect;
  p.Well("well of the message line", {r.mL - 4, r.mT - 3, r.mR + 4, r.mT + 27}, kCtlIdxMessageLine);
}

void ReadoutWells(Painter& p) {
  for (int i = FIRST_READOUT; i < FIRST_READOUT + NUM_READOUTS; ++i) {
    const LayoutRect r = kControls[i].mRect;
    // The editor draws from the left edge: the well starts 3 pixels earlier.
    p.Well("well of " + DescribeControl(i), {r.mL - 3, r.mT, r.mR, r.mB}, i);
  }
  for (int index : {kCtlIdxStreamCount, kCtlIdxTapCount}) {
    const LayoutRect r = kControls[index].mRect;
    p.Well("well of " + DescribeControl(index), {r.mL - 2, r.mT - 1, r.mR + 2, r.mB + 1}, index);
  }
}

void GrainSection(Painter& p) {
  p.Panel("Grain streams", GRAIN_PANEL, palette::kGrain);
  const LayoutRect led = kControls[kCtlIdxGrainLed].mRect;
  p.Title("GRAIN STREAMS", led.mR + 6, led.mB - 2);
  p.Caption("Streams (max)", FindControl(kCtlKnob, kGrnCount), Painter::kBelow);
  const int envelope = FindControl(kCtlEnvelopeCanvas, -1);
  const LayoutRect env = kControls[envelope].mRect;
  p.Well("well of the envelope view", {env.mL - 1, env.mT - 1, env.mR + 2, env.mB + 1}, envelope);
  p.Text("caption of the envelope view", CAPTION, "Envelope", env.mL - 1, env.mT - 6, kLeft,
         palette::kCaption);
  p.Caption("Skew", FindControl(kCtlKnob, kGEnvSkew), Painter::kOnRight);
  const int column = GRAIN_PANEL.mL + 8;
  struct Row {
    int param;
    const char* caption;
  };
  const Row rows[] = {{kGLen, "Length"}, {kGIot, "IOT"},    {kGAmpl, "Ampl"}, {kGXpose, "Pitch"},
                      {kGPan, "Pan"},    {kGSrc, "Source"}, {kGDir, "Dir"},   {kGDelay, "Delay"},
                      {kGFdbk, "FdBk"},  {kGHpf, "HPF"}};
  for (const Row& row : rows)
    p.Caption(row.caption, FindControl(kCtlKnob, row.param), Painter::kAtColumn, column);
  p.Caption("LPF", FindControl(kCtlKnob, kGLpf), Painter::kOnLeft);
  // Headers of the source and depth columns above the first row.
  const LayoutRect source = kControls[FindControl(kCtlReadout, kGLenM)].mRect;
  const LayoutRect depth = kControls[FindControl(kCtlKnob, kGLenD)].mRect;
  p.Text("column header", HEADER, "Src", source.mL, depth.mT - 4, kLeft, palette::kCaption);
  p.Text("column header", HEADER, "Depth", (depth.mL + depth.mR) / 2.0, depth.mT - 4, kCentre,
         palette::kCaption);
}

void DelaySection(Painter& p) {
  p.Panel("Delay taps", DELAY_PANEL, palette::kDelay);
  p.Title("DELAY TAPS", DELAY_PANEL.mL + 8, DELAY_PANEL.mT + 11);
  p.Caption("Taps (max)", FindControl(kCtlKnob, kTapCount), Painter::kOnLeft);
  const int column = DELAY_PANEL.mL + 8;
  struct Row {
    int param;
    const char* caption;
  };
  const Row rows[] = {{kDTime, "Time"}, {kDSmooth, "Smooth"}, {kDPan, "Pan"}, {kDFbk, "FdBk"}};
  for (const Row& row : rows)
    p.Caption(row.caption, FindControl(kCtlKnob, row.param), Painter::kAtColumn, column);
  p.Caption("LPF", FindControl(kCtlKnob, kDLpf), Painter::kOnLeft);
}

// Column headers on one line above the first row, rows numbered 1..4.
void HeaderAbove(Painter& p, const char* text, int index, Align align) {
  const LayoutRect r = kControls[index].mRect;
  double x = align == kLeft ? r.mL : (r.mL + r.mR) / 2.0;
  // One line for the section: above the first row's knobs, the highest controls.
  const int top = kControls[FindControl(kCtlKnob, kLfo1Rate)].mRect.mT;
  p.Text("column header", HEADER, text, x, top - 4, align, palette::kCaption);
}

void RowNumbers(Painter& p, int firstParam, int stride, int right) {
  for (int row = 0; row < 4; ++row) {
    const LayoutRect r = kControls[FindControl(kCtlReadout, firstParam + row * stride)].mRect;
    double baseline = std::round((r.mT + r.mB) / 2.0 + p.CapHeight(ROW_NUMBER) / 2);
    p.Text("row number", ROW_NUMBER, std::to_string(row + 1), right, baseline, kRight, palette::kModulation);
  }
}

void LfoSection(Painter& p) {
  p.Panel("LFOs", LFO_PANEL, palette::kModulation);
  p.Title("LFOS", LFO_PANEL.mL + 6, LFO_PANEL.mT + 11);
  HeaderAbove(p, "Shape", FindControl(kCtlReadout, kLfo1Shap), kLeft);
  HeaderAbove(p, "Rate", FindControl(kCtlKnob, kLfo1Rate), kCentre);
  HeaderAbove(p, "Sync", FindControl(kCtlSwitch, kLfo1Mode), kCentre);
  HeaderAbove(p, "Depth", FindControl(kCtlKnob, kLfo1Dpth), kCentre);
  RowNumbers(p, kLfo1Shap, kLfoParamStride, kControls[FindControl(kCtlReadout, kLfo1Shap)].mRect.mL - 7);
}

void MatrixSection(Painter& p) {
  p.Panel("Matrix", MATRIX_PANEL, palette::kModulation);
  p.Title("MATRIX", MATRIX_PANEL.mL + 6, MATRIX_PANEL.mT + 11);
  HeaderAbove(p, "Target", FindControl(kCtlReadout, kMxTgt1), kLeft);
  HeaderAbove(p, "Source", FindControl(kCtlReadout, kMxMod1), kLeft);
  HeaderAbove(p, "Depth", FindControl(kCtlKnob, kMxDph1), kCentre);
  RowNumbers(p, kMxTgt1, kMatrixParamStride, kControls[FindControl(kCtlReadout, kMxTgt1)].mRect.mL - 7);
}

void MakerPlate(Painter& p) {
  p.mPlace->AddPanel("maker's plate", MAKER_PLATE);
  const double cx = (MAKER_PLATE.mL + MAKER_PLATE.mR) / 2.0;
  p.Text("maker", TextRun{"", 10, kBold, 3.0}, "QUILLMARSH", cx, MAKER_PLATE.mT + 19, kCentre,
         palette::kCaption);
  p.Text("tag line", TextRun{"", 9, kRegular, 1.2}, "granular flock delay", cx, MAKER_PLATE.mT + 33, kCentre,
         palette::kHeader);
}

void MixerSection(Painter& p) {
  p.Panel("Mixer", MIXER_PANEL, palette::kCaption);
  p.Title("MIXER", MIXER_PANEL.mL + 6, MIXER_PANEL.mT + 13);
  p.Caption("Grn>Dly", FindControl(kCtlKnob, kGrn2Dly), Painter::kOnLeft);
  p.Caption("Dry>Dly", FindControl(kCtlKnob, kDry2Dly), Painter::kOnRight);
  p.Caption("Grain", FindControl(kCtlKnob, kGrainOut), Painter::kBelow);
  p.Caption("Delay", FindControl(kCtlKnob, kDelayOut), Painter::kBelow);
  p.Caption("Dry", FindControl(kCtlKnob, kDryOut), Painter::kBelow);
  const LayoutRect panic = kControls[kCtlIdxPanicButton].mRect;
  p.Text("caption of the panic button", TextRun{"", 9, kRegular, 0.0}, "Panic", (panic.mL + panic.mR) / 2.0,
         panic.mB + 10, kCentre, palette::kCaption);
  // Each pair of meters (left, right) stands in a well.
  for (int pair = 0; pair < 2; ++pair) {
    const LayoutRect a = kControls[kCtlIdxFirstMeter + 2 * pair].mRect;
    const LayoutRect b = kControls[kCtlIdxFirstMeter + 2 * pair + 1].mRect;
    p.WellShape({a.mL - 1, a.mT - 1, b.mR + 1, b.mB + 1});
    // Recorded per meter: each part lies within its own meter's margin.
    for (int m = 0; m < 2; ++m) {
      const int index = kCtlIdxFirstMeter + 2 * pair + m;
      const LayoutRect r = kControls[index].mRect;
      p.mPlace->Add("frame of " + DescribeControl(index), {r.mL - 1, r.mT - 1, r.mR + 1, r.mB + 1},
                    kElemGround, index);
    }
  }
}

}  // namespace

cairo_surface_t* DrawBackground(Placement* place) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, EDITOR_WIDTH, EDITOR_HEIGHT);
  cairo_t* cr = cairo_create(surface);
  Painter p(cr, place);
  p.Fill({0, 0, EDITOR_WIDTH, EDITOR_HEIGHT}, palette::kPanel);
  SwarmSection(p);
  PresetBar(p);
  SwarmView(p);
  MessageLine(p);
  GrainSection(p);
  DelaySection(p);
  LfoSection(p);
  MatrixSection(p);
  MakerPlate(p);
  MixerSection(p);
  ReadoutWells(p);
  cairo_destroy(cr);
  return surface;
}
