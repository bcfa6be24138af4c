#include "ByteBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {
const std::size_t kPage = 4096;
const std::size_t kMaxStep = 4 * 1024 * 1024;
// Keeps room below a page boundary for the allocator's own header.
const std::size_t kAllocatorSlack = 96;
// Requests beyond this cannot be satisfied in any case; refusing them early
// keeps the capacity arithmetic free of overflow.
const std::size_t kMaxSize = std::numeric_limits<std::size_t>::max() / 4;
}  // namespace

ByteBuffer::ByteBuffer(std::size_t granularity) : mGranularity(granularity ? granularity : 1) {}

ByteBuffer::~ByteBuffer() {
  std::free(mpData);
}

std::size_t ByteBuffer::CapacityFor(std::size_t n) const {
  std::size_t step = std::max(mGranularity, n / 2);
  if (mGranularity >= kPage) {
    step = std::min(std::max(step / kPage * kPage, kPage), kMaxStep);
    return (n + step + kAllocatorSlack) / kPage * kPage - kAllocatorSlack;
  }
  return n + step;
}

bool ByteBuffer::Resize(std::size_t n, bool allowShrink) {
  if (n == mSize) return true;
  if (n > kMaxSize) return false;
  bool grow = n > mCapacity;
  bool shrink = allowShrink && n < mSize && n < mCapacity / 2 && mCapacity - n > 4 * mGranularity;
  if (grow || shrink) {
    std::size_t capacity = CapacityFor(n);
    void* p = std::realloc(mpData, capacity);
    if (!p) return false;
    mpData = static_cast<std::uint8_t*>(p);
    mCapacity = capacity;
  }
  if (n > mSize) std::memset(mpData + mSize, 0, n - mSize);
  mSize = n;
  return true;
}

bool ByteBuffer::Append(const void* bytes, std::size_t n) {
  std::size_t old = mSize;
  if (n > kMaxSize - old || !Resize(old + n)) return false;
  if (n) std::memcpy(mpData + old, bytes, n);
  return true;
}

void ByteBuffer::Swap(ByteBuffer& other) {
  std::swap(mpData, other.mpData);
  std::swap(mSize, other.mSize);
  std::swap(mCapacity, other.mCapacity);
  std::swap(mGranularity, other.mGranularity);
}
