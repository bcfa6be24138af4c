#include "IGraphics.h"

#include "IBitmapControl.h"
#include "IControl.h"
#include "IPlugBase.h"

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int fps)
    : mpPlug(plug), mWidth(width), mHeight(height), mFPS(fps > 0 ? fps : DEFAULT_FPS) {}

IGraphics::~IGraphics() {
  DeleteControls();
}

void IGraphics::DeleteControls() {
  for (int i = mControls.Size() - 1; i >= 0; --i) delete mControls.Get(i);
  mControls.Truncate(0);
}

// ---- Controls ----------------------------------------------------------------

int IGraphics::AttachControl(IControl* control) {
  if (!control) return -1;
  if (!mControls.Append(control)) {
    delete control;
    return -1;
  }
  return mControls.Size() - 1;
}

void IGraphics::AttachBackground(int id, const char* name) {
  IBitmapInfo bitmap = LoadBitmap(id, name, 1);
  IControl* background = new IBitmapControl(mpPlug, 0, 0, bitmap, kBlendPlainCopy);
  if (!mControls.Insert(0, background)) delete background;
}

void IGraphics::SetAllControlsDirty() {
  for (int i = 0; i < mControls.Size(); ++i) mControls.Get(i)->SetDirty(false);
}

void IGraphics::SetParameterFromPlug(int paramIdx, double value, bool normalized) {
  if (!normalized) {
    IParameter* param = mpPlug ? mpPlug->GetParam(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  for (int i = 0; i < mControls.Size(); ++i) {
    IControl* control = mControls.Get(i);
    if (control->ParamIdx() == paramIdx) control->SetValueFromPlug(value);
  }
}

void IGraphics::SetControlFromPlug(int paramIdx, double normalized) {
  for (int i = 0; i < mControls.Size(); ++i) {
    IControl* control = mControls.Get(i);
    if (control->ParamIdx() == paramIdx) control->SetValueFromUserInput(normalized);
  }
}

// ---- The redraw cycle ----------------------------------------------------------

bool IGraphics::IsDirty(IRect* rect) {
  bool dirty = false;
  for (int i = 0; i < mControls.Size(); ++i) {
    IControl* control = mControls.Get(i);
    control->NotifyObservers();
    if (control->IsDirty()) {
      *rect = rect->Union(control->GetRect());
      dirty = true;
    }
  }
  return dirty;
}

bool IGraphics::PaintedParamValue(int paramIdx, double* value) const {
  // Only the thread running the pass (which holds the paint mutex) reads
  // the copies; another (the GUI thread during a host's picture) copies
  // under the instance mutex instead.
  if (mPaintingThread.load(std::memory_order_relaxed) != std::this_thread::get_id() || paramIdx < 0 ||
      paramIdx >= static_cast<int>(mPaintParamValues.size())) {
    return false;
  }
  *value = mPaintParamValues[static_cast<std::size_t>(paramIdx)];
  return true;
}

void IGraphics::BeginPass(const IRect& rect) {
  mDrawRect = rect;
  if (mpPlug) {
    const int n = mpPlug->NParams();
    mPaintParamValues.resize(static_cast<std::size_t>(n));
    vrels::ScopedLock lock(mpPlug->Mutex());
    for (int i = 0; i < n; ++i) {
      const IParameter* param = mpPlug->GetParam(i);
      mPaintParamValues[static_cast<std::size_t>(i)] = param ? param->Value() : 0.0;
    }
  }
  mPaintingThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
}

void IGraphics::EndPass() {
  mPaintingThread.store(std::thread::id(), std::memory_order_relaxed);
}

bool IGraphics::Draw(const IRect& rect) {
  if (mControls.Size() == 0) return true;
  vrels::ScopedLock paint(mPaintMutex);
  BeginPass(rect);
  for (int i = 0; i < mControls.Size(); ++i) {
    IControl* control = mControls.Get(i);
    const IRect& r = control->GetRect();
    // An area ending exactly at the control's left or top edge counts as
    // touching it.
    const bool overlaps =
        !rect.Empty() && !r.Empty() && rect.mR >= r.mL && rect.mL < r.mR && rect.mB >= r.mT && rect.mT < r.mB;
    if (overlaps && !control->IsHidden()) control->Draw(this);
    control->SetClean();
  }
  EndPass();
  return DrawScreen(rect);
}

void IGraphics::DrawAll() {
  vrels::ScopedLock paint(mPaintMutex);
  BeginPass(IRect(0, 0, mWidth, mHeight));
  for (int i = 0; i < mControls.Size(); ++i) {
    IControl* control = mControls.Get(i);
    if (!control->GetRect().Empty() && !control->IsHidden()) control->Draw(this);
  }
  EndPass();
}

// ---- Input -----------------------------------------------------------------------
// Each entry holds the paint mutex: a control's mouse state (a drag in
// progress, the swarm view's pointer and box) is read and written by its
// Draw, which a host's picture may run on another thread.

int IGraphics::GetMouseControlIdx(int x, int y) {
  if (mCaptureIdx >= 0) return mCaptureIdx;
  for (int i = mControls.Size() - 1; i >= 0; --i) {
    IControl* control = mControls.Get(i);
    if (!control->IsHidden() && !control->IsGrayed() && control->IsHit(x, y)) return i;
  }
  return -1;
}

void IGraphics::OnMouseDown(int x, int y, const IMouseMods& mods) {
  vrels::ScopedLock input(mPaintMutex);
  mMouseX = mMouseY = -1;
  mCaptureIdx = -1;
  const int index = GetMouseControlIdx(x, y);
  IControl* control = mControls.Get(index);
  if (!control) return;
  mCaptureIdx = index;
  mMouseX = x;
  mMouseY = y;
  mRightDown = mods.mR;
  control->OnMouseDown(x, y, mods);
  const int paramIdx = control->ParamIdx();
  if (paramIdx >= 0 && mpPlug) mpPlug->BeginParamEdit(paramIdx);
}

void IGraphics::OnMouseUp(int x, int y, const IMouseMods& mods) {
  vrels::ScopedLock input(mPaintMutex);
  // The captured control receives the release wherever it happens.
  const int index = GetMouseControlIdx(x, y);
  mMouseX = mMouseY = -1;
  mCaptureIdx = -1;
  mRightDown = false;
  IControl* control = mControls.Get(index);
  if (!control) return;
  control->OnMouseUp(x, y, mods);
  const int paramIdx = control->ParamIdx();
  if (paramIdx >= 0 && mpPlug) mpPlug->EndParamEdit(paramIdx);
}

void IGraphics::OnMouseDrag(int x, int y, const IMouseMods& mods) {
  vrels::ScopedLock input(mPaintMutex);
  IControl* control = mControls.Get(mCaptureIdx);
  if (!control || (x == mMouseX && y == mMouseY)) return;
  const int dX = x - mMouseX;
  const int dY = y - mMouseY;
  mMouseX = x;
  mMouseY = y;
  control->OnMouseDrag(x, y, dX, dY, mods);
}

bool IGraphics::OnMouseDblClick(int x, int y, const IMouseMods& mods) {
  vrels::ScopedLock input(mPaintMutex);
  mMouseX = mMouseY = -1;
  mCaptureIdx = -1;
  const int index = GetMouseControlIdx(x, y);
  IControl* control = mControls.Get(index);
  if (!control) return false;
  if (!control->GetDblClickAsClick()) {
    control->OnMouseDblClick(x, y, mods);
    return false;
  }
  mCaptureIdx = index;
  mMouseX = x;
  mMouseY = y;
  control->OnMouseDown(x, y, mods);
  return true;
}

void IGraphics::OnMouseWheel(int x, int y, const IMouseMods& mods, int d) {
  vrels::ScopedLock input(mPaintMutex);
  IControl* control = mControls.Get(GetMouseControlIdx(x, y));
  if (control) control->OnMouseWheel(x, y, mods, d);
}

bool IGraphics::OnMouseOver(int x, int y, const IMouseMods& mods) {
  vrels::ScopedLock input(mPaintMutex);
  if (!mHandleMouseOver) return false;
  const int index = GetMouseControlIdx(x, y);
  IControl* control = mControls.Get(index);
  if (!control) return mHandleMouseOver;
  mMouseX = x;
  mMouseY = y;
  control->OnMouseOver(x, y, mods);
  if (mOverIdx >= 0 && mOverIdx != index) {
    IControl* previous = mControls.Get(mOverIdx);
    if (previous) previous->OnMouseOut();
  }
  mOverIdx = index;
  return true;
}

void IGraphics::OnMouseOut() {
  vrels::ScopedLock input(mPaintMutex);
  for (int i = 0; i < mControls.Size(); ++i) mControls.Get(i)->OnMouseOut();
  mOverIdx = -1;
}

void IGraphics::OnKeyDown(int x, int y, int key) {
  vrels::ScopedLock input(mPaintMutex);
  IControl* control = mControls.Get(GetMouseControlIdx(x, y));
  if (control) control->OnKeyDown(x, y, key);
}

// ---- Drawing -----------------------------------------------------------------------

void IGraphics::DrawBitmapFrame(IBitmapInfo* bitmap, const IRect& dest, int frame, const IBlend* blend) {
  int srcY = 0;
  if (bitmap->mN >= 2 && frame >= 2) {
    srcY = static_cast<int>(static_cast<double>(bitmap->mH) * (frame - 1) / bitmap->mN + 0.5);
  }
  DrawBitmap(bitmap, dest, 0, srcY, blend);
}

// ---- Size ------------------------------------------------------------------------------

void IGraphics::Resize(int width, int height) {
  vrels::ScopedLock paint(mPaintMutex);
  mWidth = width;
  mHeight = height;
  mCaptureIdx = -1;
  mOverIdx = -1;
  if (!mpPlug) {
    DeleteControls();
    return;
  }
  {
    // The host's thread may be showing a value on the controls right now.
    vrels::ScopedLock lock(mpPlug->Mutex());
    DeleteControls();
  }
  mpPlug->UpdateEditorRect(width, height);
}
