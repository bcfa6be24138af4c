// The engine's intrusive doubly linked list. Elements derive from Node and are
// in at most one list at a time; a list owns its elements and deletes them
// when it is destroyed. Engine pools pair an active list with a free list:
// removal moves an element to the end of the free list and creation takes the
// first free element before allocating, so nothing is freed while the owner
// lives and the audio thread does not allocate once the pools have grown.
#pragma once

#include "Assert.h"

struct Node {
  Node* mpNext = nullptr;
  Node* mpPrev = nullptr;
};

template <class T>
class List {
 public:
  List() = default;
  ~List() {
    while (T* item = TakeFirst()) delete item;
  }
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  T* First() const { return static_cast<T*>(mpFirst); }
  T* Last() const { return static_cast<T*>(mpLast); }
  static T* Next(const T* item) { return static_cast<T*>(static_cast<const Node*>(item)->mpNext); }
  bool IsEmpty() const { return mpFirst == nullptr; }

  void Append(T* item) {
    Node* node = item;
    node->mpNext = nullptr;
    node->mpPrev = mpLast;
    if (mpLast) {
      mpLast->mpNext = node;
    } else {
      mpFirst = node;
    }
    mpLast = node;
  }

  void Remove(T* item) {
    VRELS_ASSERT(item != 0);
    Node* node = item;
    if (node->mpPrev) {
      node->mpPrev->mpNext = node->mpNext;
    } else {
      mpFirst = node->mpNext;
    }
    if (node->mpNext) {
      node->mpNext->mpPrev = node->mpPrev;
    } else {
      mpLast = node->mpPrev;
    }
    node->mpNext = node->mpPrev = nullptr;
  }

  // Unlinks and returns the first element; null when the list is empty.
  T* TakeFirst() {
    T* item = First();
    if (item) Remove(item);
    return item;
  }

  bool Contains(const T* item) const {
    for (const Node* node = mpFirst; node; node = node->mpNext) {
      if (node == static_cast<const Node*>(item)) return true;
    }
    return false;
  }

 private:
  Node* mpFirst = nullptr;
  Node* mpLast = nullptr;
};
