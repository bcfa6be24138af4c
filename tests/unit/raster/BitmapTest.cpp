// The storage rules of the two bitmap kinds.
#include <gtest/gtest.h>

#include <cstdint>

#include "LICE_MemBitmap.h"
#include "LICE_SysBitmap.h"

namespace {

bool Is64ByteAligned(const void* p) {
  return reinterpret_cast<std::uintptr_t>(p) % 64 == 0;
}

}  // namespace

// 10 x 10 -> 9 x 9 keeps the storage; -> 20 x 20 allocates 5/4 of the new
// need; rows are 4-pixel aligned and start 64-byte aligned; a zero size
// frees the storage; a size that cannot be had leaves 0 x 0 without storage.
TEST(MemBitmap, ResizeRules) {
  LICE_MemBitmap bitmap(10, 10, 4);
  EXPECT_EQ(12, bitmap.GetRowSpan());
  ASSERT_NE(nullptr, bitmap.GetBits());
  EXPECT_TRUE(Is64ByteAligned(bitmap.GetBits()));
  LICE_pixel* bits = bitmap.GetBits();
  std::size_t allocated = bitmap.AllocatedBytes();

  EXPECT_TRUE(bitmap.Resize(9, 9));
  EXPECT_EQ(bits, bitmap.GetBits());
  EXPECT_EQ(allocated, bitmap.AllocatedBytes());
  EXPECT_EQ(9, bitmap.GetWidth());
  EXPECT_EQ(12, bitmap.GetRowSpan());

  EXPECT_TRUE(bitmap.Resize(20, 20));
  EXPECT_EQ(20u * 20u * 4u * 5u / 4u, bitmap.AllocatedBytes());
  EXPECT_TRUE(Is64ByteAligned(bitmap.GetBits()));
  EXPECT_FALSE(bitmap.Resize(20, 20));

  EXPECT_TRUE(bitmap.Resize(0, 7));
  EXPECT_EQ(nullptr, bitmap.GetBits());
  EXPECT_EQ(0u, bitmap.AllocatedBytes());

  EXPECT_TRUE(bitmap.Resize(100000, 100000));
  EXPECT_EQ(nullptr, bitmap.GetBits());
  EXPECT_EQ(0, bitmap.GetWidth());
  EXPECT_EQ(0, bitmap.GetHeight());

  // The alignment's lowest set bit counts, up to 16 pixels.
  EXPECT_EQ(10, LICE_MemBitmap(10, 1, 1).GetRowSpan());
  EXPECT_EQ(10, LICE_MemBitmap(9, 1, 6).GetRowSpan());
  EXPECT_EQ(16, LICE_MemBitmap(9, 1, 64).GetRowSpan());
}

// The off-screen buffer: rows of the width rounded up to 4; a size within
// the allocation keeps the storage, a larger one makes it anew; every row
// can be written and read back.
TEST(SysBitmap, ResizeRules) {
  LICE_SysBitmap bitmap(10, 10);
  ASSERT_NE(nullptr, bitmap.GetBits());
  EXPECT_EQ(12, bitmap.GetRowSpan());
  LICE_pixel* bits = bitmap.GetBits();
  EXPECT_FALSE(bitmap.Resize(10, 10));
  EXPECT_TRUE(bitmap.Resize(12, 7));
  EXPECT_EQ(bits, bitmap.GetBits());
  EXPECT_EQ(12, bitmap.GetWidth());

  EXPECT_TRUE(bitmap.Resize(13, 11));
  ASSERT_NE(nullptr, bitmap.GetBits());
  EXPECT_EQ(16, bitmap.GetRowSpan());
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 13; ++x) bitmap.GetBits()[y * 16 + x] = static_cast<LICE_pixel>(y * 100 + x);
  }
  EXPECT_EQ(10u * 100u + 12u, bitmap.GetBits()[10 * 16 + 12]);
#ifdef _WIN32
  EXPECT_NE(nullptr, bitmap.GetDrawingContext());
#else
  EXPECT_EQ(nullptr, bitmap.GetDrawingContext());
#endif
}
