#include "IValueTextControl.h"

#include <cstring>

#include "IParameter.h"

namespace {

const double WHEEL_STEP = 0.01;
const double FINE_WHEEL_STEP = 0.001;

// Appends text at out[length] within size bytes (terminated); returns the
// new length.
size_t Append(char* out, size_t length, size_t size, const char* text) {
  size_t n = std::strlen(text);
  if (length + n > size - 1) n = size - 1 - length;
  std::memcpy(out + length, text, n);
  out[length + n] = '\0';
  return length + n;
}

}  // namespace

IValueTextControl::IValueTextControl(IPlugBase* plug, const IRect& rect, int paramIdx,
                                     const ITextStyle& style, bool showValue, bool showLabel, int direction,
                                     double gearing, IParameter* ownParam)
    : ITextControl(plug, rect, paramIdx, style, ""),
      mDirection(direction),
      mGearing(gearing),
      mShowValue(showValue),
      mShowLabel(showLabel),
      mpOwnParam(ownParam) {}

void IValueTextControl::Wrap() {
  const double value = GetValue();
  if (value > 1.0) {
    SetValue(0.0);
  } else if (value < 0.0) {
    SetValue(1.0);
  }
}

void IValueTextControl::OnMouseDrag(int /*x*/, int /*y*/, int dX, int dY, const IMouseMods& /*mods*/) {
  if (IsGrayed()) return;
  const IRect& r = GetRect();
  if (mDirection == kVertical) {
    AddToValue(static_cast<double>(dY) / static_cast<double>(r.mT - r.mB) / mGearing);
  } else {
    AddToValue(static_cast<double>(dX) / static_cast<double>(r.mR - r.mL) / mGearing);
  }
  Wrap();
  SetDirty(true);
}

void IValueTextControl::OnMouseWheel(int /*x*/, int /*y*/, const IMouseMods& mods, int d) {
  if (IsGrayed()) return;
  double step = WHEEL_STEP;
  const IParameter* param = mpOwnParam ? mpOwnParam : GetParam();
  const double paramStep =
      param && param->Type() != ParamDouble ? param->Step() / (param->Max() - param->Min()) : 0.0;
  if (paramStep != 0.0) {
    step = paramStep;  // one parameter step per notch
  } else if (mods.mS || mods.mC) {
    step = FINE_WHEEL_STEP;
  }
  AddToValue(d * step);
  Wrap();
  SetDirty(true);
}

void IValueTextControl::FormatValueText(char* out, int size) const {
  if (!out || size <= 0) return;
  out[0] = '\0';
  const IParameter* param = mpOwnParam ? mpOwnParam : GetParam();
  if (!param) return;
  double value = 0.0;
  if (mpOwnParam) {
    value = mpOwnParam->Value();
  } else {
    CopyParamValue(&value);
  }
  char display[MAX_PARAM_DISPLAY_LEN];
  param->FormatForHost(value, false, display);
  size_t length = Append(out, 0, static_cast<size_t>(size), display);
  if (mShowLabel) {
    length = Append(out, length, static_cast<size_t>(size), " ");
    Append(out, length, static_cast<size_t>(size), param->Label());
  }
}

bool IValueTextControl::Draw(IGraphics* graphics) {
  if (mpOwnParam) mpOwnParam->SetFromNormalized(GetValue());
  char text[SharedText::CAPACITY];
  if (mShowValue) {
    FormatValueText(text, sizeof(text));
    StoreText(text);
  } else {
    GetText(text, sizeof(text));
  }
  if (text[0] == '\0') return true;
  return DrawTextWithStyle(graphics, text);
}
