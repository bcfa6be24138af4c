// The drawing layer on the off-screen buffer: a strip's frame chosen by the
// value and found at row int(H (frame - 1) / N + 0.5), drawn only inside the
// paint pass's rectangle; shapes and fills clipped the same way.
#include <gtest/gtest.h>

#include "GraphicsTestPlug.h"
#include "IBitmapControl.h"
#include "LICE_MemBitmap.h"
#include "TestGraphics.h"

namespace {

// A strip of 3 frames, 31 rows high in all (frames of uneven height), each
// pixel naming its own row and column.
const int STRIP_W = 4, STRIP_H = 31, STRIP_FRAMES = 3;

LICE_pixel StripPixel(int row, int column) {
  return LICE_RGBA(row, column, 0, 255);
}

TEST(Drawing, FramesComeFromTheirRowsAndStayInsideThePaintedArea) {
  GraphicsTestPlug plug;
  TestGraphics* graphics = new TestGraphics(&plug, 40, 40);
  plug.AttachEditor(graphics);
  LICE_MemBitmap strip(STRIP_W, STRIP_H);
  for (int y = 0; y < STRIP_H; ++y) {
    for (int x = 0; x < STRIP_W; ++x) strip.GetBits()[y * strip.GetRowSpan() + x] = StripPixel(y, x);
  }
  IBitmapControl* control =
      new IBitmapControl(&plug, 5, 6, kTestEnum, IBitmapInfo(&strip, STRIP_W, STRIP_H, STRIP_FRAMES));
  graphics->AttachControl(control);
  ASSERT_EQ(control->GetRect(), IRect(5, 6, 9, 16));  // one frame: 31 / 3 rows

  // value -> frame int(2 v + 0.5) + 1 -> first row int(31 (frame - 1) / 3 + 0.5)
  const double values[] = {0.0, 0.3, 0.74, 0.75, 1.0};
  const int firstRows[] = {0, 10, 10, 21, 21};
  for (int i = 0; i < 5; ++i) {
    control->SetValue(values[i]);
    const IColour mark(255, 1, 2, 3);
    graphics->Draw(IRect(0, 0, 40, 40));  // sets the draw rectangle for the fill
    graphics->FillRect(mark, IRect(0, 0, 40, 40), nullptr);
    graphics->Draw(IRect(0, 0, 7, 40));  // the left half of the control only
    for (int y = 6; y < 16; ++y) {
      for (int x = 5; x < 9; ++x) {
        const LICE_pixel expected = x < 7 ? StripPixel(firstRows[i] + y - 6, x - 5) : mark.Packed();
        ASSERT_EQ(graphics->GetPoint(x, y).Packed(), expected)
            << "value " << values[i] << " at " << x << "," << y;
      }
    }
  }

  // Shapes too stay inside: a line across the editor painted in a corner.
  graphics->Draw(IRect(0, 0, 40, 40));
  graphics->FillRect(IColour(255, 0, 0, 0), IRect(0, 0, 40, 40), nullptr);
  graphics->Draw(IRect(30, 30, 40, 40));
  graphics->DrawLine(IColour(255, 255, 255, 255), 0.0f, 35.0f, 39.0f, 35.0f, nullptr, false);
  EXPECT_EQ(graphics->GetPoint(29, 35).Packed(), IColour(255, 0, 0, 0).Packed());
  EXPECT_EQ(graphics->GetPoint(30, 35).Packed(), IColour(255, 255, 255, 255).Packed());
}

}  // namespace
