// The base of every on-screen element: a rectangle, an optional bound
// parameter, a normalised value (0..1) and the flags of the redraw cycle.
// The graphics object owns its controls; a control holds a non-owning
// pointer to the plug-in and reaches the graphics object through it.
//
// Threads and shared state
// ------------------------
// Everything runs on the host's GUI thread except three writers: the host's
// thread (SetValueFromPlug through IGraphics::SetParameterFromPlug, Hide,
// GrayOut from change handlers) and the audio thread (SetValueFromPlug,
// SetValue, SetDirty(false), ITextControl::SetTextFromPlug for meters and
// counts). Those writers always hold the instance mutex, so they never
// overlap one another; the GUI tick reads without it. To make that safe
// without a lock on the GUI side and without the audio thread waiting:
//
// - the value, the default value, the clamp limits' use, and the hidden,
//   greyed, redraw-again and double-click flags are atomics;
// - "dirty" is a generation count: every SetDirty publishes the value
//   written before it (release) and bumps the count. IsDirty (GUI) notes the
//   count it saw; SetClean (GUI, after drawing) records that noted count as
//   drawn. A write that lands while the control is being drawn bumps the
//   count past the noted one, so the control stays dirty and is repainted at
//   the next tick: no update is lost, and nothing waits;
// - texts live in fixed-capacity storage read through a sequence lock
//   (SharedText.h): replacing one neither allocates nor locks;
// - the greyed look is derived from the greyed flag when drawing (blend
//   weight, text colour), so no shared style or blend is rewritten;
// - parameter records are read by the GUI only for their constant parts
//   (range, kind, texts); a parameter's current value is copied under the
//   instance mutex (CopyParamValue; a paint pass copies all values at its
//   start, under one lock), and nothing is drawn while it is held.
//
// Operations that push a value to the plug-in (SetDirty(true) and what calls
// it) run on the GUI thread only; SetParameterFromGUI takes the mutex itself.
#pragma once

#include <atomic>
#include <cstdint>

#include "IGraphicsTypes.h"
#include "ISubject.h"

class IGraphics;
class IParameter;
class IPlugBase;
class IPopupMenu;

class IControl : public ISubject {
 public:
  // The bound parameter is -1 for none. The blend kind is one of IBlendKind.
  IControl(IPlugBase* plug, const IRect& rect, int paramIdx = -1, int blendKind = kBlendAlphaCopy);
  ~IControl() override;

  // ---- Input (GUI thread) -------------------------------------------------
  // Right button: PromptUserInput; otherwise nothing.
  virtual void OnMouseDown(int x, int y, const IMouseMods& mods);
  virtual void OnMouseUp(int x, int y, const IMouseMods& mods);
  virtual void OnMouseDrag(int x, int y, int dX, int dY, const IMouseMods& mods);
  // Restores the default value, once it is known, and pushes it.
  virtual void OnMouseDblClick(int x, int y, const IMouseMods& mods);
  // d notches: 0.01 each, 0.001 with Shift or Ctrl; pushed.
  virtual void OnMouseWheel(int x, int y, const IMouseMods& mods, int d);
  virtual void OnKeyDown(int x, int y, int key);
  virtual void OnMouseOver(int x, int y, const IMouseMods& mods);
  virtual void OnMouseOut();

  // ---- Drawing (GUI thread) -----------------------------------------------
  // Draws into the graphics object's buffer; the result is unused.
  virtual bool Draw(IGraphics* graphics) = 0;

  // ---- Values and flags ---------------------------------------------------
  // A value from the plug-in (any thread, instance mutex held). The first
  // one becomes the double-click default; later ones are taken when they
  // differ. Taking one marks the control dirty (twice: redraw-again).
  virtual void SetValueFromPlug(double value);
  // Any thread that may write (see above).
  virtual void Hide(bool hide);
  virtual void GrayOut(bool grey);
  // GUI thread: whether the point is inside the target rectangle.
  virtual bool IsHit(int x, int y);
  // Clamps the value, marks the control dirty and changed; with push (GUI
  // thread only) the value goes to the bound parameter with
  // SetParameterFromGUI.
  virtual void SetDirty(bool push = true);
  // GUI thread, after a paint pass: clean, unless redraw-again was set,
  // which keeps it dirty for one more pass.
  virtual void SetClean();
  // GUI thread.
  virtual bool IsDirty();
  // Value = default value, pushed, drawn twice.
  virtual void SetValueToDefault();
  // The parameter's value menu, or null (GUI thread; free it with
  // FreePopupMenu).
  virtual IPopupMenu* GetPopupMenu();
  virtual void FreePopupMenu(IPopupMenu* menu);
  // An item of GetPopupMenu's menu was chosen.
  virtual void OnPopupMenuSelection(IPopupMenu* menu, int index);
  // Reserved for extensions; does nothing.
  virtual void Extended() {}

  // A value typed, picked from a menu or set by SetControlFromPlug (GUI
  // thread): taken and pushed when it differs.
  void SetValueFromUserInput(double value);
  // Right click: a text entry or value menu for the bound parameter,
  // unless there is none or the prompt is disabled.
  void PromptUserInput();

  // ---- Accessors ----------------------------------------------------------
  double GetValue() const { return mValue.load(std::memory_order_acquire); }
  // Stores a value without marking anything (follow with SetDirty).
  void SetValue(double value) { mValue.store(value, std::memory_order_relaxed); }
  double GetDefaultValue() const { return mDefaultValue.load(std::memory_order_relaxed); }
  void SetDefaultValue(double value) { mDefaultValue.store(value, std::memory_order_relaxed); }
  void SetClamp(double lo, double hi) {
    mClampLo = lo;
    mClampHi = hi;
  }
  const IRect& GetRect() const { return mRect; }
  const IRect& GetTargetRect() const { return mTargetRect; }
  void SetTargetRect(const IRect& rect) { mTargetRect = rect; }
  int ParamIdx() const { return mParamIdx; }
  IPlugBase* GetPlug() const { return mpPlug; }
  // The plug-in's graphics object, or null.
  IGraphics* GetGUI() const;
  // The bound parameter record, or null.
  IParameter* GetParam() const;
  // Copies the bound parameter's real value under the instance mutex;
  // false (and 0) without a parameter.
  bool CopyParamValue(double* value) const;

  bool IsHidden() const { return mHidden.load(std::memory_order_relaxed); }
  bool IsGrayed() const { return mGreyed.load(std::memory_order_relaxed); }
  void SetRedrawAgain() { mRedrawAgain.store(true, std::memory_order_release); }
  bool GetDisablePrompt() const { return mDisablePrompt; }
  void SetDisablePrompt(bool disable) { mDisablePrompt = disable; }
  bool GetDblClickAsClick() const { return mDblClickAsClick; }
  void SetDblClickAsClick(bool asClick) { mDblClickAsClick = asClick; }
  // The blend to draw with: the kind given at construction, weight 0.25
  // while greyed.
  IBlend GetBlend() const;

 protected:
  // Adds to the value (GUI thread).
  void AddToValue(double delta) { SetValue(GetValue() + delta); }
  void SetRect(const IRect& rect) { mRect = mTargetRect = rect; }

  IPlugBase* mpPlug;

 private:
  IRect mRect;
  IRect mTargetRect;
  int mParamIdx;
  std::atomic<double> mValue{0.0};
  std::atomic<double> mDefaultValue{-1.0};
  double mClampLo = 0.0, mClampHi = 1.0;
  // Bumped by every SetDirty; starts one ahead of mDrawnGeneration, so a
  // new control is dirty.
  std::atomic<std::uint32_t> mGeneration{1};
  std::uint32_t mSeenGeneration = 1;   // GUI: noted by IsDirty
  std::uint32_t mDrawnGeneration = 0;  // GUI: recorded by SetClean
  std::atomic<bool> mHidden{false};
  std::atomic<bool> mGreyed{false};
  std::atomic<bool> mRedrawAgain{false};
  bool mDisablePrompt = false;
  bool mDblClickAsClick = false;
  std::int32_t mBlendKind;
};
