#include "editor/VrelCanvas.h"

#include <algorithm>

#include "IGraphics.h"
#include "ScopedDrawClip.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

namespace {

static_assert(SWARM_FIELD.W() == Swarm::FIELD_WIDTH && SWARM_FIELD.H() == Swarm::FIELD_HEIGHT,
              "the swarm view shows one field unit per pixel");

const IColour BLACK(255, 0, 0, 0);
const IColour GREY(255, 127, 127, 127);

// A box is never made narrower or lower than this by an edge or corner.
const int MIN_BOX_SIZE = 10;
// Handles are squares of twice this, centred on the box's corners and
// edge midpoints.
const int HANDLE_REACH = 5;
const int FRAME_THICKNESS = 2;

// Rings and creature squares are drawn this far right of and below their
// point.
const int MARK_OFFSET = 2;
const float LEADER_RING_RADIUS = 7;
const float POINTER_RING_RADIUS = 8;
// The squares on a trail's three newest points, newest first.
const int TRAIL_MARKS = 3;
const int VREL_SQUARE = 4;
const int CHASER_SQUARE = 7;

// The handles in hit-test order.
const int kHandleModes[] = {
    VrelCanvas::kDragTopLeft,    VrelCanvas::kDragTopRight, VrelCanvas::kDragBottomRight,
    VrelCanvas::kDragBottomLeft, VrelCanvas::kDragLeft,     VrelCanvas::kDragTop,
    VrelCanvas::kDragRight,      VrelCanvas::kDragBottom,
};

IRect ToIRect(const LayoutRect& r) {
  return IRect(r.mL, r.mT, r.mR, r.mB);
}

// The tool rectangle of a button's image, at the button's place.
IRect ToolRect(int buttonIndex, const IBitmapInfo& image) {
  const LayoutRect& at = kControls[buttonIndex].mRect;
  return IRect(at.mL, at.mT, at.mL + image.mW, at.mT + image.FrameH());
}

IRect Square(int x, int y, int side) {
  return IRect(x, y, x + side, y + side);
}

IRect HandleRect(int mode, const IRect& box) {
  const int mx = (box.mL + box.mR) / 2, my = (box.mT + box.mB) / 2;
  int x = 0, y = 0;
  switch (mode) {
    case VrelCanvas::kDragTopLeft:
      x = box.mL, y = box.mT;
      break;
    case VrelCanvas::kDragTopRight:
      x = box.mR, y = box.mT;
      break;
    case VrelCanvas::kDragBottomRight:
      x = box.mR, y = box.mB;
      break;
    case VrelCanvas::kDragBottomLeft:
      x = box.mL, y = box.mB;
      break;
    case VrelCanvas::kDragLeft:
      x = box.mL, y = my;
      break;
    case VrelCanvas::kDragTop:
      x = mx, y = box.mT;
      break;
    case VrelCanvas::kDragRight:
      x = box.mR, y = my;
      break;
    case VrelCanvas::kDragBottom:
      x = mx, y = box.mB;
      break;
  }
  return IRect(x - HANDLE_REACH, y - HANDLE_REACH, x + HANDLE_REACH, y + HANDLE_REACH);
}

bool MovesLeft(int mode) {
  return mode == VrelCanvas::kDragLeft || mode == VrelCanvas::kDragTopLeft ||
         mode == VrelCanvas::kDragBottomLeft;
}
bool MovesRight(int mode) {
  return mode == VrelCanvas::kDragRight || mode == VrelCanvas::kDragTopRight ||
         mode == VrelCanvas::kDragBottomRight;
}
bool MovesTop(int mode) {
  return mode == VrelCanvas::kDragTop || mode == VrelCanvas::kDragTopRight ||
         mode == VrelCanvas::kDragTopLeft;
}
bool MovesBottom(int mode) {
  return mode == VrelCanvas::kDragBottom || mode == VrelCanvas::kDragBottomLeft ||
         mode == VrelCanvas::kDragBottomRight;
}

// A box of the same size centred on c along one axis, pushed back inside
// lo..hi if it sticks out (the low side first).
void CentreOn(int c, int lo, int hi, int* start, int* end) {
  const int half = (*end - *start) / 2;
  const int oldStart = *start, oldEnd = *end;
  *start = c - half;
  *end = c + half;
  if (*start < lo) {
    *start = lo;
    *end = oldEnd + lo - oldStart;
  }
  if (*end > hi) {
    *end = hi;
    *start = oldStart + hi - oldEnd;
  }
}

IColour Opaque(int rgb) {
  return IColour(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

VrelCanvas::VrelCanvas(VrelsPlugin* plug, const IRect& rect, const IBitmapInfo& gatherImage,
                       const IBitmapInfo& scatterImage)
    : IControl(plug, rect),
      mpVrels(plug),
      mGatherImage(gatherImage),
      mScatterImage(scatterImage),
      mFieldRect(ToIRect(SWARM_FIELD)),
      mGatherRect(ToolRect(kCtlIdxGatherImage, gatherImage)),
      mScatterRect(ToolRect(kCtlIdxScatterImage, scatterImage)),
      mBoundsBox(mFieldRect) {
  plug->SetBoundsFromView(0, 0, mFieldRect.W(), mFieldRect.H());
}

void VrelCanvas::SetPointer(int x, int y) {
  mPointerX = std::min(std::max(x - mFieldRect.mL, 0), mFieldRect.mR);
  mPointerY = std::min(std::max(y - mFieldRect.mT, 0), mFieldRect.mB);
}

void VrelCanvas::OnMouseDown(int x, int y, const IMouseMods& /*mods*/) {
  mPressed = true;
  SetPointer(x, y);
  mDragMode = kDragNone;
  for (int h = 0; h < NUM_HANDLES; ++h) {
    if (mHandles[h].Contains(x, y)) {
      mDragMode = kHandleModes[h];
      return;
    }
  }
  if (mGatherRect.Contains(x, y)) {
    mDragMode = kDragGather;
  } else if (mScatterRect.Contains(x, y)) {
    mDragMode = kDragScatter;
  } else if (mBoundsBox.Contains(x, y)) {
    mDragMode = kDragBox;
  }
}

IRect VrelCanvas::DraggedBox(int x, int y) const {
  const IRect& box = mBoundsBox;
  const IRect& field = mFieldRect;
  IRect to = box;
  if (mDragMode == kDragBox) {
    CentreOn(x, field.mL, field.mR, &to.mL, &to.mR);
    CentreOn(y, field.mT, field.mB, &to.mT, &to.mB);
    return to;
  }
  if (MovesLeft(mDragMode)) to.mL = std::min(box.mR - MIN_BOX_SIZE, std::max(x, field.mL));
  if (MovesTop(mDragMode)) to.mT = std::min(box.mB - MIN_BOX_SIZE, std::max(y, field.mT));
  if (MovesRight(mDragMode)) to.mR = std::max(box.mL + MIN_BOX_SIZE, std::min(x, field.mR));
  if (MovesBottom(mDragMode)) to.mB = std::max(box.mT + MIN_BOX_SIZE, std::min(y, field.mB));
  return to;
}

void VrelCanvas::OnMouseDrag(int x, int y, int /*dX*/, int /*dY*/, const IMouseMods& /*mods*/) {
  mPressed = true;
  SetPointer(x, y);
  if (mDragMode >= kDragBox && mDragMode <= kDragBottomRight) {
    const IRect to = DraggedBox(x, y);
    mpVrels->SetBoundsFromView(to.mL - mFieldRect.mL, to.mT - mFieldRect.mT, to.mR - mFieldRect.mL,
                               to.mB - mFieldRect.mT);
  } else if ((mDragMode == kDragGather || mDragMode == kDragScatter) && mFieldRect.Contains(x, y)) {
    mpVrels->SetGather(true, mDragMode == kDragScatter ? 1 : 0, mPointerX, mPointerY);
  }
}

void VrelCanvas::OnMouseUp(int x, int y, const IMouseMods& /*mods*/) {
  mPressed = false;
  SetPointer(x, y);
  if (mDragMode == kDragGather || mDragMode == kDragScatter) {
    // Only the flag goes: the last target and direction stay as they were.
    vrels::ScopedLock lock(mpVrels->Mutex());
    const Swarm& swarm = mpVrels->GetSwarm();
    mpVrels->SetGather(false, swarm.mScatter, swarm.mGatherX, swarm.mGatherY);
    mDragMode = kDragNone;
  }
}

void VrelCanvas::CopySwarm(double bounds[4]) {
  vrels::ScopedLock lock(mpVrels->Mutex());
  mpVrels->GetSwarmSnapshot(&mSnapshot);
  const Swarm& swarm = mpVrels->GetSwarm();
  bounds[0] = swarm.mBoundLeft;
  bounds[1] = swarm.mBoundTop;
  bounds[2] = swarm.mBoundRight;
  bounds[3] = swarm.mBoundBottom;
}

bool VrelCanvas::Draw(IGraphics* graphics) {
  double bounds[4];
  CopySwarm(bounds);
  mBoundsBox =
      IRect(static_cast<int>(mFieldRect.mL + bounds[0]), static_cast<int>(mFieldRect.mT + bounds[1]),
            static_cast<int>(mFieldRect.mL + bounds[2]), static_cast<int>(mFieldRect.mT + bounds[3]));

  // The pointer can lie far right of and below the field (see SetPointer),
  // and the ring or tool image drawn there would reach past the canvas into
  // controls that nothing repaints for it.
  ScopedDrawClip clip(graphics, GetRect());
  const IBlend blend = GetBlend();
  DrawCreatures(graphics, blend);
  if (mPressed) DrawPointer(graphics, blend);
  DrawBounds(graphics, blend);
  return true;
}

void VrelCanvas::DrawCreatures(IGraphics* graphics, const IBlend& blend) {
  const int x0 = mFieldRect.mL, y0 = mFieldRect.mT;
  if (mSnapshot.mNumVrels > 0) {
    const SwarmSnapshotEntry& leader = mSnapshot.mEntries[0];
    const TrailPoint& p = leader.mTrail[leader.mTrailIndex];
    graphics->DrawCircle(BLACK, static_cast<float>(x0 + p.mX + MARK_OFFSET),
                         static_cast<float>(y0 + p.mY + MARK_OFFSET), LEADER_RING_RADIUS, &blend, false);
  }
  auto drawTrail = [&](const SwarmSnapshotEntry& entry, const IColour& colour, int newestSide) {
    int t = entry.mTrailIndex;
    for (int mark = 0; mark < TRAIL_MARKS; ++mark) {
      const TrailPoint& p = entry.mTrail[t];
      graphics->FillRect(colour, Square(x0 + p.mX, y0 + p.mY, newestSide - mark), &blend);
      t = (t + TRAIL_LENGTH - 1) % TRAIL_LENGTH;
    }
  };
  for (int v = 0; v < mSnapshot.mNumVrels; ++v) {
    const SwarmSnapshotEntry& entry = mSnapshot.mEntries[v];
    drawTrail(entry, Opaque(entry.mColour), VREL_SQUARE);
  }
  for (int c = 0; c < mSnapshot.mNumChasers; ++c) {
    drawTrail(mSnapshot.mEntries[MAX_NUM_VRELS + c], BLACK, CHASER_SQUARE);
  }
}

void VrelCanvas::DrawPointer(IGraphics* graphics, const IBlend& blend) {
  const int x = mFieldRect.mL + mPointerX, y = mFieldRect.mT + mPointerY;
  if (mDragMode == kDragGather || mDragMode == kDragScatter) {
    IBitmapInfo& image = mDragMode == kDragGather ? mGatherImage : mScatterImage;
    const int w = image.mW, h = image.FrameH();
    graphics->DrawBitmapFrame(&image, IRect(x - w / 2, y - h / 2, x + w / 2, y + h / 2), 1, &blend);
  } else {
    graphics->DrawCircle(GREY, static_cast<float>(x + MARK_OFFSET), static_cast<float>(y + MARK_OFFSET),
                         POINTER_RING_RADIUS, &blend, false);
  }
}

void VrelCanvas::DrawBounds(IGraphics* graphics, const IBlend& blend) {
  const IRect& b = mBoundsBox;
  const int t = FRAME_THICKNESS;
  graphics->FillRect(GREY, IRect(b.mL, b.mT, b.mR, b.mT + t), &blend);
  graphics->FillRect(GREY, IRect(b.mL, b.mB - t, b.mR, b.mB), &blend);
  graphics->FillRect(GREY, IRect(b.mL, b.mT, b.mL + t, b.mB), &blend);
  graphics->FillRect(GREY, IRect(b.mR - t, b.mT, b.mR, b.mB), &blend);
  if (mDragMode >= kDragBox && mDragMode <= kDragBottomRight) {
    for (int h = 0; h < NUM_HANDLES; ++h) {
      mHandles[h] = HandleRect(kHandleModes[h], b);
      graphics->FillRect(GREY, mHandles[h], &blend);
    }
  }
}
