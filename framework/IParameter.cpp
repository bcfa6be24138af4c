#include "IParameter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "TextCopy.h"
#include "TextFormat.h"
#include "TextParse.h"

using vrels::CopyText;

namespace {
const int kMaxPrecision = 6;
// Display-text tables are small; grow them a few entries at a time.
const std::size_t kDisplayTextGranularity = sizeof(DisplayText) * 8;

// Truncation toward zero into an int, safe for any double.
bool TruncateToInt(double x, int* result) {
  if (!(x > -2147483649.0 && x < 2147483648.0)) return false;
  *result = static_cast<int>(x);
  return true;
}
}  // namespace

IParameter::IParameter() : mDisplayTexts(kDisplayTextGranularity) {}

void IParameter::InitAsReal(const char* name, double defaultValue, double min, double max, double step,
                            const char* label) {
  if (mType == ParamNone) mType = ParamDouble;
  CopyText(mName, name);
  CopyText(mLabel, label);
  mValue = defaultValue;
  mMin = min;
  mMax = std::max(max, min + step);
  mStep = step;
  mPrecision = 0;
  for (double s = step; s != std::floor(s) && mPrecision < kMaxPrecision; s *= 10.0) ++mPrecision;
}

void IParameter::InitAsInt(const char* name, int defaultValue, int min, int max, const char* label) {
  if (mType == ParamNone) mType = ParamInt;
  InitAsReal(name, defaultValue, min, max, 1.0, label);
}

void IParameter::InitAsEnum(const char* name, int defaultValue, int count) {
  if (mType == ParamNone) mType = ParamEnum;
  InitAsReal(name, defaultValue, 0.0, count - 1, 1.0, "");
}

void IParameter::InitAsBool(const char* name, bool defaultValue) {
  if (mType == ParamNone) mType = ParamBool;
  InitAsReal(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 1.0, "");
  AddDisplayText(0, "off");
  AddDisplayText(1, "on");
}

void IParameter::AddDisplayText(int value, const char* text) {
  DisplayText entry;
  std::memset(&entry, 0, sizeof(entry));
  entry.mValue = value;
  CopyText(entry.mText, text);
  mDisplayTexts.Append(&entry, sizeof(entry));
}

int IParameter::DisplayTextCount() const {
  return static_cast<int>(mDisplayTexts.Size() / sizeof(DisplayText));
}

const char* IParameter::DisplayTextFor(int value) const {
  int n = DisplayTextCount();
  for (int i = 0; i < n; ++i) {
    if (Texts()[i].mValue == value) return Texts()[i].mText;
  }
  return "";
}

bool IParameter::LookUpDisplayText(const char* text, int* value) const {
  if (!text) return false;
  int n = DisplayTextCount();
  for (int i = 0; i < n; ++i) {
    if (std::strcmp(Texts()[i].mText, text) == 0) {
      if (value) *value = Texts()[i].mValue;
      return true;
    }
  }
  return false;
}

void IParameter::Bounds(double* min, double* max) const {
  if (min) *min = mMin;
  if (max) *max = mMax;
}

void IParameter::SetClamped(double value) {
  if (!(value >= mMin)) {
    mValue = mMin;  // also catches not-a-number
  } else if (value > mMax) {
    mValue = mMax;
  } else {
    mValue = value;
  }
}

void IParameter::SetFromNormalized(double normalized) {
  double value = std::pow(normalized, mShape) * (mMax - mMin) + mMin;
  if (mType != ParamDouble) value = std::floor(value / mStep + 0.5) * mStep;
  if (value >= mMax) value = mMax;
  mValue = value;
}

double IParameter::ToNormalized(double value) const {
  double x;
  if (!(value >= mMin)) {
    x = mMin;
  } else if (value > mMax) {
    x = mMax;
  } else {
    x = value;
  }
  return std::pow((x - mMin) / (mMax - mMin), 1.0 / mShape);
}

double IParameter::ValueFromText(const char* text) const {
  if (DisplayTextCount() > 0) {
    int value = 0;
    return LookUpDisplayText(text ? text : "", &value) ? value : 0.0;
  }
  const double x = ParseNumberText(text);
  return mNegatedDisplay ? -x : x;
}

void IParameter::FormatForHost(double value, bool normalized, char* buffer) const {
  if (!buffer) return;
  double x = value;
  if (normalized) x = std::pow(x, mShape) * (mMax - mMin) + mMin;

  int whole;
  if (DisplayTextCount() > 0 && TruncateToInt(x, &whole)) {
    const char* text = DisplayTextFor(whole);
    if (text[0]) {
      CopyText(buffer, text, MAX_PARAM_DISPLAY_LEN);
      return;
    }
  }
  if (mNegatedDisplay) x = -x;
  // Written with a decimal point whatever the process locale, so that the
  // text reads back with ValueFromText.
  if (x == 0.0 || std::isnan(x)) {
    CopyText(buffer, "0", MAX_PARAM_DISPLAY_LEN);
  } else if (mPrecision == 0) {
    if (TruncateToInt(x, &whole)) {
      FormatText(buffer, MAX_PARAM_DISPLAY_LEN, "%d", whole);
    } else {
      FormatFixed(buffer, MAX_PARAM_DISPLAY_LEN, std::trunc(x), 0);
    }
  } else {
    FormatFixed(buffer, MAX_PARAM_DISPLAY_LEN, x, mPrecision);
  }
}
