// A growable array of bytes: state chunks, channel scratch buffers,
// display-text tables and the storage of PointerList.
//
// Capacity grows in steps so that repeated appends stay cheap; when memory
// cannot be had the buffer keeps its old contents, capacity and size, and the
// operation reports failure. Bytes exposed by growing are zero.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteBuffer {
 public:
  static const std::size_t DEFAULT_GRANULARITY = 4096;

  explicit ByteBuffer(std::size_t granularity = DEFAULT_GRANULARITY);
  ~ByteBuffer();
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  // Sets the size to n bytes, keeping the existing bytes. With allowShrink the
  // capacity may also be reduced. False (and nothing changed) when no memory
  // can be had.
  bool Resize(std::size_t n, bool allowShrink = false);
  // Appends n bytes; false and unchanged when no memory can be had.
  bool Append(const void* bytes, std::size_t n);
  // Size 0, capacity kept.
  void Clear() { mSize = 0; }
  // Exchanges contents with another buffer (used to replace buffers only
  // once their successors were allocated).
  void Swap(ByteBuffer& other);

  std::uint8_t* Data() { return mpData; }
  const std::uint8_t* Data() const { return mpData; }
  std::size_t Size() const { return mSize; }
  std::size_t Capacity() const { return mCapacity; }
  bool IsEmpty() const { return mSize == 0; }

  // The capacity the buffer would choose for n bytes (exposed for tests).
  std::size_t CapacityFor(std::size_t n) const;

 private:
  std::uint8_t* mpData = nullptr;
  std::size_t mSize = 0;
  std::size_t mCapacity = 0;
  std::size_t mGranularity;
};
