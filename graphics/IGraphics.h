// What the plug-in framework needs of an attached editor: its size, a way to
// show parameter values on the controls bound to them, and its window.
// The editor itself (controls, drawing, the window layer) implements this.
#pragma once

class IGraphics {
 public:
  virtual ~IGraphics() {}

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Shows a parameter's value (normalised, or real when `normalized` is
  // false) on every control bound to that parameter. Called under the
  // instance mutex; controls only store the value and mark themselves dirty.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalized) = 0;

  // Prepares the drawing surface; called once when the editor is attached.
  virtual void PrepDraw() = 0;

  // Opens the editor window inside the host's parent window; null when no
  // window could be made.
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
};
