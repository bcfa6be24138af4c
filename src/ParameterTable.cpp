#include "ParameterTable.h"

#include "Assert.h"
#include "IParameter.h"
#include "IPlugBase.h"

namespace {

// ---- Change handlers --------------------------------------------------------

// For parameters that act on nothing: the spare grain records and the LFO
// skews, which are stored but read by no LFO.
void IgnoreChange(VrelsPlugin*, const ParamChangeDesc*, double) {}

// Accepts the change without touching the engine; each such entry is given its
// own handler once the engine settings follow the parameters.
void PendingChange(VrelsPlugin*, const ParamChangeDesc*, double) {}

constexpr ParamChangeDesc Desc(const char* name, int paramIdx, ParamChangeHandler handler) {
  return ParamChangeDesc{name, "", paramIdx, -1, handler};
}

// ---- Value labels -------------------------------------------------------------

// The first six are the sources the flock's own parameters and the matrix
// take.
const char* const kSourceLabels[20] = {
    "---",    "LFO-1",  "LFO-2",    "LFO-3",    "LFO-4",    "Random",   "Vrel X",
    "Vrel Y", "Vrel R", "Vrel X -", "Vrel Y -", "Vrel R -", "Vrel ##",  "Vrel ## -",
    "Lead X", "Lead Y", "Lead R",   "Lead X -", "Lead Y -", "Lead R -",
};
const int kFlockSources = 6;
const int kAllSources = 20;

const char* const kLfoShapeLabels[7] = {"Sine", "Tri", "Ramp Dn", "Ramp Up", "Square", "Random", "SampHold"};

const char* const kEnvelopeLabels[9] = {"Tukey",     "Gaussian", "Hann",      "Exp Up",   "Exp Down",
                                        "Rectangle", "Triangle", "Trapezoid", "Hann-Pois"};

// Value k >= 1 targets modulation slot k - 1. "Grn Src " keeps its trailing
// blank: stored presets refer to the target by this text.
const char* const kMatrixTargetLabels[24] = {
    "---",     "Vrels",    "Speed",   "Align",     "Center",   "Repel",    "Attract",  "Follow",
    "Chasers", "ChSpeed",  "ChBoost", "Upd Time",  "Grn Len",  "Grn IOT",  "Grn Ampl", "Grn Pitch",
    "Grn Pan", "Grn Src ", "Grn Dir", "Grn Delay", "Grn FdBk", "Dly Time", "Dly Pan",  "Dly FdBk",
};

// ---- The tables ---------------------------------------------------------------

const IntParamDesc kIntParams[] = {
    {Desc("VrCount", kVrCount, PendingChange), 4, 0, 200},
    {Desc("ChCount", kChCount, PendingChange), 0, 0, 20},
    {Desc("TapCount", kTapCount, PendingChange), 2, 1, 200},
    {Desc("GrnCount", kGrnCount, PendingChange), 10, 1, 200},
};

const BoolParamDesc kBoolParams[] = {
    {Desc("DelayOn", kDelayOn, PendingChange), 1},   {Desc("DTimeS", kDTimeS, PendingChange), 1},
    {Desc("GrainOn", kGrainOn, PendingChange), 1},   {Desc("GLenS", kGLenS, PendingChange), 1},
    {Desc("GIotS", kGIotS, PendingChange), 1},       {Desc("GDelayS", kGDelayS, PendingChange), 1},
    {Desc("Lfo1Mode", kLfo1Mode, PendingChange), 1}, {Desc("Lfo2Mode", kLfo2Mode, PendingChange), 1},
    {Desc("Lfo3Mode", kLfo3Mode, PendingChange), 1}, {Desc("Lfo4Mode", kLfo4Mode, PendingChange), 1},
    {Desc("DryEnabl", kDryEnabl, PendingChange), 1},
};

const EnumParamDesc kEnumParams[] = {
    // Swarm sources
    {Desc("VrCountM", kVrCountM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("VrSpeedM", kVrSpeedM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("VrCentrM", kVrCentrM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("VrAlignM", kVrAlignM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("VrRepelM", kVrRepelM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("VrComfM", kVrComfM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("VrFollwM", kVrFollwM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("ChCountM", kChCountM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("ChPepM", kChPepM, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("ChSpeedM", kChSpeedM, PendingChange), 0, kFlockSources, kSourceLabels},
    // Delay sources
    {Desc("DTimeM", kDTimeM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("DFbkM", kDFbkM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("DPanM", kDPanM, PendingChange), 0, kAllSources, kSourceLabels},
    // Grain sources and envelope
    {Desc("GLenM", kGLenM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GIotM", kGIotM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GXposeM", kGXposeM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GDelayM", kGDelayM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GSrcM", kGSrcM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GPanM", kGPanM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GAmplM", kGAmplM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("GDirM", kGDirM, PendingChange), 0, kAllSources, kSourceLabels},
    {Desc("", kGrainSpareM, IgnoreChange), 0, kAllSources, kSourceLabels},
    {Desc("GEnvelop", kGEnvelop, PendingChange), 0, 9, kEnvelopeLabels},
    {Desc("GFdbkM", kGFdbkM, PendingChange), 0, kAllSources, kSourceLabels},
    // LFO shapes
    {Desc("Lfo1Shap", kLfo1Shap, PendingChange), 0, 7, kLfoShapeLabels},
    {Desc("Lfo2Shap", kLfo2Shap, PendingChange), 0, 7, kLfoShapeLabels},
    {Desc("Lfo3Shap", kLfo3Shap, PendingChange), 0, 7, kLfoShapeLabels},
    {Desc("Lfo4Shap", kLfo4Shap, PendingChange), 0, 7, kLfoShapeLabels},
    // Matrix targets and sources
    {Desc("MxTgt1", kMxTgt1, PendingChange), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod1", kMxMod1, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("MxTgt2", kMxTgt2, PendingChange), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod2", kMxMod2, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("MxTgt3", kMxTgt3, PendingChange), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod3", kMxMod3, PendingChange), 0, kFlockSources, kSourceLabels},
    {Desc("MxTgt4", kMxTgt4, PendingChange), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod4", kMxMod4, PendingChange), 0, kFlockSources, kSourceLabels},
};

const RealParamDesc kRealParams[] = {
    // Swarm: default, min, max, step
    {Desc("VrCountD", kVrCountD, PendingChange), 0, 0, 1, 0.01},
    {Desc("VrSpeed", kVrSpeed, PendingChange), 4, 0, 20, 0.1},
    {Desc("VrSpeedD", kVrSpeedD, PendingChange), 0, 0, 1, 0.01},
    {Desc("VrCentr", kVrCentr, PendingChange), 1, 1, 99, 1},
    {Desc("VrCentrD", kVrCentrD, PendingChange), 0, 0, 1, 0.01},
    {Desc("VrAlign", kVrAlign, PendingChange), 1, 1, 100, 1},
    {Desc("VrAlignD", kVrAlignD, PendingChange), 0, 0, 1, 0.01},
    {Desc("VrRepel", kVrRepel, PendingChange), 25, 1, 99, 1},
    {Desc("VrRepelD", kVrRepelD, PendingChange), 0, 0, 1, 0.01},
    {Desc("VrComf", kVrComf, PendingChange), 50, 1, 99, 1},
    {Desc("VrComfD", kVrComfD, PendingChange), 0, 0, 1, 0.01},
    {Desc("VrFollw", kVrFollw, PendingChange), 0, 0, 100, 1},
    {Desc("VrFollwD", kVrFollwD, PendingChange), 0, 0, 1, 0.01},
    {Desc("ChCountD", kChCountD, PendingChange), 0, 0, 1, 0.01},
    {Desc("ChPep", kChPep, PendingChange), 1, 0, 20, 0.1},
    {Desc("ChPepD", kChPepD, PendingChange), 0, 0, 1, 0.01},
    {Desc("ChSpeed", kChSpeed, PendingChange), 1, 0, 20, 0.1},
    {Desc("ChSpeedD", kChSpeedD, PendingChange), 0, 0, 1, 0.01},
    {Desc("UpdTime", kUpdTime, PendingChange), 1, 0.1, 10, 0.01},
    // Delay (times in ms)
    {Desc("DTime", kDTime, PendingChange), 100, 10, 500, 1},
    {Desc("DTimeD", kDTimeD, PendingChange), 0, 0, 1, 0.01},
    {Desc("DSmooth", kDSmooth, PendingChange), 0.9, 0, 0.999999, 0.005},
    {Desc("DFbk", kDFbk, PendingChange), 0, 0, 1, 0.01},
    {Desc("DFbkD", kDFbkD, PendingChange), 0, 0, 1, 0.01},
    {Desc("DPan", kDPan, PendingChange), 0.5, 0, 1, 0.01},
    {Desc("DPanD", kDPanD, PendingChange), 0, 0, 1, 0.01},
    {Desc("DLpf", kDLpf, PendingChange), 1, 0, 1, 0.01},
    // Grains (times in ms). GSrc and GPan are continuous; their step of 1 only
    // sets the host display precision.
    {Desc("GLen", kGLen, PendingChange), 30, 0.1, 100, 0.1},
    {Desc("GLenD", kGLenD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GIot", kGIot, PendingChange), 35, 0, 100, 0.1},
    {Desc("GIotD", kGIotD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GXpose", kGXpose, PendingChange), 1, 0.1, 2, 0.01},
    {Desc("GXposeD", kGXposeD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GDelay", kGDelay, PendingChange), 0, 0, 500, 0.1},
    {Desc("GDelayD", kGDelayD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GSrc", kGSrc, PendingChange), 1, 0, 1, 1},
    {Desc("GSrcD", kGSrcD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GPan", kGPan, PendingChange), 0.5, 0, 1, 1},
    {Desc("GPanD", kGPanD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GAmpl", kGAmpl, PendingChange), 1, 0, 1, 0.01},
    {Desc("GAmplD", kGAmplD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GDir", kGDir, PendingChange), 0, 0, 1, 0.01},
    {Desc("GDirD", kGDirD, PendingChange), 0, 0, 1, 0.01},
    {Desc("", kGrainSpare, IgnoreChange), 0, 0, 1, 0.1},
    {Desc("", kGrainSpareD, IgnoreChange), 0, 0, 1, 0.01},
    {Desc("GEnvSkew", kGEnvSkew, PendingChange), 0.5, 0, 1, 0.01},
    {Desc("GFdbk", kGFdbk, PendingChange), 0, 0, 1, 0.01},
    {Desc("GFdbkD", kGFdbkD, PendingChange), 0, 0, 1, 0.01},
    {Desc("GHpf", kGHpf, PendingChange), 0, 0, 1, 0.01},
    {Desc("GLpf", kGLpf, PendingChange), 1, 0, 1, 0.01},
    // LFOs (rates in Hz)
    {Desc("Lfo1Rate", kLfo1Rate, PendingChange), 1, 0.01, 5, 0.01},
    {Desc("Lfo1Skew", kLfo1Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo1Dpth", kLfo1Dpth, PendingChange), 1, 0, 1, 0.01},
    {Desc("Lfo2Rate", kLfo2Rate, PendingChange), 1, 0.01, 5, 0.01},
    {Desc("Lfo2Skew", kLfo2Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo2Dpth", kLfo2Dpth, PendingChange), 1, 0, 1, 0.01},
    {Desc("Lfo3Rate", kLfo3Rate, PendingChange), 1, 0.01, 5, 0.01},
    {Desc("Lfo3Skew", kLfo3Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo3Dpth", kLfo3Dpth, PendingChange), 1, 0, 1, 0.01},
    {Desc("Lfo4Rate", kLfo4Rate, PendingChange), 1, 0.01, 5, 0.01},
    {Desc("Lfo4Skew", kLfo4Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo4Dpth", kLfo4Dpth, PendingChange), 1, 0, 1, 0.01},
    // Matrix depths
    {Desc("MxDph1", kMxDph1, PendingChange), 0, 0, 1, 0.01},
    {Desc("MxDph2", kMxDph2, PendingChange), 0, 0, 1, 0.01},
    {Desc("MxDph3", kMxDph3, PendingChange), 0, 0, 1, 0.01},
    {Desc("MxDph4", kMxDph4, PendingChange), 0, 0, 1, 0.01},
    // Mixer gains (dB; -120 is silence)
    {Desc("DryOut", kDryOut, PendingChange), 0, -120, 24, 0.01},
    {Desc("DelayOut", kDelayOut, PendingChange), 0, -120, 24, 0.01},
    {Desc("GrainOut", kGrainOut, PendingChange), 0, -120, 24, 0.01},
    {Desc("Grn2Dly", kGrn2Dly, PendingChange), 0, -120, 24, 0.01},
    {Desc("Dry2Dly", kDry2Dly, PendingChange), 0, -120, 24, 0.01},
    // Flock area bounds, fractions of the field width and height
    {Desc("BoundL", kBoundL, PendingChange), 0, 0, 1, 0.01},
    {Desc("BoundT", kBoundT, PendingChange), 0, 0, 1, 0.01},
    {Desc("BoundR", kBoundR, PendingChange), 1, 0, 1, 0.01},
    {Desc("BoundB", kBoundB, PendingChange), 1, 0, 1, 0.01},
};

// Buttons: the panic button and the preset save and load buttons.
const TriggerParamDesc kTriggerParams[] = {
    {Desc("Panic", kPanic, PendingChange)},
    {Desc("", kSavePreset, PendingChange)},
    {Desc("", kLoadPreset, PendingChange)},
};

template <typename T, int N>
constexpr int Count(const T (&)[N]) {
  return N;
}

static_assert(Count(kIntParams) == 4, "integer table");
static_assert(Count(kBoolParams) == 11, "boolean table");
static_assert(Count(kEnumParams) == 36, "enumerated table");
static_assert(Count(kRealParams) == 75, "real table");
static_assert(Count(kTriggerParams) == 3, "trigger table");

void Register(const ParamChangeDesc* pDesc, const ParamChangeDesc** mpParamChangeDesc) {
  VRELS_ASSERT(pDesc->mParamIdx >= 0 && pDesc->mParamIdx < NUM_PARAMS);
  // The assertion's text is quoted as written.
  // clang-format off
  VRELS_ASSERT(mpParamChangeDesc[ pDesc->mParamIdx ] == 0);
  // clang-format on
  mpParamChangeDesc[pDesc->mParamIdx] = pDesc;
}

}  // namespace

const ModSlotDesc kModSlots[NUM_MOD_SLOTS] = {
    {kVrCount, kDisplayCount},  // 0
    {kVrSpeed, kDisplayPlain},  // 1
    {kVrAlign, kDisplayPlain},  // 2
    {kVrCentr, kDisplayPlain},  // 3
    {kVrRepel, kDisplayPlain},  // 4
    {kVrComf, kDisplayPlain},   // 5
    {kVrFollw, kDisplayPlain},  // 6
    {kChCount, kDisplayCount},  // 7
    {kChSpeed, kDisplayPlain},  // 8
    {kChPep, kDisplayPlain},    // 9
    {kUpdTime, kDisplayPlain},  // 10
    {kGLen, kDisplayMsec},      // 11
    {kGIot, kDisplayMsec},      // 12
    {kGAmpl, kDisplayPlain},    // 13
    {kGXpose, kDisplayPlain},   // 14
    {kGPan, kDisplayPan},       // 15
    {kGSrc, kDisplayPlain},     // 16
    {kGDir, kDisplayPlain},     // 17
    {kGDelay, kDisplayMsec},    // 18
    {kGFdbk, kDisplayPercent},  // 19
    {kDTime, kDisplayMsec},     // 20
    {kDPan, kDisplayPan},       // 21
    {kDFbk, kDisplayPercent},   // 22
};

void BuildParameterSet(IPlugBase* plug, const ParamChangeDesc** dispatch) {
  for (int i = 0; i < NUM_APPENDED_PARAMS; ++i) plug->AppendParam();
  for (int i = 0; i < NUM_PARAMS; ++i) dispatch[i] = nullptr;

  // A record that could not be appended (out of memory) stays missing; its
  // entry is still registered and its changes find no parameter.
  for (const IntParamDesc& e : kIntParams) {
    if (IParameter* p = plug->GetParam(e.mDesc.mParamIdx)) {
      p->InitAsInt(e.mDesc.mName, e.mDefault, e.mMin, e.mMax, e.mDesc.mLabel);
    }
    Register(&e.mDesc, dispatch);
  }
  for (const BoolParamDesc& e : kBoolParams) {
    if (IParameter* p = plug->GetParam(e.mDesc.mParamIdx)) p->InitAsBool(e.mDesc.mName, e.mDefault != 0);
    Register(&e.mDesc, dispatch);
  }
  for (const EnumParamDesc& e : kEnumParams) {
    if (IParameter* p = plug->GetParam(e.mDesc.mParamIdx)) {
      p->InitAsEnum(e.mDesc.mName, e.mDefault, e.mCount);
      for (int v = 0; v < e.mCount; ++v) p->AddDisplayText(v, e.mpLabels[v]);
    }
    Register(&e.mDesc, dispatch);
  }
  for (const RealParamDesc& e : kRealParams) {
    if (IParameter* p = plug->GetParam(e.mDesc.mParamIdx)) {
      p->InitAsReal(e.mDesc.mName, e.mDefault, e.mMin, e.mMax, e.mStep, e.mDesc.mLabel);
    }
    Register(&e.mDesc, dispatch);
  }
  for (const TriggerParamDesc& e : kTriggerParams) {
    if (IParameter* p = plug->GetParam(e.mDesc.mParamIdx))
      p->InitAsReal(e.mDesc.mName, 0, 0, 1, 1, e.mDesc.mLabel);
    Register(&e.mDesc, dispatch);
  }
}
