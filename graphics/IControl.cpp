#include "IControl.h"

#include <cstring>

#include "IGraphics.h"
#include "IPlugBase.h"
#include "IPopupMenu.h"

namespace {

// The wheel's step per notch, and the finer one with Shift or Ctrl.
const double WHEEL_STEP = 0.01;
const double FINE_WHEEL_STEP = 0.001;
// A value menu starts a new column after this many items.
const int MENU_ITEMS_PER_COLUMN = 24;

}  // namespace

IControl::IControl(IPlugBase* plug, const IRect& rect, int paramIdx, int blendKind)
    : mpPlug(plug), mRect(rect), mTargetRect(rect), mParamIdx(paramIdx), mBlendKind(blendKind) {}

IControl::~IControl() {}

void IControl::OnMouseDown(int /*x*/, int /*y*/, const IMouseMods& mods) {
  if (mods.mR) PromptUserInput();
}

void IControl::OnMouseUp(int /*x*/, int /*y*/, const IMouseMods& /*mods*/) {}

void IControl::OnMouseDrag(int /*x*/, int /*y*/, int /*dX*/, int /*dY*/, const IMouseMods& /*mods*/) {}

void IControl::OnMouseDblClick(int /*x*/, int /*y*/, const IMouseMods& /*mods*/) {
  const double defaultValue = GetDefaultValue();
  if (defaultValue >= 0.0) {
    SetValue(defaultValue);
    SetDirty(true);
  }
}

void IControl::OnMouseWheel(int /*x*/, int /*y*/, const IMouseMods& mods, int d) {
  AddToValue(d * (mods.mS || mods.mC ? FINE_WHEEL_STEP : WHEEL_STEP));
  SetDirty(true);
}

void IControl::OnKeyDown(int /*x*/, int /*y*/, int /*key*/) {}

void IControl::OnMouseOver(int /*x*/, int /*y*/, const IMouseMods& /*mods*/) {}

void IControl::OnMouseOut() {}

void IControl::SetValueFromPlug(double value) {
  if (GetDefaultValue() < 0.0) {
    SetDefaultValue(value);
  } else if (value == GetValue()) {
    return;
  }
  SetValue(value);
  SetDirty(false);
  SetRedrawAgain();
}

void IControl::Hide(bool hide) {
  mHidden.store(hide, std::memory_order_relaxed);
  SetRedrawAgain();
  SetDirty(false);
}

void IControl::GrayOut(bool grey) {
  mGreyed.store(grey, std::memory_order_relaxed);
  SetDirty(false);
}

bool IControl::IsHit(int x, int y) {
  return mTargetRect.Contains(x, y);
}

void IControl::SetDirty(bool push) {
  double value = GetValue();
  if (value < mClampLo) value = mClampLo;
  if (value > mClampHi) value = mClampHi;
  SetValue(value);
  // Publishes the value (and anything else written before) with the mark.
  mGeneration.fetch_add(1, std::memory_order_acq_rel);
  MarkChanged();
  if (push && mpPlug && mParamIdx >= 0) mpPlug->SetParameterFromGUI(mParamIdx, value);
}

void IControl::SetClean() {
  if (mRedrawAgain.exchange(false, std::memory_order_acq_rel)) {
    mDrawnGeneration = mSeenGeneration - 1;  // dirty for one more pass
  } else {
    mDrawnGeneration = mSeenGeneration;
  }
}

bool IControl::IsDirty() {
  mSeenGeneration = mGeneration.load(std::memory_order_acquire);
  return mSeenGeneration != mDrawnGeneration;
}

void IControl::SetValueToDefault() {
  SetValue(GetDefaultValue());
  SetDirty(true);
  SetRedrawAgain();
}

IPopupMenu* IControl::GetPopupMenu() {
  IParameter* param = GetParam();
  if (!param) return nullptr;
  const int count = param->DisplayTextCount();
  if (param->Type() != ParamEnum && !(param->Type() == ParamBool && count > 0)) return nullptr;

  double current = 0.0;
  CopyParamValue(&current);
  char currentText[MAX_PARAM_DISPLAY_LEN];
  param->FormatForHost(current, false, currentText);

  IPopupMenu* menu = new IPopupMenu;
  for (int v = 0; v < count; ++v) {
    const char* text = param->DisplayTextFor(v);
    int flags = 0;
    if (std::strcmp(text, currentText) == 0) flags |= IPopupMenuItem::kChecked;
    if (v > 0 && v % MENU_ITEMS_PER_COLUMN == 0) flags |= IPopupMenuItem::kNewColumn;
    menu->AddItem(text, flags);
  }
  return menu;
}

void IControl::FreePopupMenu(IPopupMenu* menu) {
  delete menu;
}

void IControl::OnPopupMenuSelection(IPopupMenu* /*menu*/, int index) {
  IParameter* param = GetParam();
  if (!param || param->DisplayTextCount() < 1) return;
  const double factor = param->Type() == ParamDouble ? 0.0 : param->Step() / (param->Max() - param->Min());
  const double value = index * factor;
  if (value == GetValue()) return;
  SetValue(value);
  SetDirty(true);
  SetRedrawAgain();
}

void IControl::SetValueFromUserInput(double value) {
  if (value == GetValue()) return;
  SetValue(value);
  SetDirty(true);
  SetRedrawAgain();
}

void IControl::PromptUserInput() {
  if (mParamIdx < 0 || mDisablePrompt) return;
  IGraphics* graphics = GetGUI();
  if (!graphics) return;
  graphics->CreateTextEntry(this, GetParam(), false);
  SetRedrawAgain();
}

IGraphics* IControl::GetGUI() const {
  return mpPlug ? mpPlug->GetGUI() : nullptr;
}

IParameter* IControl::GetParam() const {
  return mpPlug ? mpPlug->GetParam(mParamIdx) : nullptr;
}

bool IControl::CopyParamValue(double* value) const {
  *value = 0.0;
  IParameter* param = GetParam();
  if (!param) return false;
  const IGraphics* graphics = GetGUI();
  if (graphics && graphics->PaintedParamValue(mParamIdx, value)) return true;
  vrels::ScopedLock lock(mpPlug->Mutex());
  *value = param->Value();
  return true;
}

IBlend IControl::GetBlend() const {
  return IBlend(mBlendKind, IsGrayed() ? GREYED_BLEND_WEIGHT : 1.0f);
}
