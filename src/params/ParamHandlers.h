// The change handlers of the parameter table: each turns a parameter's new
// plain value into engine settings. Called by VrelsPlugin::OnParamChanged
// under the instance mutex, from whichever thread changed the parameter.
#pragma once

#include "params/ParamChangeDesc.h"

struct ParamHandlers {
  // Modulated parameters: the knob, its source, its depth, its tempo sync.
  static void Base(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void TimedBase(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void VrelCount(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Source(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Depth(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Sync(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);

  // Settings written directly.
  static void UpdateTime(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void DelayOn(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void GrainOn(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void DryEnable(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void TapCount(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void GrainCount(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void DelaySmoothing(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Filter(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Gain(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Envelope(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Bound(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void Panic(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  // The Save and Load triggers: back to 0, then, when pressed, the preset
  // file at the plug-in's preset path is written or read.
  static void SavePreset(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void LoadPreset(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);

  // The four LFOs.
  static void LfoShape(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void LfoRate(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void LfoMode(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void LfoDepth(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);

  // The four matrix slots.
  static void MatrixTarget(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void MatrixSource(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
  static void MatrixDepth(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);
};
