// Text placement against the rules of GDI's DrawText that the Windows layer
// follows, with Liberation Sans' own metrics (those of Arial: 2048 units to
// the em, Windows ascent 1854, descent 434): a size-13 font is the largest
// whole em (12 pixels) whose cell (12 x 2288 / 2048 = 13.4, so 13) does not
// exceed 13; its ascent is 12 x 1854 / 2048 = 10.9, so 11.
#include <gtest/gtest.h>

#include "LICE_MemBitmap.h"
#include "linux/FreeTypeText.h"

namespace {

const int kWidth = 160, kHeight = 60;
const LICE_pixel kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

struct Ink {
  int mL = kWidth, mT = kHeight, mR = -1, mB = -1;  // inclusive bounds of non-black pixels
};

class TextCanvas {
 public:
  TextCanvas() : mBitmap(kWidth, kHeight, 4) {}
  Ink Draw(const char* text, int align, const FreeTypeText::Box& rect,
           const FreeTypeText::Box& clip = {0, 0, kWidth, kHeight}) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) Pixel(x, y) = kBlack;
    EXPECT_TRUE(mText.Draw(&mBitmap, {"Arial", 13, 0, 0}, kWhite, align, text, rect, clip));
    Ink ink;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (Pixel(x, y) == kBlack) continue;
        ink.mL = std::min(ink.mL, x);
        ink.mR = std::max(ink.mR, x);
        ink.mT = std::min(ink.mT, y);
        ink.mB = std::max(ink.mB, y);
      }
    }
    return ink;
  }
  LICE_pixel& Pixel(int x, int y) { return mBitmap.GetBits()[y * mBitmap.GetRowSpan() + x]; }
  FreeTypeText& Text() { return mText; }

 private:
  LICE_MemBitmap mBitmap;
  FreeTypeText mText;
};

TEST(FreeTypeText, BaselineAndAlignmentFollowGdi) {
  TextCanvas canvas;
  int ascent = 0;
  ASSERT_TRUE(canvas.Text().Metrics({"Arial", 13, 0, 0}, &ascent, nullptr));
  EXPECT_EQ(ascent, 11);
  // A flat-bottomed capital ends on the row above the baseline, top + 11.
  const FreeTypeText::Box rect = {20, 20, 120, 36};
  EXPECT_EQ(canvas.Draw("H", FreeTypeText::kAlignLeft, rect).mB, 20 + 11 - 1);

  // Centred text starts at (left + right - width) / 2, right-aligned text at
  // right - width: the same ink, moved by that much from the left edge.
  int width = 0;
  ASSERT_TRUE(canvas.Text().Measure({"Arial", 13, 0, 0}, "Tukey", &width, nullptr));
  ASSERT_GT(width, 0);
  const Ink left = canvas.Draw("Tukey", FreeTypeText::kAlignLeft, rect);
  const Ink centre = canvas.Draw("Tukey", FreeTypeText::kAlignCentre, rect);
  const Ink right = canvas.Draw("Tukey", FreeTypeText::kAlignRight, rect);
  EXPECT_EQ(centre.mL - left.mL, (rect.mL + rect.mR - width) / 2 - rect.mL);
  EXPECT_EQ(right.mL - left.mL, rect.mR - width - rect.mL);
  EXPECT_EQ(centre.mT, left.mT);
  EXPECT_EQ(right.mB, left.mB);

  // Nothing is clipped to the rectangle, but nothing is drawn beyond the
  // clip box.
  const FreeTypeText::Box narrow = {20, 20, 30, 36};
  EXPECT_GT(canvas.Draw("Tukey", FreeTypeText::kAlignLeft, narrow).mR, narrow.mR);
  EXPECT_EQ(canvas.Draw("Tukey", FreeTypeText::kAlignLeft, narrow, {0, 0, 30, kHeight}).mR, 29);
}

TEST(FreeTypeText, Utf8AndLatin1SpellTheSameCharacter) {
  TextCanvas canvas;
  const FreeTypeText::Box rect = {10, 10, 150, 30};
  const Ink utf8 = canvas.Draw("d\xC3\xA9j\xC3\xA0", FreeTypeText::kAlignLeft, rect);
  std::vector<LICE_pixel> first;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) first.push_back(canvas.Pixel(x, y));
  const Ink latin1 = canvas.Draw("d\xE9j\xE0", FreeTypeText::kAlignLeft, rect);
  int differing = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) differing += first[y * kWidth + x] != canvas.Pixel(x, y);
  EXPECT_EQ(differing, 0);
  // Four characters either way, not the five or six bytes of the UTF-8 text.
  const Ink plain = canvas.Draw("deja", FreeTypeText::kAlignLeft, rect);
  EXPECT_EQ(utf8.mR, plain.mR);
  EXPECT_EQ(latin1.mR, plain.mR);
  EXPECT_LT(utf8.mT, plain.mT);  // the accents rise above the plain letters

  // F5..FF never begin UTF-8: such a byte is one Latin-1 letter, and the
  // bytes after it are read on their own.
  const Ink latinTilde = canvas.Draw("\xF5\x80\x80|", FreeTypeText::kAlignLeft, rect);
  const Ink plainTilde = canvas.Draw("\xC3\xB5\xC2\x80\xC2\x80|", FreeTypeText::kAlignLeft, rect);
  EXPECT_EQ(latinTilde.mR, plainTilde.mR);
}

}  // namespace
