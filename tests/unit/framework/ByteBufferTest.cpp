#include <gtest/gtest.h>

#include <cstring>

#include "ByteBuffer.h"
#include "PointerList.h"

TEST(ByteBuffer, CapacityGrowsInPageStepsBelowPageBoundaries) {
  ByteBuffer buffer;
  // Small sizes take one page step: n + 4096 + 96, rounded down to a page, less 96.
  EXPECT_EQ(buffer.CapacityFor(1), 4096u - 96u);
  EXPECT_EQ(buffer.CapacityFor(1408), 4096u - 96u);
  EXPECT_EQ(buffer.CapacityFor(4001), 8192u - 96u);
  // Larger sizes step by half their size, rounded to pages, at most 4 MiB.
  EXPECT_EQ(buffer.CapacityFor(100000), (100000u + 49152u + 96u) / 4096u * 4096u - 96u);
  std::size_t big = 64u * 1024u * 1024u;
  EXPECT_EQ(buffer.CapacityFor(big), (big + 4u * 1024u * 1024u + 96u) / 4096u * 4096u - 96u);
  // A small granularity grows by the larger of it and n / 2.
  ByteBuffer fine(16);
  EXPECT_EQ(fine.CapacityFor(10), 26u);
  EXPECT_EQ(fine.CapacityFor(100), 150u);
}

TEST(ByteBuffer, ResizeKeepsBytesAndZeroFillsGrowth) {
  ByteBuffer buffer;
  const char text[] = "vrels";
  ASSERT_TRUE(buffer.Append(text, sizeof(text)));
  ASSERT_TRUE(buffer.Resize(10000));
  EXPECT_EQ(0, std::memcmp(buffer.Data(), text, sizeof(text)));
  for (std::size_t i = sizeof(text); i < 10000; ++i) ASSERT_EQ(buffer.Data()[i], 0) << i;
  // Shrinking then growing again exposes zeros, not the old bytes.
  ASSERT_TRUE(buffer.Resize(2));
  ASSERT_TRUE(buffer.Resize(6));
  EXPECT_EQ(buffer.Data()[0], 'v');
  EXPECT_EQ(buffer.Data()[2], 0);
}

TEST(ByteBuffer, ShrinksCapacityOnlyWhenAllowedAndWorthIt) {
  ByteBuffer buffer;
  ASSERT_TRUE(buffer.Resize(1000000));
  std::size_t large = buffer.Capacity();
  ASSERT_TRUE(buffer.Resize(10));
  EXPECT_EQ(buffer.Capacity(), large);  // not allowed
  ASSERT_TRUE(buffer.Resize(1000000));
  ASSERT_TRUE(buffer.Resize(10, true));
  EXPECT_EQ(buffer.Capacity(), buffer.CapacityFor(10));
  EXPECT_EQ(buffer.Size(), 10u);
}

TEST(ByteBuffer, ImpossibleSizeFailsAndKeepsEverything) {
  ByteBuffer buffer;
  ASSERT_TRUE(buffer.Append("abc", 3));
  std::size_t capacity = buffer.Capacity();
  EXPECT_FALSE(buffer.Resize(static_cast<std::size_t>(-1) / 2));
  EXPECT_EQ(buffer.Size(), 3u);
  EXPECT_EQ(buffer.Capacity(), capacity);
  EXPECT_EQ(0, std::memcmp(buffer.Data(), "abc", 3));
}

TEST(PointerList, AppendInsertTruncateAndBoundedGet) {
  int a = 1, b = 2, c = 3;
  PointerList<int> list;
  EXPECT_EQ(list.Get(0), nullptr);
  ASSERT_TRUE(list.Append(&a));
  ASSERT_TRUE(list.Append(&c));
  ASSERT_TRUE(list.Insert(1, &b));
  ASSERT_EQ(list.Size(), 3);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), &b);
  EXPECT_EQ(list.Get(2), &c);
  EXPECT_EQ(list.Get(3), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  list.Truncate(1);
  EXPECT_EQ(list.Size(), 1);
  EXPECT_EQ(list.Get(1), nullptr);
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(list.Append(&c));
  EXPECT_EQ(list.Get(1000), &c);
}
