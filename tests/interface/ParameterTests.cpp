// Parameter values and texts as the host reads and writes them. The checks
// hold for any parameter table: they compare values through the interface
// rather than against a particular range.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "PluginEnvironment.h"
#include "TextBuffer.h"

namespace interfacetest {
namespace {

using testhost::Host;

const size_t kHostTextSize = 64;       // what hosts give for parameter texts
const size_t kMaxNameCharacters = 31;  // names and labels are 32-byte fields

class Parameters : public testing::Test {
 protected:
  void SetUp() override {
    mHost = OpenInstance();
    ASSERT_TRUE(mHost);
  }
  std::unique_ptr<Host> mHost;
};

TEST_F(Parameters, HostValuesAreLimitedToTheNormalizedRange) {
  const float infinity = std::numeric_limits<float>::infinity();
  for (int32_t i = 0; i < kNumParams; ++i) {
    mHost->SetParameter(i, 0.0f);
    const float atZero = mHost->GetParameter(i);
    EXPECT_GE(atZero, 0.0f) << i;
    EXPECT_LE(atZero, 1.0f) << i;

    mHost->SetParameter(i, 1.0f);
    EXPECT_EQ(1.0f, mHost->GetParameter(i)) << i;
    mHost->SetParameter(i, -3.0f);
    EXPECT_EQ(atZero, mHost->GetParameter(i)) << "below 0, parameter " << i;
    mHost->SetParameter(i, 7.0f);
    EXPECT_EQ(1.0f, mHost->GetParameter(i)) << "above 1, parameter " << i;
    mHost->SetParameter(i, -infinity);
    EXPECT_EQ(atZero, mHost->GetParameter(i)) << i;
    mHost->SetParameter(i, infinity);
    EXPECT_EQ(1.0f, mHost->GetParameter(i)) << i;
  }
}

TEST_F(Parameters, NotANumberLeavesTheValue) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int32_t i = 0; i < kNumParams; ++i) mHost->SetParameter(i, (i % 2) ? 1.0f : 0.0f);
  const std::vector<float> before = AllParameters(*mHost);
  const std::vector<uint8_t> chunkBefore = mHost->GetChunk(false);
  for (int32_t i = 0; i < kNumParams; ++i) mHost->SetParameter(i, nan);
  EXPECT_EQ(before, AllParameters(*mHost));
  EXPECT_EQ(chunkBefore, mHost->GetChunk(false));
}

TEST_F(Parameters, IndicesOutsideTheTableAreIgnored) {
  const std::vector<uint8_t> chunkBefore = mHost->GetChunk(false);
  for (int32_t index : {-1, -1000, 100000, std::numeric_limits<int32_t>::min()}) {
    mHost->SetParameter(index, 1.0f);
    EXPECT_EQ(0.0f, mHost->GetParameter(index)) << index;
  }
  EXPECT_EQ(chunkBefore, mHost->GetChunk(false));
}

TEST_F(Parameters, HostWritesAreNotReportedBack) {
  for (int32_t i = 0; i < kNumParams; ++i) mHost->SetParameter(i, 1.0f);
  EXPECT_TRUE(mHost->Log().Automations().empty());
  EXPECT_TRUE(mHost->Log().BeginEdits().empty());
  EXPECT_TRUE(mHost->Log().EndEdits().empty());
}

TEST_F(Parameters, TextsFitTheHostBuffers) {
  for (int32_t i = 0; i < kNumParams; ++i) {
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      TextBuffer buffer(kHostTextSize);
      EXPECT_EQ(0, mHost->Dispatch(opcode, i, 0, buffer.data())) << opcode << " " << i;
      ASSERT_TRUE(buffer.Terminated()) << opcode << " " << i;
      EXPECT_TRUE(buffer.GuardIntact()) << opcode << " " << i;
      if (opcode == effGetParamDisplay) {
        EXPECT_FALSE(buffer.Text().empty()) << "display of " << i;
      } else {
        EXPECT_LE(buffer.Text().size(), kMaxNameCharacters) << opcode << " " << i;
      }
    }
  }
}

TEST_F(Parameters, TextsOfMissingParametersWriteNothing) {
  // 189 is past every record the plug-in may hold (175 announced and the
  // plug-in's own ones after them).
  for (int32_t index : {-1, 189, 1000}) {
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      TextBuffer buffer(kHostTextSize);
      EXPECT_EQ(0, mHost->Dispatch(opcode, index, 0, buffer.data())) << opcode << " " << index;
      EXPECT_TRUE(buffer.Untouched()) << opcode << " " << index;
    }
  }
  for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
    EXPECT_EQ(0, mHost->Dispatch(opcode, 0, 0, nullptr));
  }
}

}  // namespace
}  // namespace interfacetest
