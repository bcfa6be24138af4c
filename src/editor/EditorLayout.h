// The editor's layout as constant data: the image resources, the four text
// styles and the 134 controls in attach order (the index is the draw order),
// each with its kind, rectangle, image, parameter and section.
//
// Plain constexpr records without graphics classes, so that two readers share
// one source: the editor construction walks kControls and creates one
// control per row, and the artwork generator (tools/artwork) reads the same
// rectangles to leave them clear on the background and to draw its captions
// beside them.
#pragma once

#include "params/ParameterTable.h"

const int EDITOR_WIDTH = 729;
const int EDITOR_HEIGHT = 650;

// A rectangle in editor pixels; right and bottom are exclusive.
struct LayoutRect {
  int mL, mT, mR, mB;
  constexpr int W() const { return mR - mL; }
  constexpr int H() const { return mB - mT; }
  constexpr bool Intersects(const LayoutRect& o) const {
    return mL < o.mR && o.mL < mR && mT < o.mB && o.mT < mB;
  }
  constexpr bool Contains(const LayoutRect& o) const {
    return mL <= o.mL && mT <= o.mT && o.mR <= mR && o.mB <= mB;
  }
};

// ---- Image resources ---------------------------------------------------

enum ImageId {
  kImgNone = 0,
  kImgBackground = 100,
  kImgUnused101 = 101,
  kImgUnused102 = 102,
  kImgKnob = 103,
  kImgLoadButton = 104,
  kImgSaveButton = 105,
  kImgTempoSync = 106,
  kImgGrainButton = 107,
  kImgDelayButton = 108,
  kImgGather = 109,
  kImgScatter = 110,
  kImgLed = 111,
  kImgMeter = 112,
  kImgPanic = 113,
  kImgKnobExp = 114,
  kImgKnobGain = 115,
  kImgDryButton = 116,
  kImgUnused117 = 117,
  kImgUnused118 = 118,
};

// One PNG resource. The image is mWidth x mHeight; its mFrames frames are
// stacked vertically, frame 1 (value 0) at the top. The background is 8-bit
// RGB, every other image 8-bit RGBA. The unused images are embedded but never
// loaded; their name is only the file name under resources/.
struct ImageDesc {
  int mId;
  const char* mName;  // passed with the id to LoadBitmap; "img/" + file name
  int mWidth, mHeight;
  int mFrames;
  bool mRgba;
  bool mUsed;
  constexpr int FrameHeight() const { return mHeight / mFrames; }
};

const int NUM_IMAGES = 19;
const int KNOB_FRAMES = 500;

constexpr ImageDesc kImages[NUM_IMAGES] = {
    {kImgBackground, "img/vrels-bg.png", 729, 650, 1, false, true},
    {kImgUnused101, "img/unused-101.png", 12, 12, 1, true, false},
    {kImgUnused102, "img/unused-102.png", 15, 30, 1, true, false},
    {kImgKnob, "img/knob-24x24.png", 24, 12000, KNOB_FRAMES, true, true},
    {kImgLoadButton, "img/load-button.png", 45, 22, 1, true, true},
    {kImgSaveButton, "img/save-button.png", 45, 22, 1, true, true},
    {kImgTempoSync, "img/tempo-sync-14x14.png", 14, 28, 2, true, true},
    {kImgGrainButton, "img/grain-button.png", 51, 44, 2, true, true},
    {kImgDelayButton, "img/delay-button.png", 51, 44, 2, true, true},
    {kImgGather, "img/gather-bitmap.png", 16, 16, 1, true, true},
    {kImgScatter, "img/scatter-bitmap.png", 16, 16, 1, true, true},
    {kImgLed, "img/on-off-led.png", 12, 24, 2, true, true},
    {kImgMeter, "img/meter-9.png", 9, 360, 9, true, true},
    {kImgPanic, "img/panic-button.png", 16, 32, 2, true, true},
    {kImgKnobExp, "img/knob-24x24-exp.png", 24, 12000, KNOB_FRAMES, true, true},
    {kImgKnobGain, "img/knob-24x24-gain.png", 24, 12000, KNOB_FRAMES, true, true},
    {kImgDryButton, "img/dry-button.png", 51, 44, 2, true, true},
    {kImgUnused117, "img/unused-117.png", 12, 24, 1, true, false},
    {kImgUnused118, "img/unused-118.png", 12, 24, 1, true, false},
};

// The image record of an id, or null for an id without one.
constexpr const ImageDesc* FindImage(int id) {
  for (const ImageDesc& image : kImages) {
    if (image.mId == id) return &image;
  }
  return nullptr;
}

// ---- Text styles -------------------------------------------------------

enum TextStyleId {
  kStyleNone = -1,
  kStyleValue = 0,
  kStyleMessage,
  kStyleCount,
  kStyleInfo,
  NUM_TEXT_STYLES
};

// Alignment numbers as the text drawing takes them: 0 left, 1 centred, 2 right.
enum TextAlign { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

// Every style is white (A = R = G = B = 255), normal weight, orientation 0,
// and is drawn from the top of its control's rectangle.
struct TextStyleDesc {
  const char* mFont;
  int mSize;  // character height in pixels
  TextAlign mAlign;
  unsigned mColour;  // 0xAARRGGBB
};

constexpr TextStyleDesc kTextStyles[NUM_TEXT_STYLES] = {
    {"Arial", 13, kAlignLeft, 0xFFFFFFFFu},    // the 35 value readouts
    {"Arial", 20, kAlignCentre, 0xFFFFFFFFu},  // the message line
    {"Arial", 16, kAlignCentre, 0xFFFFFFFFu},  // the stream and tap counts
    {"Arial", 16, kAlignLeft, 0xFFFFFFFFu},    // the preset name and the version
};

// ---- Controls ----------------------------------------------------------

enum ControlKind {
  kCtlBitmap,          // one frame of an image; meters show frame 1..9
  kCtlSwarmCanvas,     // the flock view (VrelCanvas)
  kCtlKnob,            // a 500-frame strip, vertical drag
  kCtlReadout,         // the parameter's display text and label, vertical drag
  kCtlSwitch,          // a two-frame image toggling its parameter
  kCtlText,            // a text set by the plug-in
  kCtlFileSelector,    // a button opening a file dialog
  kCtlEnvelopeCanvas,  // the grain envelope view
};

// The sections the background frames and titles.
enum EditorSection {
  kSectionNone = -1,  // the background itself
  kSectionSwarm = 0,
  kSectionPresetBar,
  kSectionSwarmView,
  kSectionMessageLine,
  kSectionGrain,
  kSectionDelay,
  kSectionLfos,
  kSectionMatrix,
  kSectionMixer,
  NUM_SECTIONS
};

// Which dialog a file selector opens (named apart from the graphics layer's own
// action numbers, which the editor construction maps these to).
enum FileAction { kFileActionNone = 0, kFileActionSave, kFileActionOpen };

const double KNOB_GEARING = 8.0;      // a full sweep takes 8 x 24 pixels of travel
const double READOUT_GEARING = 25.0;  // one turn takes 25 x 16 pixels of travel

// How the version text is formatted, with the major and minor version.
constexpr const char* VERSION_TEXT_FORMAT = "v%d.%d";

struct ControlDesc {
  ControlKind mKind;
  LayoutRect mRect;
  int mImageId;   // kImgNone when the control draws no image
  int mFrames;    // frames of that image, 0 without one
  int mParamIdx;  // a ParamIdx, or -1 for none
  TextStyleId mStyle;
  const char* mText;  // a text control's text at start (the version text: its format)
  FileAction mFileAction;
  int mBlendKind;  // 1 for the background (plain copy), 0 (default blend) for all others
  EditorSection mSection;
};

namespace layout_rows {
// Shorthands that keep the table below one control per line.
constexpr ControlDesc Bitmap(LayoutRect r, int image, int frames, EditorSection s, int blend = 0) {
  return {kCtlBitmap, r, image, frames, -1, kStyleNone, nullptr, kFileActionNone, blend, s};
}
constexpr ControlDesc Knob(int param, LayoutRect r, int strip, EditorSection s) {
  return {kCtlKnob, r, strip, KNOB_FRAMES, param, kStyleNone, nullptr, kFileActionNone, 0, s};
}
constexpr ControlDesc Readout(int param, LayoutRect r, EditorSection s) {
  return {kCtlReadout, r, kImgNone, 0, param, kStyleValue, nullptr, kFileActionNone, 0, s};
}
constexpr ControlDesc Switch(LayoutRect r, int image, int param, EditorSection s) {
  return {kCtlSwitch, r, image, 2, param, kStyleNone, nullptr, kFileActionNone, 0, s};
}
constexpr ControlDesc Text(LayoutRect r, TextStyleId style, const char* text, EditorSection s) {
  return {kCtlText, r, kImgNone, 0, -1, style, text, kFileActionNone, 0, s};
}
constexpr ControlDesc File(LayoutRect r, int image, int param, FileAction action) {
  return {kCtlFileSelector, r, image, 1, param, kStyleNone, nullptr, action, 0, kSectionPresetBar};
}
constexpr ControlDesc Canvas(ControlKind kind, LayoutRect r, EditorSection s) {
  return {kind, r, kImgNone, 0, -1, kStyleNone, nullptr, kFileActionNone, 0, s};
}
}  // namespace layout_rows

const int NUM_CONTROLS = 134;
const int FIRST_KNOB = 4;
const int NUM_KNOBS = 69;
const int FIRST_READOUT = FIRST_KNOB + NUM_KNOBS;  // 73
const int NUM_READOUTS = 35;

// Control indices the plug-in keeps for its own use.
enum ControlIndex {
  kCtlIdxBackground = 0,
  kCtlIdxGatherImage = 1,
  kCtlIdxScatterImage = 2,
  kCtlIdxSwarmCanvas = 3,
  kCtlIdxGrainButton = 108,
  kCtlIdxGrainLed = 109,
  kCtlIdxDelayButton = 110,
  kCtlIdxDelayLed = 111,
  kCtlIdxDryButton = 112,
  kCtlIdxMessageLine = 121,
  kCtlIdxStreamCount = 122,
  kCtlIdxTapCount = 123,
  kCtlIdxSaveSelector = 124,
  kCtlIdxLoadSelector = 125,
  kCtlIdxPresetName = 126,
  kCtlIdxEnvelopeCanvas = 127,
  kCtlIdxVersionText = 128,
  kCtlIdxPanicButton = 129,
  kCtlIdxFirstMeter = 130,  // grain left, grain right, delay left, delay right
};

// clang-format off
constexpr ControlDesc kControls[NUM_CONTROLS] = {
    layout_rows::Bitmap({0, 0, 729, 650}, kImgBackground, 1, kSectionNone, 1),
    layout_rows::Bitmap({459, 343, 475, 359}, kImgGather, 1, kSectionSwarmView),
    layout_rows::Bitmap({485, 343, 501, 359}, kImgScatter, 1, kSectionSwarmView),
    layout_rows::Canvas(kCtlSwarmCanvas, {200, 56, 544, 368}, kSectionSwarmView),
    // Knobs 4..72.
    layout_rows::Knob(kVrCount,  {64, 8, 88, 32},     kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrCountD, {156, 8, 180, 32},   kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kVrSpeed,  {64, 40, 88, 64},    kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrSpeedD, {156, 40, 180, 64},  kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kVrAlign,  {64, 72, 88, 96},    kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrAlignD, {156, 72, 180, 96},  kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kVrCentr,  {64, 104, 88, 128},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrCentrD, {156, 104, 180, 128}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kVrRepel,  {64, 136, 88, 160},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrRepelD, {156, 136, 180, 160}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kVrComf,   {64, 168, 88, 192},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrComfD,  {156, 168, 180, 192}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kVrFollw,  {64, 200, 88, 224},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kVrFollwD, {156, 200, 180, 224}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kChCount,  {64, 240, 88, 264},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kChCountD, {156, 240, 180, 264}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kChSpeed,  {64, 272, 88, 296},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kChSpeedD, {156, 272, 180, 296}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kChPep,    {64, 304, 88, 328},  kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kChPepD,   {156, 304, 180, 328}, kImgKnobExp, kSectionSwarm),
    layout_rows::Knob(kUpdTime,  {88, 348, 112, 372}, kImgKnob,    kSectionSwarm),
    layout_rows::Knob(kTapCount, {649, 468, 673, 492}, kImgKnob,    kSectionDelay),
    layout_rows::Knob(kDTime,    {603, 500, 627, 524}, kImgKnob,    kSectionDelay),
    layout_rows::Knob(kDTimeD,   {691, 500, 715, 524}, kImgKnobExp, kSectionDelay),
    layout_rows::Knob(kDSmooth,  {615, 532, 639, 556}, kImgKnobExp, kSectionDelay),
    layout_rows::Knob(kDLpf,     {683, 532, 707, 556}, kImgKnobExp, kSectionDelay),
    layout_rows::Knob(kDFbk,     {603, 602, 627, 626}, kImgKnob,    kSectionDelay),
    layout_rows::Knob(kDFbkD,    {691, 602, 715, 626}, kImgKnobExp, kSectionDelay),
    layout_rows::Knob(kDPan,     {603, 566, 627, 590}, kImgKnob,    kSectionDelay),
    layout_rows::Knob(kDPanD,    {691, 566, 715, 590}, kImgKnobExp, kSectionDelay),
    layout_rows::Knob(kGrnCount, {668, 8, 692, 32},    kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGLen,     {602, 108, 626, 132}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGLenD,    {694, 108, 718, 132}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGIot,     {602, 144, 626, 168}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGIotD,    {694, 144, 718, 168}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGXpose,   {602, 216, 626, 240}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGXposeD,  {694, 216, 718, 240}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGDelay,   {602, 360, 626, 384}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGDelayD,  {694, 360, 718, 384}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGSrc,     {602, 288, 626, 312}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGSrcD,    {694, 288, 718, 312}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGPan,     {602, 252, 626, 276}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGPanD,    {694, 252, 718, 276}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGAmpl,    {602, 180, 626, 204}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGAmplD,   {694, 180, 718, 204}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGDir,     {602, 324, 626, 348}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGDirD,    {694, 324, 718, 348}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGEnvSkew, {656, 57, 680, 81},   kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGFdbk,    {602, 396, 626, 420}, kImgKnob,    kSectionGrain),
    layout_rows::Knob(kGFdbkD,   {694, 396, 718, 420}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGHpf,     {602, 432, 626, 456}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kGLpf,     {694, 432, 718, 456}, kImgKnobExp, kSectionGrain),
    layout_rows::Knob(kLfo1Rate, {256, 500, 280, 524}, kImgKnob,    kSectionLfos),
    layout_rows::Knob(kLfo1Dpth, {311, 500, 335, 524}, kImgKnobExp, kSectionLfos),
    layout_rows::Knob(kLfo2Rate, {256, 532, 280, 556}, kImgKnob,    kSectionLfos),
    layout_rows::Knob(kLfo2Dpth, {311, 532, 335, 556}, kImgKnobExp, kSectionLfos),
    layout_rows::Knob(kLfo3Rate, {256, 564, 280, 588}, kImgKnob,    kSectionLfos),
    layout_rows::Knob(kLfo3Dpth, {311, 564, 335, 588}, kImgKnobExp, kSectionLfos),
    layout_rows::Knob(kLfo4Rate, {256, 596, 280, 620}, kImgKnob,    kSectionLfos),
    layout_rows::Knob(kLfo4Dpth, {311, 596, 335, 620}, kImgKnobExp, kSectionLfos),
    layout_rows::Knob(kMxDph1,   {489, 500, 513, 524}, kImgKnobExp, kSectionMatrix),
    layout_rows::Knob(kMxDph2,   {489, 532, 513, 556}, kImgKnobExp, kSectionMatrix),
    layout_rows::Knob(kMxDph3,   {489, 564, 513, 588}, kImgKnobExp, kSectionMatrix),
    layout_rows::Knob(kMxDph4,   {489, 596, 513, 620}, kImgKnobExp, kSectionMatrix),
    layout_rows::Knob(kDryOut,   {115, 595, 139, 619}, kImgKnobGain, kSectionMixer),
    layout_rows::Knob(kGrainOut, {28, 595, 52, 619},   kImgKnobGain, kSectionMixer),
    layout_rows::Knob(kDelayOut, {73, 595, 97, 619},   kImgKnobGain, kSectionMixer),
    layout_rows::Knob(kGrn2Dly,  {58, 483, 82, 507},   kImgKnobGain, kSectionMixer),
    layout_rows::Knob(kDry2Dly,  {90, 483, 114, 507},  kImgKnobGain, kSectionMixer),
    // Value readouts 73..107.
    layout_rows::Readout(kVrCountM, {113, 20, 156, 36},   kSectionSwarm),
    layout_rows::Readout(kVrSpeedM, {113, 52, 156, 68},   kSectionSwarm),
    layout_rows::Readout(kVrCentrM, {113, 116, 156, 132}, kSectionSwarm),
    layout_rows::Readout(kVrAlignM, {113, 84, 156, 100},  kSectionSwarm),
    layout_rows::Readout(kVrRepelM, {113, 148, 156, 164}, kSectionSwarm),
    layout_rows::Readout(kVrComfM,  {113, 180, 156, 196}, kSectionSwarm),
    layout_rows::Readout(kVrFollwM, {113, 208, 156, 224}, kSectionSwarm),
    layout_rows::Readout(kChCountM, {113, 252, 156, 268}, kSectionSwarm),
    layout_rows::Readout(kChPepM,   {113, 316, 156, 332}, kSectionSwarm),
    layout_rows::Readout(kChSpeedM, {113, 284, 156, 300}, kSectionSwarm),
    layout_rows::Readout(kDTimeM,   {648, 512, 691, 528}, kSectionDelay),
    layout_rows::Readout(kDFbkM,    {648, 614, 691, 630}, kSectionDelay),
    layout_rows::Readout(kDPanM,    {648, 578, 691, 594}, kSectionDelay),
    layout_rows::Readout(kGLenM,    {649, 120, 692, 136}, kSectionGrain),
    layout_rows::Readout(kGIotM,    {649, 156, 692, 172}, kSectionGrain),
    layout_rows::Readout(kGXposeM,  {649, 228, 692, 244}, kSectionGrain),
    layout_rows::Readout(kGDelayM,  {649, 372, 692, 388}, kSectionGrain),
    layout_rows::Readout(kGSrcM,    {649, 300, 692, 316}, kSectionGrain),
    layout_rows::Readout(kGPanM,    {649, 264, 692, 280}, kSectionGrain),
    layout_rows::Readout(kGAmplM,   {649, 192, 692, 208}, kSectionGrain),
    layout_rows::Readout(kGDirM,    {649, 336, 692, 352}, kSectionGrain),
    layout_rows::Readout(kGFdbkM,   {649, 408, 692, 424}, kSectionGrain),
    layout_rows::Readout(kGEnvelop, {582, 84, 631, 100},  kSectionGrain),
    layout_rows::Readout(kLfo1Shap, {203, 512, 252, 528}, kSectionLfos),
    layout_rows::Readout(kLfo2Shap, {203, 544, 252, 560}, kSectionLfos),
    layout_rows::Readout(kLfo3Shap, {203, 576, 252, 592}, kSectionLfos),
    layout_rows::Readout(kLfo4Shap, {203, 608, 252, 624}, kSectionLfos),
    layout_rows::Readout(kMxTgt1,   {373, 512, 422, 528}, kSectionMatrix),
    layout_rows::Readout(kMxMod1,   {438, 512, 487, 528}, kSectionMatrix),
    layout_rows::Readout(kMxTgt2,   {373, 544, 422, 560}, kSectionMatrix),
    layout_rows::Readout(kMxMod2,   {438, 544, 487, 560}, kSectionMatrix),
    layout_rows::Readout(kMxTgt3,   {373, 576, 422, 592}, kSectionMatrix),
    layout_rows::Readout(kMxMod3,   {438, 576, 487, 592}, kSectionMatrix),
    layout_rows::Readout(kMxTgt4,   {373, 608, 422, 624}, kSectionMatrix),
    layout_rows::Readout(kMxMod4,   {438, 608, 487, 624}, kSectionMatrix),
    // Section switches and LEDs 108..112, tempo-sync squares 113..120.
    layout_rows::Switch({28, 452, 79, 474},   kImgGrainButton, kGrainOn, kSectionMixer),
    layout_rows::Switch({552, 12, 564, 24},   kImgLed,         kGrainOn, kSectionGrain),
    layout_rows::Switch({60, 514, 111, 536},  kImgDelayButton, kDelayOn, kSectionMixer),
    layout_rows::Switch({552, 476, 564, 488}, kImgLed,         kDelayOn, kSectionDelay),
    layout_rows::Switch({104, 554, 155, 576}, kImgDryButton,   kDryEnabl, kSectionMixer),
    layout_rows::Switch({288, 500, 302, 514}, kImgTempoSync,   kLfo1Mode, kSectionLfos),
    layout_rows::Switch({288, 532, 302, 546}, kImgTempoSync,   kLfo2Mode, kSectionLfos),
    layout_rows::Switch({288, 564, 302, 578}, kImgTempoSync,   kLfo3Mode, kSectionLfos),
    layout_rows::Switch({288, 596, 302, 610}, kImgTempoSync,   kLfo4Mode, kSectionLfos),
    layout_rows::Switch({631, 500, 645, 514}, kImgTempoSync,   kDTimeS,   kSectionDelay),
    layout_rows::Switch({630, 108, 644, 122}, kImgTempoSync,   kGLenS,    kSectionGrain),
    layout_rows::Switch({630, 144, 644, 158}, kImgTempoSync,   kGIotS,    kSectionGrain),
    layout_rows::Switch({630, 360, 644, 374}, kImgTempoSync,   kGDelayS,  kSectionGrain),
    // Texts, file selectors and the envelope canvas 121..128.
    layout_rows::Text({242, 411, 482, 468}, kStyleMessage, "", kSectionMessageLine),
    layout_rows::Text({700, 14, 720, 29},   kStyleCount,   "", kSectionGrain),
    layout_rows::Text({681, 474, 701, 489}, kStyleCount,   "", kSectionDelay),
    layout_rows::File({232, 12, 277, 34}, kImgSaveButton, kSavePreset, kFileActionSave),
    layout_rows::File({288, 12, 333, 34}, kImgLoadButton, kLoadPreset, kFileActionOpen),
    layout_rows::Text({351, 15, 431, 35},   kStyleInfo,    "-none-", kSectionPresetBar),
    layout_rows::Canvas(kCtlEnvelopeCanvas, {584, 60, 634, 80}, kSectionGrain),
    layout_rows::Text({280, 68, 360, 88},   kStyleInfo,    VERSION_TEXT_FORMAT, kSectionSwarmView),
    // Panic 129 and the level meters 130..133.
    layout_rows::Switch({55, 552, 71, 568}, kImgPanic, kPanic, kSectionMixer),
    layout_rows::Bitmap({31, 546, 40, 586}, kImgMeter, 9, kSectionMixer),
    layout_rows::Bitmap({40, 546, 49, 586}, kImgMeter, 9, kSectionMixer),
    layout_rows::Bitmap({77, 546, 86, 586}, kImgMeter, 9, kSectionMixer),
    layout_rows::Bitmap({86, 546, 95, 586}, kImgMeter, 9, kSectionMixer),
};
// clang-format on

constexpr int CountKind(ControlKind kind) {
  int n = 0;
  for (const ControlDesc& c : kControls) n += c.mKind == kind ? 1 : 0;
  return n;
}

constexpr bool KindsInBlocks() {
  for (int i = 0; i < NUM_CONTROLS; ++i) {
    bool knob = i >= FIRST_KNOB && i < FIRST_KNOB + NUM_KNOBS;
    bool readout = i >= FIRST_READOUT && i < FIRST_READOUT + NUM_READOUTS;
    if ((kControls[i].mKind == kCtlKnob) != knob || (kControls[i].mKind == kCtlReadout) != readout)
      return false;
  }
  return true;
}

static_assert(sizeof(kControls) / sizeof(kControls[0]) == NUM_CONTROLS, "134 controls");
static_assert(CountKind(kCtlKnob) == NUM_KNOBS && CountKind(kCtlReadout) == NUM_READOUTS,
              "69 knobs, 35 readouts");
static_assert(KindsInBlocks(), "knobs at 4..72, readouts at 73..107");
static_assert(kControls[kCtlIdxSwarmCanvas].mKind == kCtlSwarmCanvas &&
                  kControls[kCtlIdxEnvelopeCanvas].mKind == kCtlEnvelopeCanvas &&
                  kControls[kCtlIdxPresetName].mStyle == kStyleInfo &&
                  kControls[kCtlIdxPanicButton].mParamIdx == kPanic,
              "the kept control indices name the right rows");

// ---- The swarm view's field ----------------------------------------------

// Where the swarm canvas shows the flock's field: one pixel per field unit,
// with the field's origin at its top-left corner. The gather and scatter
// buttons below it lie inside the canvas too, which hit-tests them.
constexpr LayoutRect SWARM_FIELD = {221, 92, 521, 332};

static_assert(kControls[kCtlIdxSwarmCanvas].mRect.Contains(SWARM_FIELD) &&
                  kControls[kCtlIdxSwarmCanvas].mRect.Contains(kControls[kCtlIdxGatherImage].mRect) &&
                  kControls[kCtlIdxSwarmCanvas].mRect.Contains(kControls[kCtlIdxScatterImage].mRect),
              "the swarm canvas covers its field and the two tool buttons");
