// The swarm view: the control in the middle of the editor that shows the
// flock (every vrel and chaser with a short trail, the leader ringed) and
// the bounds rectangle the creatures stay in. With the mouse the user moves
// or resizes that rectangle, or drags the gather or scatter tool from its
// button into the field to pull the flock towards the pointer or push it
// away while the button is held.
//
// Owned by the graphics object; the plug-in keeps a pointer to mark it
// dirty. It reads the flock only through the plug-in's snapshot and writes
// only through the plug-in's bounds and gather operations, all of which
// take the instance mutex.
//
// Threads: the mouse handlers and Draw run on the GUI thread. The audio
// thread only marks the canvas dirty after a swarm update (SetDirty(false));
// mouse input marks nothing, so what the mouse changes shows at the next
// swarm update.
#pragma once

#include "IControl.h"
#include "flock/SwarmSnapshot.h"

class VrelsPlugin;

class VrelCanvas : public IControl {
 public:
  // Covers the whole field with the bounds (SetBoundsFromView), which marks
  // nothing: the editor does not show the preset name yet. The images are
  // drawn at the pointer while their tool is dragged.
  VrelCanvas(VrelsPlugin* plug, const IRect& rect, const IBitmapInfo& gatherImage,
             const IBitmapInfo& scatterImage);

  // What a press takes hold of, in hit-test order after the handles.
  enum DragMode {
    kDragNone = 0,
    kDragBox = 1,
    kDragLeft = 2,
    kDragTop = 3,
    kDragRight = 4,
    kDragBottom = 5,
    kDragTopRight = 6,
    kDragTopLeft = 7,
    kDragBottomLeft = 8,
    kDragBottomRight = 9,
    kDragScatter = 10,
    kDragGather = 11,
  };

  void OnMouseDown(int x, int y, const IMouseMods& mods) override;
  void OnMouseUp(int x, int y, const IMouseMods& mods) override;
  void OnMouseDrag(int x, int y, int dX, int dY, const IMouseMods& mods) override;
  // The flock, the pointer (a ring, or the tool's image), the bounds frame
  // and, while the box is selected, its handles; nothing outside the
  // canvas's rectangle.
  bool Draw(IGraphics* graphics) override;

 private:
  static const int NUM_HANDLES = 8;

  // The pointer relative to the field's origin, limited to 0 .. the field's
  // right and bottom edges in editor coordinates.
  void SetPointer(int x, int y);
  // The new bounds of a box or edge drag to (x, y), in editor pixels.
  IRect DraggedBox(int x, int y) const;
  // The snapshot and the swarm's bounds, under one hold of the mutex.
  void CopySwarm(double bounds[4]);
  void DrawCreatures(IGraphics* graphics, const IBlend& blend);
  void DrawPointer(IGraphics* graphics, const IBlend& blend);
  void DrawBounds(IGraphics* graphics, const IBlend& blend);

  VrelsPlugin* mpVrels;
  // Up to 220 trails: kept here, so a paint neither allocates nor fills
  // the stack with it.
  SwarmSnapshot mSnapshot;
  IBitmapInfo mGatherImage, mScatterImage;
  IRect mFieldRect, mGatherRect, mScatterRect;
  bool mPressed = false;
  int mPointerX = 0, mPointerY = 0;
  // The bounds as the last paint drew them; presses and drags work on it.
  IRect mBoundsBox;
  // In hit-test order (kHandleModes); empty until a paint with the box
  // selected places them.
  IRect mHandles[NUM_HANDLES];
  int mDragMode = kDragNone;
};
