// The grain envelope's readout and view: dragging the readout steps through
// the envelope shapes and wraps past either end, and the view beside it
// draws the chosen envelope as 50 one-pixel bars read back from the window.
#include <cmath>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "ReferenceImage.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// A readout's drag: value += dY / (top - bottom) / 25, so with its 16-pixel
// row one pixel down takes 1 / 400 off the value.
const double kPixelsPerTurn = 16.0 * 25.0;
// The nine shapes lie at value k / 8 (0 "Tukey" .. 8 "Hann-Pois"); a drag
// lands in the middle of the wanted shape's share.
const int kShapes = 9;
const int kRectangle = 5;
const int kHann = 2;
// The view: one bar per column, each from the bottom up to the curve, in
// this colour.
const uint32_t kFill = 0x456736;  // R 69, G 103, B 54
const int kBars = 50;
// The table's entries 0..255 spread over the view's width.
const int kEntries = 256;
// The view repaints on two successive ticks after a change of envelope.
const int kTicksAfterChange = 2;

// Pixels below the press that take a shape wrapped from the top (value 1)
// down to the middle of `shape`'s share.
int PixelsDownTo(int shape) {
  return static_cast<int>(std::lround((1.0 - double(shape) / (kShapes - 1)) * kPixelsPerTurn));
}

// The Hann window's entry i of 256.
double HannEntry(int i) {
  const double pi = 3.14159265358979323846;
  return 0.5 - 0.5 * std::cos(i * 2.0 * pi / 255.0);
}

// The bar heights the view must draw for a table: column i stands for the
// table position 256 / 50 x i, interpolated between its two entries.
template <typename Entry>
std::vector<int> ExpectedBars(Entry entry, int height) {
  std::vector<int> bars;
  for (int i = 0; i < kBars; ++i) {
    const double f = double(kEntries) / kBars * i;
    const int k = static_cast<int>(std::floor(f));
    const double v = entry(k) + (entry(k + 1) - entry(k)) * (f - k);
    bars.push_back(static_cast<int>(v * height));
  }
  return bars;
}

// The bars the screen shows: per column L + 1 .. R, the run of fill-coloured
// pixels from the bottom row up. Every pixel above a bar must be the
// background's: a bar left from an earlier envelope counts as a fault.
std::vector<int> BarsOnScreen(const Image& screen, const LayoutRect& view) {
  const Image background = Artwork(kImgBackground);
  std::vector<int> bars;
  for (int x = view.mL + 1; x <= view.mR; ++x) {
    int height = 0;
    while (height < view.H() && (screen.At(x, view.mB - 1 - height) & 0xFFFFFF) == kFill) ++height;
    for (int y = view.mT; y < view.mB - height; ++y) {
      EXPECT_EQ(background.At(x, y), screen.At(x, y)) << "above the bar at (" << x << ", " << y << ")";
    }
    bars.push_back(height);
  }
  return bars;
}

// Each bar within a pixel of the expected height (the product of the
// interpolated entry and the height may fall either side of an integer).
void ExpectBars(const std::vector<int>& expected, const std::vector<int>& shown) {
  ASSERT_EQ(expected.size(), shown.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(expected[i], shown[i], 1)
        << "bar " << i << (i + 1 == expected.size() ? " (one column right of the view's rectangle)" : "");
  }
}

using EnvelopeView = EditorFixture;

TEST_F(EnvelopeView, ReadoutWrapsPastBothEndsAndTheViewDrawsRectangleAndHann) {
  const ControlDesc& readout = ControlFor(kGEnvelop, kCtlReadout);
  const LayoutRect& view = kControls[kCtlIdxEnvelopeCanvas].mRect;
  const Point at = Centre(readout);
  ASSERT_EQ("Tukey", PluginHost().GetParamDisplay(kGEnvelop));

  // Down from the first shape: past 0, so the last.
  SendMouse(Editor(), WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  SendMouse(Editor(), WM_MOUSEMOVE, at.x, at.y + 1, MK_LBUTTON);
  EXPECT_EQ("Hann-Pois", PluginHost().GetParamDisplay(kGEnvelop));

  SendMouse(Editor(), WM_MOUSEMOVE, at.x, at.y + PixelsDownTo(kRectangle), MK_LBUTTON);
  ASSERT_EQ("Rectangle", PluginHost().GetParamDisplay(kGEnvelop));
  ASSERT_EQ(kTicksAfterChange, Tick(kTicksAfterChange));
  Image screen = Screenshot("envelope-rectangle.png");
  ExpectBars(std::vector<int>(kBars, view.H()), BarsOnScreen(screen, view));

  SendMouse(Editor(), WM_MOUSEMOVE, at.x, at.y + PixelsDownTo(kHann), MK_LBUTTON);
  ASSERT_EQ("Hann", PluginHost().GetParamDisplay(kGEnvelop));
  ASSERT_EQ(kTicksAfterChange, Tick(kTicksAfterChange));
  screen = Screenshot("envelope-hann.png");
  const std::vector<int> hann = BarsOnScreen(screen, view);
  ExpectBars(ExpectedBars(HannEntry, view.H()), hann);
  // Empty at both ends, full in the middle (its entries lie just below 1).
  EXPECT_EQ(0, hann.front());
  EXPECT_EQ(0, hann.back());
  EXPECT_GE(hann[kBars / 2], view.H() - 1);

  // Back up to the press: the value passes 1 again, so the first shape.
  SendMouse(Editor(), WM_MOUSEMOVE, at.x, at.y, MK_LBUTTON);
  EXPECT_EQ("Tukey", PluginHost().GetParamDisplay(kGEnvelop));
  SendMouse(Editor(), WM_LBUTTONUP, at.x, at.y, 0);
}

}  // namespace
}  // namespace guitest
