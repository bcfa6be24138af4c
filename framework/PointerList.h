// An ordered list of pointers kept in a ByteBuffer. The list does not own its
// elements: the owner deletes them (children before parents, last first).
#pragma once

#include <cstring>

#include "ByteBuffer.h"

template <class T>
class PointerList {
 public:
  PointerList() : mBuffer(sizeof(T*) * 16) {}

  int Size() const { return static_cast<int>(mBuffer.Size() / sizeof(T*)); }

  // Null outside the list.
  T* Get(int index) const {
    if (index < 0 || index >= Size()) return nullptr;
    return Items()[index];
  }

  // False (list unchanged) when no memory can be had.
  bool Append(T* item) { return mBuffer.Append(&item, sizeof(T*)); }

  // Inserts before the element at index (clipped to 0..Size()).
  bool Insert(int index, T* item) {
    int n = Size();
    if (index < 0) index = 0;
    if (index > n) index = n;
    if (!mBuffer.Resize(mBuffer.Size() + sizeof(T*))) return false;
    T** items = Items();
    std::memmove(items + index + 1, items + index, sizeof(T*) * (n - index));
    items[index] = item;
    return true;
  }

  // Keeps the first n elements; the caller has deleted the others.
  void Truncate(int n) {
    if (n >= 0 && n < Size()) mBuffer.Resize(sizeof(T*) * n);
  }

 private:
  T** Items() const { return reinterpret_cast<T**>(const_cast<std::uint8_t*>(mBuffer.Data())); }

  ByteBuffer mBuffer;
};
