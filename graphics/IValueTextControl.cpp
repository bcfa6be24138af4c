#include "IValueTextControl.h"

#include <cstring>

#include "IParameter.h"

namespace {

const double WHEEL_STEP = 0.01;
const double FINE_WHEEL_STEP = 0.001;

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
  std::strncpy(out, display, static_cast<size_t>(size) - 1);
  out[size - 1] = '\0';
  if (mShowLabel) {
    const size_t length = std::strlen(out);
    if (length + 1 < static_cast<size_t>(size)) {
      out[length] = ' ';
      std::strncpy(out + length + 1, param->Label(), static_cast<size_t>(size) - length - 2);
      out[size - 1] = '\0';
    }
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
