// The multiply-with-carry generator on two 32-bit words used by the swarm,
// the random LFOs and the random modulation source, each with its own state.
// Fixed seeds make every instance draw the same sequence.
#pragma once

#include <cstdint>

struct MwcRandom {
  static const std::uint32_t SEED_W = 0x1234;
  static const std::uint32_t SEED_Z = 0xFFFFEDCB;

  std::uint32_t mW = SEED_W;
  std::uint32_t mZ = SEED_Z;

  // Advances both words and returns (z << 16) + w, modulo 2^32.
  std::uint32_t NextBits() {
    mZ = 36969u * (mZ & 0xFFFFu) + (mZ >> 16);
    mW = 18000u * (mW & 0xFFFFu) + (mW >> 16);
    return (mZ << 16) + mW;
  }

  // A value in [0, 1]: the bits scaled by 2^-32 + 2^-64.
  double Next() { return NextBits() * 2.3283064370807974e-10; }
};
