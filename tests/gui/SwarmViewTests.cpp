// The swarm view under the mouse: the bounds box selected, resized by its
// edge handles down to its smallest width and moved into corners, and the
// gather tool pulling the leader while held. The view repaints only after
// a swarm update, so every step processes audio before the editor's tick;
// what the view shows is then read back from the window.
#include <algorithm>
#include <cmath>

#include "EditorFixture.h"
#include "ReferenceImage.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// The field: one pixel per field unit, its origin at (221, 92).
const LayoutRect kField = {221, 92, 521, 332};
const int kFieldCentreX = (kField.mL + kField.mR) / 2;
const int kFieldCentreY = (kField.mT + kField.mB) / 2;
// The bounds frame is four grey bars 2 pixels thick; a selected box has
// eight grey 10 x 10 handles centred on its corners and edge midpoints.
const uint32_t kGrey = 0x7F7F7F;
const int kFrameThickness = 2;
const int kHandleReach = 5;
const int kSmallestSide = 10;
// The leader's ring: black, radius 7, centred 2 pixels right of and below
// the leader's position.
const int kRingOffset = 2;
const int kRingRadius = 7;
// While held, the gather tool moves every vrel this fraction of its
// distance to the pointer at each swarm update.
const double kGatherPull = 0.05;

// Parameter values, normalised over their ranges: the longest update time
// (10 of 0.1 .. 10) gives two swarm updates per block of 256 frames at
// 44.1 kHz; one vrel of 0 .. 200; vrel speed 0 of 0 .. 20 keeps a vrel where
// only the gather tool moves it.
const float kLongestUpdateTime = 1.0f;
const int kUpdatesPerBlock = 2;
const float kNoVrels = 0.0f;
const float kOneVrel = 1.0f / 200.0f;
const float kStandingStill = 0.0f;

LayoutRect Box(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}

// Copies `part` into `image` with its top-left pixel at (x, y).
void Paste(Image* image, const Image& part, int x, int y) {
  for (int row = 0; row < part.height; ++row) {
    for (int column = 0; column < part.width; ++column) {
      image->pixels[static_cast<size_t>(y + row) * image->width + x + column] = part.At(column, row);
    }
  }
}

// What the view shows without creatures: the background with what lies in
// the view's area (the gather and scatter buttons below the field, the
// version text above it), the box's frame and, while the box is selected,
// its handles.
Image ExpectedView(const LayoutRect& box, bool selected) {
  const LayoutRect& view = kControls[kCtlIdxSwarmCanvas].mRect;
  Image image = BackgroundUnder(view);
  for (int button : {kCtlIdxGatherImage, kCtlIdxScatterImage}) {
    const ControlDesc& control = kControls[button];
    Paste(&image, ControlFrame(control, 1), control.mRect.mL - view.mL, control.mRect.mT - view.mT);
  }
  const ControlDesc& version = kControls[kCtlIdxVersionText];
  Paste(&image, TextOver(BackgroundUnder(version.mRect), kTextStyles[version.mStyle], "v1.0"),
        version.mRect.mL - view.mL, version.mRect.mT - view.mT);
  const int t = kFrameThickness;
  FillRect(&image, view.mL, view.mT, Box(box.mL, box.mT, box.mR, box.mT + t), kGrey);
  FillRect(&image, view.mL, view.mT, Box(box.mL, box.mB - t, box.mR, box.mB), kGrey);
  FillRect(&image, view.mL, view.mT, Box(box.mL, box.mT, box.mL + t, box.mB), kGrey);
  FillRect(&image, view.mL, view.mT, Box(box.mR - t, box.mT, box.mR, box.mB), kGrey);
  if (selected) {
    const int mx = (box.mL + box.mR) / 2, my = (box.mT + box.mB) / 2;
    const Point handles[] = {{box.mL, box.mT}, {box.mR, box.mT}, {box.mR, box.mB}, {box.mL, box.mB},
                             {box.mL, my},     {mx, box.mT},     {box.mR, my},     {mx, box.mB}};
    const int r = kHandleReach;
    for (const Point& h : handles)
      FillRect(&image, view.mL, view.mT, Box(h.x - r, h.y - r, h.x + r, h.y + r), kGrey);
  }
  return image;
}

// The centre of the leader's ring on the screen: the middle of the black
// pixels the view drew (black where the background is not), leaving out
// `skip`; found is false when there are none.
struct Ring {
  bool found = false;
  int x = 0, y = 0;
};
Ring FindRing(const Image& screen, const LayoutRect& skip) {
  const LayoutRect& view = kControls[kCtlIdxSwarmCanvas].mRect;
  const Image background = Artwork(kImgBackground);
  int left = view.mR, top = view.mB, right = -1, bottom = -1;
  for (int y = view.mT; y < view.mB; ++y) {
    for (int x = view.mL; x < view.mR; ++x) {
      if (x >= skip.mL && x < skip.mR && y >= skip.mT && y < skip.mB) continue;
      if ((screen.At(x, y) & 0xFFFFFF) != 0 || (background.At(x, y) & 0xFFFFFF) == 0) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  Ring ring;
  // A whole ring spans its diameter both ways.
  ring.found = right - left == 2 * kRingRadius && bottom - top == 2 * kRingRadius;
  ring.x = (left + right) / 2;
  ring.y = (top + bottom) / 2;
  return ring;
}

class SwarmView : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    if (HasFatalFailure()) return;
    PluginHost().SetParameter(kUpdTime, kLongestUpdateTime);
  }

  // One block of audio (a swarm update marks the view for redraw), then
  // the tick that paints it; the view as the screen then shows it.
  Image AfterSwarmUpdate(const std::string& screenshot = "") {
    ProcessBlocks(1);
    EXPECT_EQ(1, Tick());
    return Screenshot(screenshot);
  }

  // The view's part of a screenshot.
  static Image ViewOf(const Image& screen) {
    const LayoutRect& view = kControls[kCtlIdxSwarmCanvas].mRect;
    return Crop(screen, view.mL, view.mT, view.W(), view.H());
  }

  // A press at `from`, a drag to `to` and the release there.
  void Drag(Point from, Point to) {
    SendMouse(Editor(), WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    SendMouse(Editor(), WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    SendMouse(Editor(), WM_LBUTTONUP, to.x, to.y, 0);
  }
};

TEST_F(SwarmView, BoundsBoxShrinksToTenPixelsAndKeepsItsSizeInTheCorners) {
  PluginHost().SetParameter(kVrCount, kNoVrels);
  EXPECT_LE(LargestDifference(ExpectedView(kField, false), ViewOf(AfterSwarmUpdate())), kBlendTolerance)
      << "without vrels only the frame is drawn";

  // A press inside the box selects it; its handles come with the next paint.
  Drag({kFieldCentreX, kFieldCentreY}, {kFieldCentreX, kFieldCentreY});
  EXPECT_LE(LargestDifference(ExpectedView(kField, true), ViewOf(AfterSwarmUpdate("swarm-box-selected.png"))),
            kBlendTolerance);

  // The top edge's handle dragged down to y 300, then the right edge's far
  // to the left of the box: it stops 10 pixels right of the left edge.
  Drag({kFieldCentreX, kField.mT}, {kFieldCentreX, 300});
  LayoutRect box = Box(kField.mL, 300, kField.mR, kField.mB);
  EXPECT_LE(LargestDifference(ExpectedView(box, true), ViewOf(AfterSwarmUpdate())), kBlendTolerance);
  Drag({box.mR, (box.mT + box.mB) / 2}, {100, (box.mT + box.mB) / 2});
  box = Box(kField.mL, 300, kField.mL + kSmallestSide, kField.mB);
  EXPECT_LE(LargestDifference(ExpectedView(box, true), ViewOf(AfterSwarmUpdate("swarm-box-narrowest.png"))),
            kBlendTolerance);

  // Moved by a press inside it (clear of the handles) far beyond the
  // top-left corner, then far beyond the bottom-right one: 10 x 32 each time.
  Drag({box.mL + 2, box.mT + 8}, {0, 0});
  box = Box(kField.mL, kField.mT, kField.mL + kSmallestSide, kField.mT + 32);
  EXPECT_LE(LargestDifference(ExpectedView(box, true), ViewOf(AfterSwarmUpdate("swarm-box-top-left.png"))),
            kBlendTolerance);
  Drag({box.mL + 2, box.mT + 8}, {EDITOR_WIDTH, EDITOR_HEIGHT});
  box = Box(kField.mR - kSmallestSide, kField.mB - 32, kField.mR, kField.mB);
  EXPECT_LE(
      LargestDifference(ExpectedView(box, true), ViewOf(AfterSwarmUpdate("swarm-box-bottom-right.png"))),
      kBlendTolerance);
}

TEST_F(SwarmView, GatherToolPullsTheLeaderOnlyWhileHeld) {
  PluginHost().SetParameter(kVrCount, kOneVrel);
  PluginHost().SetParameter(kVrSpeed, kStandingStill);
  const LayoutRect nothing = {0, 0, 0, 0};
  const Ring start = FindRing(AfterSwarmUpdate("swarm-leader.png"), nothing);
  ASSERT_TRUE(start.found);
  const double startX = start.x - kField.mL - kRingOffset;
  const double startY = start.y - kField.mT - kRingOffset;
  // A target far from the leader, clear of the field's edges.
  const int targetX = startX < 150 ? 260 : 40;
  const int targetY = startY < 120 ? 200 : 40;
  const Point target = {kField.mL + targetX, kField.mT + targetY};

  // The tool taken from its button and held over the target.
  const Point tool = Centre(kControls[kCtlIdxGatherImage]);
  SendMouse(Editor(), WM_LBUTTONDOWN, tool.x, tool.y, MK_LBUTTON);
  SendMouse(Editor(), WM_MOUSEMOVE, target.x, target.y, MK_LBUTTON);
  const int heldBlocks = 5;
  ProcessBlocks(heldBlocks - 1);
  const Image held = AfterSwarmUpdate("swarm-gather-held.png");
  // The tool's image is drawn centred on the pointer.
  const Image gather = Artwork(kImgGather);
  const LayoutRect image = {target.x - gather.width / 2, target.y - gather.height / 2,
                            target.x + gather.width / 2, target.y + gather.height / 2};
  EXPECT_LE(LargestDifference(Composite(BackgroundUnder(image), gather, 1, 1),
                              Crop(held, image.mL, image.mT, image.W(), image.H())),
            kBlendTolerance);
  // Each update took the pull's share of the remaining way (the leader's
  // position is known to the pixel, its ring drawn at whole pixels).
  const double remaining = std::pow(1.0 - kGatherPull, heldBlocks * kUpdatesPerBlock);
  const Ring pulled = FindRing(held, image);
  ASSERT_TRUE(pulled.found);
  EXPECT_NEAR(targetX + (startX + 0.5 - targetX) * remaining, pulled.x - kField.mL - kRingOffset, 1.5);
  EXPECT_NEAR(targetY + (startY + 0.5 - targetY) * remaining, pulled.y - kField.mT - kRingOffset, 1.5);

  // Released: a vrel without speed stays where the pull left it.
  SendMouse(Editor(), WM_LBUTTONUP, target.x, target.y, 0);
  ProcessBlocks(heldBlocks - 1);
  const Ring after = FindRing(AfterSwarmUpdate("swarm-gather-released.png"), nothing);
  ASSERT_TRUE(after.found);
  EXPECT_EQ(pulled.x, after.x);
  EXPECT_EQ(pulled.y, after.y);
}

}  // namespace
}  // namespace guitest
