// A short MIDI message inside the current block.
#pragma once

#include <cstdint>

struct MidiMessage {
  std::int32_t mOffset = 0;  // frame offset inside the current block
  std::uint8_t mStatus = 0;
  std::uint8_t mData1 = 0;
  std::uint8_t mData2 = 0;
};
