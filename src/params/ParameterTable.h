// The plug-in's parameter set: the index of every parameter, the modulation
// slots of the 23 modulatable parameters, and the construction walk over the
// constant declaration tables (ParameterTable.cpp).
//
// Indices 0..174 are announced to the host and stored in state chunks;
// 175..188 are appended by the plug-in and never seen by the host. Indices
// without a name below stay default records and act on nothing.
#pragma once

#include "params/ParamChangeDesc.h"

class IPlugBase;

const int NUM_PARAMS = 189;
const int NUM_APPENDED_PARAMS = 14;
const int NUM_MOD_SLOTS = 23;

// clang-format off
enum ParamIdx {
  // Swarm
  kVrCount = 0, kVrCountM, kVrCountD,
  kVrSpeed, kVrSpeedM, kVrSpeedD,
  kVrCentr, kVrCentrM, kVrCentrD,
  kVrAlign, kVrAlignM, kVrAlignD,
  kVrRepel, kVrRepelM, kVrRepelD,
  kVrComf, kVrComfM, kVrComfD,
  kVrFollw, kVrFollwM, kVrFollwD,
  kChCount, kChCountM, kChCountD,
  kChPep, kChPepM, kChPepD,
  kChSpeed, kChSpeedM, kChSpeedD,
  kUpdTime,
  // Delay
  kDelayOn = 31, kTapCount,
  kDTime, kDTimeM, kDTimeD, kDTimeS,
  kDSmooth,
  kDFbk, kDFbkM, kDFbkD,
  kDPan, kDPanM, kDPanD,
  kDLpf,
  // Grains
  kGrainOn = 45, kGrnCount,
  kGLen, kGLenM, kGLenD, kGLenS,
  kGIot, kGIotM, kGIotD, kGIotS,
  kGXpose, kGXposeM, kGXposeD,
  kGDelay, kGDelayM, kGDelayD, kGDelayS,
  kGSrc, kGSrcM, kGSrcD,
  kGPan, kGPanM, kGPanD,
  kGAmpl, kGAmplM, kGAmplD,
  kGDir, kGDirM, kGDirD,
  kGrainSpare, kGrainSpareM, kGrainSpareD,  // unnamed, host-visible, act on nothing
  kGEnvelop, kGEnvSkew,
  kGFdbk, kGFdbkM, kGFdbkD,
  kGHpf, kGLpf,
  // LFOs: LFO n (0..3) starts at kLfo1Shap + n * kLfoParamStride
  kLfo1Shap = 84, kLfo1Rate, kLfo1Skew, kLfo1Mode, kLfo1Dpth,
  kLfo2Shap, kLfo2Rate, kLfo2Skew, kLfo2Mode, kLfo2Dpth,
  kLfo3Shap, kLfo3Rate, kLfo3Skew, kLfo3Mode, kLfo3Dpth,
  kLfo4Shap, kLfo4Rate, kLfo4Skew, kLfo4Mode, kLfo4Dpth,
  // Modulation matrix: slot n (0..3) starts at kMxTgt1 + n * kMatrixParamStride
  kMxTgt1 = 124, kMxMod1, kMxDph1,
  kMxTgt2, kMxMod2, kMxDph2,
  kMxTgt3, kMxMod3, kMxDph3,
  kMxTgt4, kMxMod4, kMxDph4,
  // Mixer
  kDryOut = 136, kDelayOut, kGrainOut, kGrn2Dly, kDry2Dly, kDryEnabl,
  kPanic,
  // Appended, never seen by the host
  kSavePreset = 175, kLoadPreset,
  kBoundL, kBoundT, kBoundR, kBoundB,
};
// clang-format on

const int kLfoParamStride = 5;
const int kMatrixParamStride = 3;

// How the message line shows a modulated parameter's values.
enum DisplayKind {
  kDisplayPlain = 0,
  kDisplayCount = 1,
  kDisplayPercent = 2,
  kDisplayPan = 3,
  kDisplayMsec = 4
};

// The 23 modulation slots, one per modulated parameter, in the order of the
// matrix targets 1..23 (a target value k names slot k - 1).
enum ModSlot {
  kSlotVrCount = 0,
  kSlotVrSpeed,
  kSlotVrAlign,
  kSlotVrCentr,
  kSlotVrRepel,
  kSlotVrComf,
  kSlotVrFollw,
  kSlotChCount,
  kSlotChSpeed,
  kSlotChPep,
  kSlotUpdTime,
  kSlotGLen,
  kSlotGIot,
  kSlotGAmpl,
  kSlotGXpose,
  kSlotGPan,
  kSlotGSrc,
  kSlotGDir,
  kSlotGDelay,
  kSlotGFdbk,
  kSlotDTime,
  kSlotDPan,
  kSlotDFbk,
};
static_assert(kSlotDFbk + 1 == NUM_MOD_SLOTS, "one slot per modulated parameter");

// A modulation slot: the base parameter it belongs to and its display kind.
// The base's source and depth parameters follow it at +1 and +2, except for
// UpdTime, which has neither and is reached only through the matrix.
struct ModSlotDesc {
  ModSlot mSlot;
  int mParamIdx;
  DisplayKind mDisplayKind;
};

// In slot order; each row names its slot, so that the check below ties
// every slot name to its parameter at compile time.
constexpr ModSlotDesc kModSlots[NUM_MOD_SLOTS] = {
    {kSlotVrCount, kVrCount, kDisplayCount}, {kSlotVrSpeed, kVrSpeed, kDisplayPlain},
    {kSlotVrAlign, kVrAlign, kDisplayPlain}, {kSlotVrCentr, kVrCentr, kDisplayPlain},
    {kSlotVrRepel, kVrRepel, kDisplayPlain}, {kSlotVrComf, kVrComf, kDisplayPlain},
    {kSlotVrFollw, kVrFollw, kDisplayPlain}, {kSlotChCount, kChCount, kDisplayCount},
    {kSlotChSpeed, kChSpeed, kDisplayPlain}, {kSlotChPep, kChPep, kDisplayPlain},
    {kSlotUpdTime, kUpdTime, kDisplayPlain}, {kSlotGLen, kGLen, kDisplayMsec},
    {kSlotGIot, kGIot, kDisplayMsec},        {kSlotGAmpl, kGAmpl, kDisplayPlain},
    {kSlotGXpose, kGXpose, kDisplayPlain},   {kSlotGPan, kGPan, kDisplayPan},
    {kSlotGSrc, kGSrc, kDisplayPlain},       {kSlotGDir, kGDir, kDisplayPlain},
    {kSlotGDelay, kGDelay, kDisplayMsec},    {kSlotGFdbk, kGFdbk, kDisplayPercent},
    {kSlotDTime, kDTime, kDisplayMsec},      {kSlotDPan, kDPan, kDisplayPan},
    {kSlotDFbk, kDFbk, kDisplayPercent},
};

constexpr bool ModSlotsInOrder() {
  for (int slot = 0; slot < NUM_MOD_SLOTS; ++slot) {
    if (kModSlots[slot].mSlot != slot) return false;
  }
  return true;
}
static_assert(ModSlotsInOrder(), "kModSlots lists the slots in the order of ModSlot");

// The slot of a modulated parameter's base, or -1 for a parameter without one.
constexpr int ModSlotOf(int baseParamIdx) {
  for (int slot = 0; slot < NUM_MOD_SLOTS; ++slot) {
    if (kModSlots[slot].mParamIdx == baseParamIdx) return slot;
  }
  return -1;
}

// Construction of the parameter set, once, on a base built with the 175
// host-visible records: appends the 14 internal records, clears the dispatch
// table (NUM_PARAMS entries), then initialises every declared parameter from
// the integer, boolean, enumerated, real and trigger tables in that order and
// registers its record in the dispatch table. Calls no change handler.
void BuildParameterSet(IPlugBase* plug, const ParamChangeDesc** dispatch);
