// The editor's drawing and input hub, platform-neutral part. One object
// belongs to one plug-in instance while the editor exists; it owns the
// ordered list of controls (index = draw order and hit-test priority, index
// 0 the background), routes mouse and key input to them, links controls and
// parameters both ways, and runs the redraw cycle: controls mark themselves
// dirty, the window layer's tick collects the union of dirty rectangles
// (IsDirty) and a paint pass draws the controls that overlap it (Draw).
//
// Three layers: this core; IGraphicsLice, which draws on an off-screen
// buffer with the raster library; and a window layer (Win32, or the
// window-less Linux layer) which the plug-in creates.
//
// Threads: everything runs on the host's GUI thread (or, for a Linux host
// that never calls effEditIdle, on the window's own thread, one at a time
// with the host's; see linux/IGraphicsLinux.h), except
// SetParameterFromPlug, which the host's thread (or the processing, after a
// state load) calls with the instance mutex held; it only writes control
// values and flags (see IControl.h), and DrawAll, which a host's thread may
// call for a picture of the editor while the window is open. Whatever
// touches the off-screen buffer, the draw rectangle or the controls' own
// drawing and mouse state (Draw, DrawAll, Resize and the input entries)
// holds the paint mutex, so a picture never overlaps the window's paint
// pass or input (a picture asked for while a dialog or menu that a click
// opened is up waits for it to close). The paint mutex is taken before the instance mutex (a
// pass copies the parameter values under it), never while holding it, and
// never by the audio thread. The destructor and Resize delete the
// controls; Resize holds the instance mutex while doing so.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "IGraphicsTypes.h"
#include "ITextStyle.h"
#include "PointerList.h"
#include "platform/Mutex.h"

class IControl;
class IParameter;
class IPlugBase;
class IPopupMenu;
class LICE_IBitmap;

// The redraw tick rate when none is given.
const int DEFAULT_FPS = 24;

class IGraphics {
 public:
  // fps <= 0 means DEFAULT_FPS.
  IGraphics(IPlugBase* plug, int width, int height, int fps = 0);
  // Deletes every control, last first. The layers above have by then
  // destroyed the window and the buffers.
  virtual ~IGraphics();
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FPS() const { return mFPS; }
  IPlugBase* GetPlug() const { return mpPlug; }

  // ---- Controls -----------------------------------------------------------
  // Appends (ownership passes); returns the new index.
  int AttachControl(IControl* control);
  int NControls() const { return mControls.Size(); }
  // Null outside the list.
  IControl* GetControl(int index) const { return mControls.Get(index); }
  // SetDirty(false) on every control: the next tick repaints everything.
  void SetAllControlsDirty();
  // Any thread holding the instance mutex: shows a parameter's value
  // (normalised, or real when normalized is false) on every control bound
  // to it.
  void SetParameterFromPlug(int paramIdx, double value, bool normalized);
  // Every control bound to the parameter takes the normalised value as
  // user input, which also pushes it to the plug-in.
  void SetControlFromPlug(int paramIdx, double normalized);

  // ---- The redraw cycle (GUI thread) --------------------------------------
  // Notifies observers of changed controls and sets rect to the bounding box
  // of the dirty controls' rectangles; true when one was dirty.
  bool IsDirty(IRect* rect);
  // Paints every visible control overlapping rect into the buffer, cleans
  // every control, then shows rect (DrawScreen).
  bool Draw(const IRect& rect);
  // Paints every visible control into the buffer: the whole editor as it
  // stands. Cleans no control and shows nothing, so an open window's
  // redraw cycle goes on as before (a control that was dirty is still
  // repainted by the window). Any thread but the audio thread, without the
  // instance mutex; hold PaintMutex() around it and around reading the
  // buffer for as long as the picture must stay whole.
  void DrawAll();
  // Serialises the users of the buffer and the draw rectangle (see above).
  vrels::RecursiveMutex& PaintMutex() { return mPaintMutex; }
  // The area being painted; drawing clips to it.
  const IRect& GetDrawRect() const { return mDrawRect; }
  // Replaces the area drawing clips to, during a paint pass. A control whose
  // drawing can reach beyond its own rectangle narrows it while it draws
  // and puts the area back afterwards (ScopedDrawClip).
  void SetDrawRect(const IRect& rect) { mDrawRect = rect; }

  // ---- Input (GUI thread, from the window layer) --------------------------
  // The captured control, else the topmost visible, not greyed control hit;
  // -1 for none.
  int GetMouseControlIdx(int x, int y);
  void OnMouseDown(int x, int y, const IMouseMods& mods);
  void OnMouseUp(int x, int y, const IMouseMods& mods);
  void OnMouseDrag(int x, int y, const IMouseMods& mods);
  // True when the control treats it as a press (the window then captures).
  bool OnMouseDblClick(int x, int y, const IMouseMods& mods);
  // d whole notches, positive away from the user.
  void OnMouseWheel(int x, int y, const IMouseMods& mods, int d);
  // False (and nothing else) while hover tracking is off.
  bool OnMouseOver(int x, int y, const IMouseMods& mods);
  void OnMouseOut();
  void OnKeyDown(int x, int y, int key);
  void HandleMouseOver(bool on) { mHandleMouseOver = on; }
  int GetCaptureIdx() const { return mCaptureIdx; }

  // Draws frame (1-based) of a vertical strip at the destination rectangle.
  void DrawBitmapFrame(IBitmapInfo* bitmap, const IRect& dest, int frame, const IBlend* blend);

  // ---- Layered operations, in declaration order -----------------------------
  // Readies the off-screen buffer (a layer may make it on first use);
  // called when the plug-in attaches the graphics object.
  virtual void PrepareDraw() = 0;
  // Copies rect of the buffer to the window.
  virtual bool DrawScreen(const IRect& rect) = 0;
  // The part of dest inside the draw rectangle, from the bitmap at the
  // matching offset from (srcX, srcY).
  virtual bool DrawBitmap(IBitmapInfo* bitmap, const IRect& dest, int srcX, int srcY,
                          const IBlend* blend) = 0;
  // The bitmap centred on (destCtrX, destCtrY), rotated clockwise by angle
  // degrees plus yOffsetZeroDeg, filtered bilinearly.
  virtual bool DrawRotatedBitmap(IBitmapInfo* bitmap, int destCtrX, int destCtrY, double angle,
                                 int yOffsetZeroDeg, const IBlend* blend) = 0;
  // base, then mask and top rotated by angle degrees, composed in the
  // scratch bitmap and drawn at (x, y).
  virtual bool DrawRotatedMask(IBitmapInfo* base, IBitmapInfo* mask, IBitmapInfo* top, int x, int y,
                               double angle, const IBlend* blend) = 0;
  virtual bool DrawPoint(const IColour& colour, float x, float y, const IBlend* blend) = 0;
  // Writes the colour straight into the buffer; the caller keeps (x, y)
  // inside it.
  virtual bool ForcePixel(const IColour& colour, int x, int y) = 0;
  virtual bool DrawLine(const IColour& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                        bool antiAlias) = 0;
  // Angles in radians, 0 pointing up, clockwise.
  virtual bool DrawArc(const IColour& colour, float cx, float cy, float r, float minAngle, float maxAngle,
                       const IBlend* blend, bool antiAlias) = 0;
  virtual bool DrawCircle(const IColour& colour, float cx, float cy, float r, const IBlend* blend,
                          bool antiAlias) = 0;
  // Fills mL..mR-1 by mT..mB-1.
  virtual bool FillRect(const IColour& colour, const IRect& rect, const IBlend* blend) = 0;
  // Draws text in rect with the style (whose native font it may make).
  virtual bool DrawText(ITextStyle* style, const char* text, const IRect& rect) = 0;
  virtual IColour GetPoint(int x, int y) = 0;
  // The buffer's pixels, or null.
  virtual void* GetBufferBits() = 0;
  // Fills a native menu from menu with ids from *nextId on; true when an
  // item of this level is ticked.
  virtual bool BuildPopupMenu(void* nativeMenu, int* nextId, IPopupMenu* menu) = 0;
  // Sets the new size, ends capture and hover and deletes every control;
  // the layers then resize the buffer and the window.
  virtual void Resize(int width, int height);
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  // A text field (or a value menu) over the control for the parameter.
  virtual void CreateTextEntry(IControl* control, IParameter* param, bool useControlText) = 0;
  // Directory of the host executable / of the plug-in library, with its
  // trailing separator; empty when unknown.
  virtual void HostPath(std::string* path) = 0;
  virtual void PluginPath(std::string* path) = 0;
  // action kFileSave (1) or kFileOpen; path empty on cancel.
  virtual void PromptForFile(std::string* path, int action, const char* directory, const char* extension) = 0;
  // Asks for a file without waiting, where the layer's choosers run beside
  // the editor instead of blocking the host's thread (Linux): answers true
  // and calls `done` later on the thread that drives the editor, with the
  // chosen path (empty on cancel), or with null when the chooser ended
  // unanswered (the window closed, or one was open already). False where
  // PromptForFile, which waits for the answer, is the way.
  using FileChosen = std::function<void(const std::string* path)>;
  virtual bool PromptForFileLater(int /*action*/, const char* /*directory*/, FileChosen /*done*/) {
    return false;
  }
  virtual bool PromptForColour(IColour* colour, const char* caption) = 0;
  virtual bool OpenURL(const char* url, const char* caption, const char* confirmation, const char* error) = 0;
  // Reserved for extensions; answers 0.
  virtual intptr_t Extended(int /*id*/, void* /*data*/) { return 0; }
  // The window inside the host's parent window; null when none could be made.
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  // The host's effEditIdle, on its GUI thread, without the instance mutex.
  // A layer whose window has no timer of its own drives it here.
  virtual void OnHostIdle() {}
  // Image resource id (frames stacked vertically) from the bitmap cache.
  virtual IBitmapInfo LoadBitmap(int id, const char* name, int frames = 1) = 0;
  // Scaled / cropped copies, handed to the bitmap cache.
  virtual IBitmapInfo ScaleBitmap(IBitmapInfo* bitmap, int width, int height) = 0;
  virtual IBitmapInfo CropBitmap(IBitmapInfo* bitmap, const IRect& rect) = 0;
  // Inserts the image as a parameter-less, plainly copied control at index 0.
  virtual void AttachBackground(int id, const char* name);
  // Lines written straight into the buffer, clamped to it.
  virtual bool DrawVerticalLine(const IColour& colour, int x, int y1, int y2) = 0;
  virtual bool DrawHorizontalLine(const IColour& colour, int y, int x1, int x2) = 0;
  virtual void RetainBitmap(LICE_IBitmap* bitmap) = 0;
  virtual void ReleaseBitmap(LICE_IBitmap* bitmap) = 0;
  // The parameter's display texts as a menu, itemsPerColumn to a column.
  virtual void PromptParamMenu(IControl* control, IParameter* param, int itemsPerColumn) = 0;
  // Decodes the image resource; null when missing. The caller owns it.
  virtual LICE_IBitmap* LoadBitmapResource(int id, const char* name) = 0;
  // Makes style's native font (and sets the function that frees it); the
  // window layer's text drawing needs it. The core makes none.
  virtual void CreateTextFont(ITextStyle* /*style*/) {}
  // The width in pixels the text takes drawn with the style (GUI thread).
  // False when the layer cannot tell.
  virtual bool MeasureText(ITextStyle* /*style*/, const char* /*text*/, int* /*width*/) { return false; }

  // During a paint pass or a picture (DrawAll), on the thread running it, a
  // parameter's real value as copied at the start of the pass: the pass
  // takes the instance mutex once for all controls rather than once per
  // control, so a busy audio thread delays a paint by at most one block.
  // False outside a pass, on another thread, or for no parameter.
  bool PaintedParamValue(int paramIdx, double* value) const;

  // ---- Text entry in progress (window layer) ------------------------------
  IControl* GetEditControl() const { return mpEditControl; }
  IParameter* GetEditParam() const { return mpEditParam; }

 protected:
  void SetEditControl(IControl* control, IParameter* param) {
    mpEditControl = control;
    mpEditParam = param;
  }
  // Deletes every control, last first.
  void DeleteControls();

  IRect mDrawRect;

 private:
  PointerList<IControl> mControls;  // owned
  IPlugBase* mpPlug;                // not owned
  vrels::RecursiveMutex mPaintMutex;
  int mWidth, mHeight;
  int mFPS;
  int mCaptureIdx = -1;
  int mMouseX = -1, mMouseY = -1;
  int mOverIdx = -1;
  bool mHandleMouseOver = false;
  bool mRightDown = false;
  IControl* mpEditControl = nullptr;
  IParameter* mpEditParam = nullptr;
  // Starts a paint pass or picture over rect (paint mutex held): the draw
  // rectangle, and every parameter's value copied under one instance lock,
  // for this thread's controls; EndPass ends it.
  void BeginPass(const IRect& rect);
  void EndPass();

  // The parameter values of the paint pass or picture in progress (under
  // the paint mutex), and the thread running it (none outside a pass).
  std::vector<double> mPaintParamValues;
  std::atomic<std::thread::id> mPaintingThread{};
};
