#include "params/ParameterTable.h"

#include "Assert.h"
#include "IParameter.h"
#include "IPlugBase.h"
#include "params/ParamHandlers.h"

namespace {

// ---- Change handlers --------------------------------------------------------

// For parameters that act on nothing: the spare grain records and the LFO
// skews, which are stored but read by no LFO.
void IgnoreChange(VrelsPlugin*, const ParamChangeDesc*, double) {}

constexpr ParamChangeDesc Desc(const char* name, int paramIdx, ParamChangeHandler handler) {
  return ParamChangeDesc{name, "", paramIdx, handler};
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
    {Desc("VrCount", kVrCount, ParamHandlers::VrelCount), 4, 0, 200},
    {Desc("ChCount", kChCount, ParamHandlers::Base), 0, 0, 20},
    {Desc("TapCount", kTapCount, ParamHandlers::TapCount), 2, 1, 200},
    {Desc("GrnCount", kGrnCount, ParamHandlers::GrainCount), 10, 1, 200},
};

const BoolParamDesc kBoolParams[] = {
    {Desc("DelayOn", kDelayOn, ParamHandlers::DelayOn), 1},
    {Desc("DTimeS", kDTimeS, ParamHandlers::Sync), 1},
    {Desc("GrainOn", kGrainOn, ParamHandlers::GrainOn), 1},
    {Desc("GLenS", kGLenS, ParamHandlers::Sync), 1},
    {Desc("GIotS", kGIotS, ParamHandlers::Sync), 1},
    {Desc("GDelayS", kGDelayS, ParamHandlers::Sync), 1},
    {Desc("Lfo1Mode", kLfo1Mode, ParamHandlers::LfoMode), 1},
    {Desc("Lfo2Mode", kLfo2Mode, ParamHandlers::LfoMode), 1},
    {Desc("Lfo3Mode", kLfo3Mode, ParamHandlers::LfoMode), 1},
    {Desc("Lfo4Mode", kLfo4Mode, ParamHandlers::LfoMode), 1},
    {Desc("DryEnabl", kDryEnabl, ParamHandlers::DryEnable), 1},
};

const EnumParamDesc kEnumParams[] = {
    // Swarm sources
    {Desc("VrCountM", kVrCountM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("VrSpeedM", kVrSpeedM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("VrCentrM", kVrCentrM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("VrAlignM", kVrAlignM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("VrRepelM", kVrRepelM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("VrComfM", kVrComfM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("VrFollwM", kVrFollwM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("ChCountM", kChCountM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("ChPepM", kChPepM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    {Desc("ChSpeedM", kChSpeedM, ParamHandlers::Source), 0, kFlockSources, kSourceLabels},
    // Delay sources
    {Desc("DTimeM", kDTimeM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("DFbkM", kDFbkM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("DPanM", kDPanM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    // Grain sources and envelope
    {Desc("GLenM", kGLenM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GIotM", kGIotM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GXposeM", kGXposeM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GDelayM", kGDelayM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GSrcM", kGSrcM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GPanM", kGPanM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GAmplM", kGAmplM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("GDirM", kGDirM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    {Desc("", kGrainSpareM, IgnoreChange), 0, kAllSources, kSourceLabels},
    {Desc("GEnvelop", kGEnvelop, ParamHandlers::Envelope), 0, 9, kEnvelopeLabels},
    {Desc("GFdbkM", kGFdbkM, ParamHandlers::Source), 0, kAllSources, kSourceLabels},
    // LFO shapes
    {Desc("Lfo1Shap", kLfo1Shap, ParamHandlers::LfoShape), 0, 7, kLfoShapeLabels},
    {Desc("Lfo2Shap", kLfo2Shap, ParamHandlers::LfoShape), 0, 7, kLfoShapeLabels},
    {Desc("Lfo3Shap", kLfo3Shap, ParamHandlers::LfoShape), 0, 7, kLfoShapeLabels},
    {Desc("Lfo4Shap", kLfo4Shap, ParamHandlers::LfoShape), 0, 7, kLfoShapeLabels},
    // Matrix targets and sources
    {Desc("MxTgt1", kMxTgt1, ParamHandlers::MatrixTarget), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod1", kMxMod1, ParamHandlers::MatrixSource), 0, kFlockSources, kSourceLabels},
    {Desc("MxTgt2", kMxTgt2, ParamHandlers::MatrixTarget), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod2", kMxMod2, ParamHandlers::MatrixSource), 0, kFlockSources, kSourceLabels},
    {Desc("MxTgt3", kMxTgt3, ParamHandlers::MatrixTarget), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod3", kMxMod3, ParamHandlers::MatrixSource), 0, kFlockSources, kSourceLabels},
    {Desc("MxTgt4", kMxTgt4, ParamHandlers::MatrixTarget), 0, 24, kMatrixTargetLabels},
    {Desc("MxMod4", kMxMod4, ParamHandlers::MatrixSource), 0, kFlockSources, kSourceLabels},
};

const RealParamDesc kRealParams[] = {
    // Swarm: default, min, max, step
    {Desc("VrCountD", kVrCountD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("VrSpeed", kVrSpeed, ParamHandlers::Base), 4, 0, 20, 0.1},
    {Desc("VrSpeedD", kVrSpeedD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("VrCentr", kVrCentr, ParamHandlers::Base), 1, 1, 99, 1},
    {Desc("VrCentrD", kVrCentrD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("VrAlign", kVrAlign, ParamHandlers::Base), 1, 1, 100, 1},
    {Desc("VrAlignD", kVrAlignD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("VrRepel", kVrRepel, ParamHandlers::Base), 25, 1, 99, 1},
    {Desc("VrRepelD", kVrRepelD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("VrComf", kVrComf, ParamHandlers::Base), 50, 1, 99, 1},
    {Desc("VrComfD", kVrComfD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("VrFollw", kVrFollw, ParamHandlers::Base), 0, 0, 100, 1},
    {Desc("VrFollwD", kVrFollwD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("ChCountD", kChCountD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("ChPep", kChPep, ParamHandlers::Base), 1, 0, 20, 0.1},
    {Desc("ChPepD", kChPepD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("ChSpeed", kChSpeed, ParamHandlers::Base), 1, 0, 20, 0.1},
    {Desc("ChSpeedD", kChSpeedD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("UpdTime", kUpdTime, ParamHandlers::UpdateTime), 1, 0.1, 10, 0.01},
    // Delay (times in ms)
    {Desc("DTime", kDTime, ParamHandlers::TimedBase), 100, 10, 500, 1},
    {Desc("DTimeD", kDTimeD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("DSmooth", kDSmooth, ParamHandlers::DelaySmoothing), 0.9, 0, 0.999999, 0.005},
    {Desc("DFbk", kDFbk, ParamHandlers::Base), 0, 0, 1, 0.01},
    {Desc("DFbkD", kDFbkD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("DPan", kDPan, ParamHandlers::Base), 0.5, 0, 1, 0.01},
    {Desc("DPanD", kDPanD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("DLpf", kDLpf, ParamHandlers::Filter), 1, 0, 1, 0.01},
    // Grains (times in ms). GSrc and GPan are continuous; their step of 1 only
    // sets the host display precision.
    {Desc("GLen", kGLen, ParamHandlers::TimedBase), 30, 0.1, 100, 0.1},
    {Desc("GLenD", kGLenD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GIot", kGIot, ParamHandlers::TimedBase), 35, 0, 100, 0.1},
    {Desc("GIotD", kGIotD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GXpose", kGXpose, ParamHandlers::Base), 1, 0.1, 2, 0.01},
    {Desc("GXposeD", kGXposeD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GDelay", kGDelay, ParamHandlers::TimedBase), 0, 0, 500, 0.1},
    {Desc("GDelayD", kGDelayD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GSrc", kGSrc, ParamHandlers::Base), 1, 0, 1, 1},
    {Desc("GSrcD", kGSrcD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GPan", kGPan, ParamHandlers::Base), 0.5, 0, 1, 1},
    {Desc("GPanD", kGPanD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GAmpl", kGAmpl, ParamHandlers::Base), 1, 0, 1, 0.01},
    {Desc("GAmplD", kGAmplD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GDir", kGDir, ParamHandlers::Base), 0, 0, 1, 0.01},
    {Desc("GDirD", kGDirD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("", kGrainSpare, IgnoreChange), 0, 0, 1, 0.1},
    {Desc("", kGrainSpareD, IgnoreChange), 0, 0, 1, 0.01},
    {Desc("GEnvSkew", kGEnvSkew, ParamHandlers::Envelope), 0.5, 0, 1, 0.01},
    {Desc("GFdbk", kGFdbk, ParamHandlers::Base), 0, 0, 1, 0.01},
    {Desc("GFdbkD", kGFdbkD, ParamHandlers::Depth), 0, 0, 1, 0.01},
    {Desc("GHpf", kGHpf, ParamHandlers::Filter), 0, 0, 1, 0.01},
    {Desc("GLpf", kGLpf, ParamHandlers::Filter), 1, 0, 1, 0.01},
    // LFOs (rates in Hz)
    {Desc("Lfo1Rate", kLfo1Rate, ParamHandlers::LfoRate), 1, 0.01, 5, 0.01},
    {Desc("Lfo1Skew", kLfo1Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo1Dpth", kLfo1Dpth, ParamHandlers::LfoDepth), 1, 0, 1, 0.01},
    {Desc("Lfo2Rate", kLfo2Rate, ParamHandlers::LfoRate), 1, 0.01, 5, 0.01},
    {Desc("Lfo2Skew", kLfo2Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo2Dpth", kLfo2Dpth, ParamHandlers::LfoDepth), 1, 0, 1, 0.01},
    {Desc("Lfo3Rate", kLfo3Rate, ParamHandlers::LfoRate), 1, 0.01, 5, 0.01},
    {Desc("Lfo3Skew", kLfo3Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo3Dpth", kLfo3Dpth, ParamHandlers::LfoDepth), 1, 0, 1, 0.01},
    {Desc("Lfo4Rate", kLfo4Rate, ParamHandlers::LfoRate), 1, 0.01, 5, 0.01},
    {Desc("Lfo4Skew", kLfo4Skew, IgnoreChange), 0.5, 0, 1, 0.01},
    {Desc("Lfo4Dpth", kLfo4Dpth, ParamHandlers::LfoDepth), 1, 0, 1, 0.01},
    // Matrix depths
    {Desc("MxDph1", kMxDph1, ParamHandlers::MatrixDepth), 0, 0, 1, 0.01},
    {Desc("MxDph2", kMxDph2, ParamHandlers::MatrixDepth), 0, 0, 1, 0.01},
    {Desc("MxDph3", kMxDph3, ParamHandlers::MatrixDepth), 0, 0, 1, 0.01},
    {Desc("MxDph4", kMxDph4, ParamHandlers::MatrixDepth), 0, 0, 1, 0.01},
    // Mixer gains (dB; -120 is silence)
    {Desc("DryOut", kDryOut, ParamHandlers::Gain), 0, -120, 24, 0.01},
    {Desc("DelayOut", kDelayOut, ParamHandlers::Gain), 0, -120, 24, 0.01},
    {Desc("GrainOut", kGrainOut, ParamHandlers::Gain), 0, -120, 24, 0.01},
    {Desc("Grn2Dly", kGrn2Dly, ParamHandlers::Gain), 0, -120, 24, 0.01},
    {Desc("Dry2Dly", kDry2Dly, ParamHandlers::Gain), 0, -120, 24, 0.01},
    // Flock area bounds, fractions of the field width and height
    {Desc("BoundL", kBoundL, ParamHandlers::Bound), 0, 0, 1, 0.01},
    {Desc("BoundT", kBoundT, ParamHandlers::Bound), 0, 0, 1, 0.01},
    {Desc("BoundR", kBoundR, ParamHandlers::Bound), 1, 0, 1, 0.01},
    {Desc("BoundB", kBoundB, ParamHandlers::Bound), 1, 0, 1, 0.01},
};

// Buttons: the panic button and the preset save and load buttons.
const TriggerParamDesc kTriggerParams[] = {
    {Desc("Panic", kPanic, ParamHandlers::Panic)},
    {Desc("", kSavePreset, ParamHandlers::SavePreset)},
    {Desc("", kLoadPreset, ParamHandlers::LoadPreset)},
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
