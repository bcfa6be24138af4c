// The grain envelope view: a small control in the grain-streams section
// that shows the current envelope table as a filled curve, one bar per
// pixel column. It has no parameter and takes no mouse input.
//
// Owned by the graphics object; the plug-in keeps a pointer to it. After
// rebuilding the envelope (GEnvelop, GEnvSkew), the change handlers call
// SetDirty(false) and SetRedrawAgain() on it, with the instance mutex
// held: it is then repainted on two successive ticks.
//
// Threads: Draw runs on the GUI thread. It copies the plug-in's table under
// the instance mutex, under which the handlers rebuild it, so a paint never
// shows a half-built envelope, and draws from its copy without the lock.
#pragma once

#include "IControl.h"
#include "dsp/EnvelopeTable.h"

class VrelsPlugin;

class EnvelopeCanvas : public IControl {
 public:
  EnvelopeCanvas(VrelsPlugin* plug, const IRect& rect);

  // The bars fill columns L + 1 .. R of the view's rectangle, from the
  // bottom edge up to the envelope's value at the column (0 empty, 1 the
  // full height).
  bool Draw(IGraphics* graphics) override;

 private:
  VrelsPlugin* mpVrels;
  // The rectangle the bars are laid out in. The control's own rectangle is
  // one column wider on the right, so that a repaint of the view (which
  // covers the control's rectangle) also covers the last bar, in column R.
  IRect mViewRect;
  // The table as the last paint copied it; until then the plug-in's
  // initial one.
  EnvelopeTable mTable;
};
