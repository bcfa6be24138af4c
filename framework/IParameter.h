// One automatable value of the plug-in, kept in its own units (the real
// value). The record knows its range, step, kind and normalisation shape,
// converts to and from the normalised 0..1 range that hosts and editor
// controls use, and formats its value as display text.
//
// Records are owned by IPlugBase and accessed under the instance mutex.
#pragma once

#include <cstdint>

#include "ByteBuffer.h"

enum ParamType : std::int32_t { ParamNone = 0, ParamBool = 1, ParamInt = 2, ParamEnum = 3, ParamDouble = 4 };

const int MAX_PARAM_NAME_LEN = 32;
const int MAX_PARAM_LABEL_LEN = 32;
const int MAX_PARAM_DISPLAY_LEN = 32;

struct DisplayText {
  std::int32_t mValue;
  char mText[MAX_PARAM_DISPLAY_LEN];
};

class IParameter {
 public:
  IParameter();

  void InitAsReal(const char* name, double defaultValue, double min, double max, double step,
                  const char* label = "");
  void InitAsInt(const char* name, int defaultValue, int min, int max, const char* label = "");
  void InitAsEnum(const char* name, int defaultValue, int count);
  void InitAsBool(const char* name, bool defaultValue);
  void SetShape(double shape) { mShape = shape; }

  void AddDisplayText(int value, const char* text);
  int DisplayTextCount() const;
  // Text of the first entry with that value; empty when there is none.
  const char* DisplayTextFor(int value) const;
  // The value of the first entry whose text equals the given text exactly.
  bool LookUpDisplayText(const char* text, int* value) const;

  ParamType Type() const { return mType; }
  const char* Name() const { return mName; }
  const char* Label() const { return mLabel; }
  double Value() const { return mValue; }
  double Min() const { return mMin; }
  double Max() const { return mMax; }
  double Step() const { return mStep; }
  double Shape() const { return mShape; }
  int Precision() const { return mPrecision; }
  void Bounds(double* min, double* max) const;

  // Writes a real value directly (state restore): clamped into the range,
  // not-a-number becomes the minimum.
  void SetClamped(double value);
  // Writes the value as given, unclamped (plug-in code and defaults).
  void Set(double value) { mValue = value; }

  // From normalised: shaped, quantised to the step for the non-real kinds,
  // limited to the maximum.
  void SetFromNormalized(double normalized);
  double ToNormalized(double value) const;
  double CurrentNormalized() const { return ToNormalized(mValue); }

  // Display text for a value (real or normalised) into a buffer of
  // MAX_PARAM_DISPLAY_LEN bytes.
  void FormatForHost(double value, bool normalized, char* buffer) const;

  // The real value a typed text stands for, as a text entry commits it:
  // with display texts, the value of the matching text (0 when none
  // matches); otherwise the number the text starts with (0 when it is not
  // a number; ParseNumberText), negated back for a negated display. Not
  // limited: the control that takes it clamps the normalised value.
  double ValueFromText(const char* text) const;

  void SetNegatedDisplay(bool negated) { mNegatedDisplay = negated; }

 private:
  const DisplayText* Texts() const { return reinterpret_cast<const DisplayText*>(mDisplayTexts.Data()); }

  ParamType mType = ParamNone;
  double mValue = 0.0;
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mShape = 1.0;
  std::int32_t mPrecision = 0;
  char mName[MAX_PARAM_NAME_LEN] = {};
  char mLabel[MAX_PARAM_LABEL_LEN] = {};
  bool mNegatedDisplay = false;
  ByteBuffer mDisplayTexts;
};
