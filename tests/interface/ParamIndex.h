// Indices of the host-visible parameters the audio tests set, as a host
// addresses them. Values are set through program chunks in plain units.
#pragma once

#include <cstdint>

namespace interfacetest {

enum ParamIndex : int32_t {
  kVrCount = 0,
  kVrSpeed = 3,
  kChCount = 21,
  kUpdTime = 30,
  kDelayOn = 31,
  kTapCount = 32,
  kDTime = 33,
  kDTimeM = 34,
  kDTimeD = 35,
  kDTimeS = 36,
  kDSmooth = 37,
  kDFbk = 38,
  kDFbkM = 39,
  kDFbkD = 40,
  kDPan = 41,
  kDPanM = 42,
  kDPanD = 43,
  kDLpf = 44,
  kGrainOn = 45,
  kGrnCount = 46,
  kGLen = 47,
  kGLenM = 48,
  kGLenD = 49,
  kGLenS = 50,
  kGIot = 51,
  kGIotS = 54,
  kGXpose = 55,
  kGXposeM = 56,
  kGXposeD = 57,
  kGDelay = 58,
  kGDelayS = 61,
  kGSrc = 62,
  kGSrcM = 63,
  kGSrcD = 64,
  kGPan = 65,
  kGPanM = 66,
  kGPanD = 67,
  kGAmpl = 68,
  kGDir = 71,
  kGDirM = 72,
  kGDirD = 73,
  kGEnvelop = 77,
  kGFdbk = 79,
  kGFdbkM = 80,
  kGFdbkD = 81,
  kGHpf = 82,
  kGLpf = 83,
  kLfo1Shap = 84,
  kLfo1Rate = 85,
  kLfo2Shap = 89,
  kLfo2Rate = 90,
  kLfo3Rate = 95,
  kMxTgt1 = 124,
  kMxMod1 = 125,
  kMxDph1 = 126,
  kMxTgt2 = 127,
  kMxMod2 = 128,
  kMxDph2 = 129,
  kDryOut = 136,
  kDelayOut = 137,
  kGrainOut = 138,
  kGrn2Dly = 139,
  kDry2Dly = 140,
  kDryEnabl = 141,
  kPanic = 142,
  kMxTgt3 = 130,
  kMxMod3 = 131,
  kMxDph3 = 132,
};

// Modulation sources, as the source parameters number them.
enum SourceIndex {
  kSourceLfo1 = 1,
  kSourceLfo2 = 2,
  kSourceLfo3 = 3,
  kSourceLfo4 = 4,
  kSourceRandom = 5,
  kSourceVrelX = 6,
  kSourceVrelY = 7,
  kSourceVrelR = 8,
  kSourceVrelIndex = 12,
};

// Entries of a matrix target menu (MxTgt1..4), as a host sees them: 0 is
// "---", then the modulated parameters.
enum MatrixTarget {
  kTargetVrSpeed = 2,
  kTargetDTime = 21,
};

// Grain envelope choices.
const int kEnvelopeGaussian = 1;
const int kEnvelopeRectangle = 5;

}  // namespace interfacetest
