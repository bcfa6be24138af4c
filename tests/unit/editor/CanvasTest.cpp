// The swarm view and the grain envelope view on the plug-in's own editor:
// mouse input through the graphics object's entry points, as the window
// layer delivers it, and the paintings read back from the off-screen buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "IGraphics.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

namespace {

const IMouseMods LEFT(true, false);
const IRect EDITOR(0, 0, EDITOR_WIDTH, EDITOR_HEIGHT);

std::uint32_t Rgb(const IColour& c) {
  return c.Packed() & 0xFFFFFF;
}

IRect RectOfRow(int index) {
  const LayoutRect& r = kControls[index].mRect;
  return IRect(r.mL, r.mT, r.mR, r.mB);
}

struct Canvases : ::testing::Test {
  void Press(int x, int y) { graphics->OnMouseDown(x, y, LEFT); }
  void Drag(int x, int y) { graphics->OnMouseDrag(x, y, LEFT); }
  void Release(int x, int y) { graphics->OnMouseUp(x, y, IMouseMods()); }
  // The swarm's bounds in field units.
  IRect Bounds() const {
    return IRect(static_cast<int>(swarm.mBoundLeft), static_cast<int>(swarm.mBoundTop),
                 static_cast<int>(swarm.mBoundRight), static_cast<int>(swarm.mBoundBottom));
  }
  // Paints the area and reads it back, row by row.
  std::vector<std::uint32_t> Paint(const IRect& area) {
    graphics->Draw(area);
    std::vector<std::uint32_t> pixels;
    for (int y = area.mT; y < area.mB; ++y)
      for (int x = area.mL; x < area.mR; ++x) pixels.push_back(Rgb(graphics->GetPoint(x, y)));
    return pixels;
  }

  VrelsPlugin plug{nullptr};
  IGraphics* graphics = plug.GetGUI();
  const Swarm& swarm = plug.GetSwarm();
  const IRect canvas = RectOfRow(kCtlIdxSwarmCanvas);
};

// Points of the editor: inside the bounds box while it covers the field,
// and the middle of the right-edge handle of that box.
const int IN_BOX_X = 300, IN_BOX_Y = 200;
const int RIGHT_HANDLE_X = 521, RIGHT_HANDLE_Y = (92 + 332) / 2;

TEST_F(Canvases, RightEdgeDraggedFarLeftStopsAtATenPixelBox) {
  // The view covered the field when it was made, and marked nothing.
  EXPECT_EQ(Bounds(), IRect(0, 0, 300, 240));
  EXPECT_FALSE(plug.PresetModified());

  // No handle until the selected box has been painted: this press misses.
  Press(RIGHT_HANDLE_X, RIGHT_HANDLE_Y);
  Drag(100, RIGHT_HANDLE_Y);
  Release(100, RIGHT_HANDLE_Y);
  EXPECT_EQ(Bounds(), IRect(0, 0, 300, 240));

  Press(IN_BOX_X, IN_BOX_Y);
  graphics->Draw(canvas);
  Release(IN_BOX_X, IN_BOX_Y);
  Press(RIGHT_HANDLE_X, RIGHT_HANDLE_Y);
  Drag(400, RIGHT_HANDLE_Y);
  EXPECT_EQ(Bounds(), IRect(0, 0, 179, 240));
  graphics->Draw(canvas);
  Drag(100, RIGHT_HANDLE_Y + 50);
  Release(100, RIGHT_HANDLE_Y + 50);
  EXPECT_EQ(Bounds(), IRect(0, 0, 10, 240));
}

TEST_F(Canvases, BoxMovedIntoCornersKeepsItsSizeInsideTheField) {
  plug.SetBoundsFromView(50, 40, 150, 120);
  graphics->Draw(canvas);
  Press(300, 150);
  Drag(0, 0);
  EXPECT_EQ(Bounds(), IRect(0, 0, 100, 80));
  graphics->Draw(canvas);
  Drag(EDITOR_WIDTH, EDITOR_HEIGHT);
  EXPECT_EQ(Bounds(), IRect(200, 160, 300, 240));
  Release(EDITOR_WIDTH, EDITOR_HEIGHT);
}

TEST_F(Canvases, ToolsPullOrPushTheFlockOnlyWhileHeldInTheField) {
  const IRect gather = RectOfRow(kCtlIdxGatherImage), scatter = RectOfRow(kCtlIdxScatterImage);
  Press(gather.mL + 8, gather.mT + 8);
  Drag(221 + 100, 92 + 110);
  EXPECT_TRUE(swarm.mGatherActive);
  EXPECT_EQ(swarm.mScatter, 0);
  EXPECT_EQ(swarm.mGatherX, 100.0);
  EXPECT_EQ(swarm.mGatherY, 110.0);
  Drag(600, 200);  // beyond the field: the target stays
  EXPECT_EQ(swarm.mGatherX, 100.0);
  Release(600, 200);
  EXPECT_FALSE(swarm.mGatherActive);
  EXPECT_EQ(swarm.mGatherX, 100.0);
  EXPECT_EQ(swarm.mGatherY, 110.0);

  Press(scatter.mL + 8, scatter.mT + 8);
  Drag(221 + 50, 92 + 60);
  EXPECT_TRUE(swarm.mGatherActive);
  EXPECT_EQ(swarm.mScatter, 1);
  EXPECT_EQ(swarm.mGatherX, 50.0);
  Release(221 + 50, 92 + 60);
  EXPECT_FALSE(swarm.mGatherActive);
  EXPECT_EQ(Bounds(), IRect(0, 0, 300, 240));  // the box never moved
}

TEST_F(Canvases, PressOutsideTheBoxSelectsNothingAndTheRingStaysInTheCanvas) {
  const std::vector<std::uint32_t> before = Paint(EDITOR);
  // Outside the box; then held with the pointer ring (radius 8) straddling
  // the canvas's right edge.
  Press(210, 60);
  Drag(540, 300);
  const std::vector<std::uint32_t> held = Paint(EDITOR);
  const IRect ring(534 - 1, 302 - 9, 550 + 1, 302 + 10);
  int changed = 0, stray = 0;
  for (int y = 0; y < EDITOR_HEIGHT; ++y) {
    for (int x = 0; x < EDITOR_WIDTH; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * EDITOR_WIDTH + x;
      if (held[i] == before[i]) continue;
      ++changed;
      if (!canvas.Contains(x, y) || !ring.Contains(x, y)) {
        if (stray++ == 0) ADD_FAILURE() << "changed at (" << x << ", " << y << ")";
      }
    }
  }
  EXPECT_GT(changed, 0);  // the part of the ring inside the canvas
  EXPECT_EQ(stray, 0);    // no handles, nothing outside the canvas
  Release(540, 300);

  // A press in the box selects it: its bottom-right handle reaches past the
  // frame.
  Press(IN_BOX_X, IN_BOX_Y);
  graphics->Draw(canvas);
  EXPECT_EQ(Rgb(graphics->GetPoint(524, 335)), Rgb(IColour(255, 127, 127, 127)));
}

// ---- The envelope view --------------------------------------------------

const IColour ENVELOPE_FILL(255, 69, 103, 54);

// Paints the view with one column more on the right, where its last bar
// lies, and checks that column L + 1 + i is filled exactly heights[i]
// pixels up from the bottom, and column L not at all.
void ExpectBars(Canvases& test, const std::vector<int>& heights) {
  const IRect view = RectOfRow(kCtlIdxEnvelopeCanvas);
  const IRect area(view.mL, view.mT, view.mR + 1, view.mB);
  const std::vector<std::uint32_t> pixels = test.Paint(area);
  for (int column = 0; column < area.W(); ++column) {
    const int height = column == 0 ? 0 : heights[column - 1];
    for (int row = 0; row < area.H(); ++row) {
      const bool filled = pixels[static_cast<std::size_t>(row) * area.W() + column] == Rgb(ENVELOPE_FILL);
      EXPECT_EQ(filled, row >= area.H() - height) << "column " << column << ", row " << row;
    }
  }
}

TEST_F(Canvases, EnvelopeBarsFollowTheTable) {
  const int width = 50, height = 20;
  plug.GetParam(kGEnvelop)->Set(5);  // Rectangle: every entry 1
  plug.OnParamChanged(kGEnvelop);
  ExpectBars(*this, std::vector<int>(width, height));

  plug.GetParam(kGEnvelop)->Set(2);  // Hann
  plug.OnParamChanged(kGEnvelop);
  const double pi = 3.14159265358979323846;
  auto hann = [&](int entry) { return 0.5 - 0.5 * std::cos(entry * 2 * pi / 255); };
  std::vector<int> heights;
  for (int i = 0; i < width; ++i) {
    // Column i sits at 256 / 50 * i entries, between the entries around it.
    const double position = 256.0 / width * i;
    const int below = static_cast<int>(std::floor(position));
    const double v = hann(below) + (hann(below + 1) - hann(below)) * (position - below);
    heights.push_back(static_cast<int>(v * height));
  }
  ExpectBars(*this, heights);
}

}  // namespace
