#include <gtest/gtest.h>

#include <vector>

#include "flock/GenericList.h"

namespace {
struct Item : Node {
  explicit Item(int value, int* deleted = nullptr) : mValue(value), mpDeleted(deleted) {}
  ~Item() {
    if (mpDeleted) ++*mpDeleted;
  }
  int mValue;
  int* mpDeleted;
};

std::vector<int> Values(const List<Item>& list) {
  std::vector<int> values;
  for (Item* item = list.First(); item; item = List<Item>::Next(item)) values.push_back(item->mValue);
  return values;
}
}  // namespace

TEST(GenericList, UnlinksFromAnywhereAndOwnsWhatItHolds) {
  int deleted = 0;
  {
    List<Item> list;
    Item* items[4];
    for (int i = 0; i < 4; ++i) {
      items[i] = new Item(i, &deleted);
      list.Append(items[i]);
    }
    list.Remove(items[1]);
    EXPECT_EQ(Values(list), (std::vector<int>{0, 2, 3}));
    list.Remove(items[3]);
    EXPECT_EQ(list.Last(), items[2]);
    EXPECT_FALSE(list.Contains(items[3]));
    EXPECT_EQ(list.TakeFirst(), items[0]);
    EXPECT_EQ(Values(list), (std::vector<int>{2}));
    list.Append(items[1]);  // re-linked elsewhere after removal
    EXPECT_EQ(Values(list), (std::vector<int>{2, 1}));
    delete items[0];
    delete items[3];
    EXPECT_EQ(deleted, 2);
  }
  EXPECT_EQ(deleted, 4);  // the list deleted the two it still held
  List<Item> empty;
  EXPECT_EQ(empty.TakeFirst(), nullptr);
}
