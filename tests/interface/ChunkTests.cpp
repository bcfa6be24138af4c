// The state chunk exchanged with the host: its layout, round trips, and
// chunks that are short, headerless, out of range or malformed. Values are
// compared against the ranges the plug-in itself reports through chunks, so
// the cases hold for any parameter table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::Host;

const size_t kChunkSize = kChunkHeaderSize + kNumParams * sizeof(double);  // 1408
const bool kBank = true;
const bool kProgram = false;

class Chunks : public testing::Test {
 protected:
  void SetUp() override {
    mHost = OpenInstance();
    ASSERT_TRUE(mHost);
    ASSERT_EQ(size_t(kNumParams), Ranges().min.size());
    ASSERT_EQ(size_t(kNumParams), Ranges().max.size());
  }

  // Some parameters at the top of their range, some at the bottom.
  void SetMixedValues(int pattern) {
    for (int32_t i = 0; i < kNumParams; ++i) {
      mHost->SetParameter(i, (i * 7 + pattern) % 3 == 0 ? 1.0f : 0.0f);
    }
  }

  std::unique_ptr<Host> mHost;
};

TEST_F(Chunks, LayoutIsHeaderAndOneDoublePerParameter) {
  const uint8_t header[] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  for (bool bank : {kBank, kProgram}) {
    const std::vector<uint8_t> chunk = mHost->GetChunk(bank);
    ASSERT_EQ(kChunkSize, chunk.size()) << (bank ? "bank" : "program");
    EXPECT_TRUE(std::equal(header, header + sizeof header, chunk.begin()));
  }
  EXPECT_EQ(mHost->GetChunk(kBank), mHost->GetChunk(kProgram));

  // The values are the parameters' real values (the top of the range here,
  // up to the rounding of min + 1 * (max - min)).
  for (int32_t i = 0; i < kNumParams; ++i) mHost->SetParameter(i, 1.0f);
  const std::vector<double> values = ChunkValues(mHost->GetChunk(kProgram));
  ASSERT_EQ(size_t(kNumParams), values.size());
  for (int32_t i = 0; i < kNumParams; ++i) {
    const double max = Ranges().max[i];
    EXPECT_NEAR(max, values[i], 1e-12 * std::max(1.0, std::fabs(max))) << i;
  }

  EXPECT_EQ(0, mHost->Dispatch(effGetChunk, 1, 0, nullptr));
  EXPECT_EQ(0, mHost->Dispatch(effGetChunk, 0, 0, nullptr));
}

TEST_F(Chunks, BankAndProgramChunksAreKeptApart) {
  // Each kind of chunk stays valid until the next request of the same kind.
  SetMixedValues(0);
  void* bank = nullptr;
  ASSERT_EQ(intptr_t(kChunkSize), mHost->Dispatch(effGetChunk, 0, 0, &bank));
  const std::vector<uint8_t> bankCopy(static_cast<uint8_t*>(bank), static_cast<uint8_t*>(bank) + kChunkSize);
  SetMixedValues(1);
  void* program = nullptr;
  ASSERT_EQ(intptr_t(kChunkSize), mHost->Dispatch(effGetChunk, 1, 0, &program));
  EXPECT_TRUE(std::equal(bankCopy.begin(), bankCopy.end(), static_cast<uint8_t*>(bank)));
  EXPECT_NE(bankCopy, mHost->GetChunk(kProgram));
}

TEST_F(Chunks, RoundTripRestoresEveryValue) {
  SetMixedValues(2);
  const std::vector<float> values = AllParameters(*mHost);
  for (bool bank : {kBank, kProgram}) {
    const std::vector<uint8_t> chunk = mHost->GetChunk(bank);
    auto other = OpenInstance();
    ASSERT_TRUE(other);
    EXPECT_EQ(1, other->SetChunk(chunk, bank));
    EXPECT_EQ(values, AllParameters(*other));
    EXPECT_EQ(chunk, other->GetChunk(bank));
  }
}

TEST_F(Chunks, GotSetAndGotAgainIsByteIdentical) {
  SetMixedValues(1);
  for (bool bank : {kBank, kProgram}) {
    const std::vector<uint8_t> first = mHost->GetChunk(bank);
    ASSERT_EQ(1, mHost->SetChunk(first, bank));
    EXPECT_EQ(first, mHost->GetChunk(bank));
  }
}

TEST_F(Chunks, ValuesOutsideTheRangeAreClamped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  for (int32_t i = 0; i < kNumParams; ++i) mHost->SetParameter(i, 1.0f);

  // Not a number loads as the minimum.
  EXPECT_EQ(1, mHost->SetChunk(MakeChunk(std::vector<double>(kNumParams, nan)), kProgram));
  EXPECT_EQ(Ranges().min, ChunkValues(mHost->GetChunk(kProgram)));
  for (int32_t i = 0; i < kNumParams; ++i) EXPECT_EQ(0.0f, mHost->GetParameter(i)) << i;

  EXPECT_EQ(1, mHost->SetChunk(MakeChunk(std::vector<double>(kNumParams, infinity)), kProgram));
  EXPECT_EQ(Ranges().max, ChunkValues(mHost->GetChunk(kProgram)));
  for (int32_t i = 0; i < kNumParams; ++i) EXPECT_EQ(1.0f, mHost->GetParameter(i)) << i;

  EXPECT_EQ(1, mHost->SetChunk(MakeChunk(std::vector<double>(kNumParams, -infinity)), kProgram));
  EXPECT_EQ(Ranges().min, ChunkValues(mHost->GetChunk(kProgram)));
}

TEST_F(Chunks, HeaderlessValuesAreReadFromTheStart) {
  // 1400 bytes of bare values.
  const std::vector<uint8_t> bare = MakeChunk(Ranges().max, false);
  ASSERT_EQ(size_t(kNumParams * sizeof(double)), bare.size());
  EXPECT_EQ(1, mHost->SetChunk(bare, kProgram));
  for (int32_t i = 0; i < kNumParams; ++i) EXPECT_EQ(1.0f, mHost->GetParameter(i)) << i;
  EXPECT_EQ(MakeChunk(Ranges().max), mHost->GetChunk(kProgram));
}

TEST_F(Chunks, ExtraBytesAndOtherVersionsAreAccepted) {
  std::vector<uint8_t> longer = MakeChunk(Ranges().max);
  longer.resize(longer.size() + 16, 0xFF);
  EXPECT_EQ(1, mHost->SetChunk(longer, kProgram));
  EXPECT_EQ(Ranges().max, ChunkValues(mHost->GetChunk(kProgram)));

  EXPECT_EQ(1, mHost->SetChunk(MakeChunk(Ranges().min, true, 0x00020000), kProgram));
  EXPECT_EQ(Ranges().min, ChunkValues(mHost->GetChunk(kProgram)));
}

TEST_F(Chunks, ShortChunkAppliesTheValuesItHolds) {
  const std::vector<double> before = ChunkValues(mHost->GetChunk(kProgram));
  const size_t kValuesGiven = 10;
  const std::vector<double> given(Ranges().max.begin(), Ranges().max.begin() + kValuesGiven);
  const std::vector<uint8_t> shortChunk = MakeChunk(given);
  ASSERT_EQ(size_t(88), shortChunk.size());

  EXPECT_EQ(0, mHost->SetChunk(shortChunk, kProgram));
  const std::vector<double> after = ChunkValues(mHost->GetChunk(kProgram));
  ASSERT_EQ(size_t(kNumParams), after.size());
  for (size_t i = 0; i < kValuesGiven; ++i) EXPECT_EQ(given[i], after[i]) << i;
  // The parameter where the data ran out gets 0.0 limited to its range.
  const double zeroInRange = std::min(std::max(0.0, Ranges().min[kValuesGiven]), Ranges().max[kValuesGiven]);
  EXPECT_EQ(zeroInRange, after[kValuesGiven]);
  for (size_t i = kValuesGiven + 1; i < size_t(kNumParams); ++i) EXPECT_EQ(before[i], after[i]) << i;
}

TEST_F(Chunks, MalformedRequestsChangeNothing) {
  SetMixedValues(0);
  const std::vector<uint8_t> before = mHost->GetChunk(kProgram);
  const std::vector<uint8_t> other = MakeChunk(Ranges().max);
  for (bool bank : {kBank, kProgram}) {
    // A header cut short before the version: nothing can be read.
    for (size_t size : {4, 6, 7}) {
      const std::vector<uint8_t> truncated(other.begin(), other.begin() + size);
      EXPECT_EQ(0, mHost->SetChunk(truncated, bank)) << size;
      EXPECT_EQ(before, mHost->GetChunk(kProgram)) << size;
    }
    // A negative byte count, with valid data behind the pointer.
    EXPECT_EQ(0, mHost->SetChunk(other.data(), -intptr_t(other.size()), bank));
    EXPECT_EQ(0, mHost->SetChunk(other.data(), -1, bank));
    EXPECT_EQ(before, mHost->GetChunk(kProgram));
    // No data at all.
    EXPECT_EQ(0, mHost->SetChunk(nullptr, intptr_t(other.size()), bank));
    EXPECT_EQ(before, mHost->GetChunk(kProgram));
  }
}

}  // namespace
}  // namespace interfacetest
