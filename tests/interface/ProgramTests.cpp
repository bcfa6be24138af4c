// Programs: the six slots, their names, what selecting one captures and
// restores, and how chunk transfers write the current slot.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginEnvironment.h"
#include "TextBuffer.h"

namespace interfacetest {
namespace {

using testhost::Host;

const size_t kHostProgramNameSize = 256;  // what hosts give in practice

class Programs : public testing::Test {
 protected:
  void SetUp() override {
    mHost = OpenInstance();
    ASSERT_TRUE(mHost);
  }

  // Puts the instance into one of a few recognisable states and returns the
  // parameters as the host then reads them.
  std::vector<float> SetState(int pattern) {
    for (int32_t i = 0; i < kNumParams; ++i) {
      mHost->SetParameter(i, (i + pattern) % 4 == 0 ? 1.0f : 0.0f);
    }
    return AllParameters(*mHost);
  }

  std::unique_ptr<Host> mHost;
};

TEST_F(Programs, FreshSlotsAreNumbered) {
  EXPECT_EQ(0, mHost->GetProgram());
  EXPECT_EQ("- 1 -", mHost->GetProgramName());
  for (int32_t i = 0; i < kNumPrograms; ++i) {
    TextBuffer buffer(kHostProgramNameSize);
    EXPECT_EQ(1, mHost->Dispatch(effGetProgramNameIndexed, i, 0, buffer.data())) << i;
    EXPECT_EQ("- " + std::to_string(i + 1) + " -", buffer.Text());
  }
  // The category argument is ignored.
  EXPECT_EQ("- 3 -", mHost->GetProgramNameIndexed(2));
  TextBuffer withCategory(kHostProgramNameSize);
  EXPECT_EQ(1, mHost->Dispatch(effGetProgramNameIndexed, 2, 5, withCategory.data()));
  EXPECT_EQ("- 3 -", withCategory.Text());

  // Beyond the slots: an empty text and 0.
  for (int32_t index : {kNumPrograms, -1, 1000}) {
    TextBuffer buffer(kHostProgramNameSize);
    EXPECT_EQ(0, mHost->Dispatch(effGetProgramNameIndexed, index, 0, buffer.data())) << index;
    EXPECT_EQ('\0', buffer.bytes[0]) << index;
    EXPECT_TRUE(buffer.GuardIntact());
  }
  EXPECT_EQ(0, mHost->Dispatch(effGetProgramNameIndexed, 0, 0, nullptr));
  EXPECT_EQ(0, mHost->Dispatch(effGetProgramName, 0, 0, nullptr));
}

TEST_F(Programs, SelectingASlotCapturesAndReselectingRestores) {
  const std::vector<float> first = SetState(0);
  EXPECT_EQ(0, mHost->SetProgram(2));
  EXPECT_EQ(2, mHost->GetProgram());
  EXPECT_EQ("user preset 1", mHost->GetProgramNameIndexed(2));
  EXPECT_EQ("user preset 1", mHost->GetProgramName());
  EXPECT_EQ(first, AllParameters(*mHost));  // a new slot takes the current values

  const std::vector<float> second = SetState(1);
  ASSERT_NE(first, second);
  mHost->SetProgram(4);
  EXPECT_EQ("user preset 2", mHost->GetProgramNameIndexed(4));
  EXPECT_EQ(second, AllParameters(*mHost));

  mHost->SetProgram(2);
  EXPECT_EQ(first, AllParameters(*mHost));
  mHost->SetProgram(4);
  EXPECT_EQ(second, AllParameters(*mHost));

  // State is transferred as chunks, so switching away discards edits made
  // to the current slot.
  mHost->SetProgram(2);
  SetState(2);
  mHost->SetProgram(4);
  mHost->SetProgram(2);
  EXPECT_EQ(first, AllParameters(*mHost));

  EXPECT_EQ("- 1 -", mHost->GetProgramNameIndexed(0));
  EXPECT_EQ("- 2 -", mHost->GetProgramNameIndexed(1));
  EXPECT_EQ("user preset 1", mHost->GetProgramNameIndexed(2));
  EXPECT_EQ("- 6 -", mHost->GetProgramNameIndexed(5));
}

TEST_F(Programs, SelectingTheCurrentSlotFirstTimeNamesIt) {
  mHost->SetProgram(0);
  EXPECT_EQ(0, mHost->GetProgram());
  EXPECT_EQ("user preset 1", mHost->GetProgramName());
}

TEST_F(Programs, SlotsOutsideTheListAreIgnored) {
  mHost->SetProgram(3);
  const std::vector<float> state = SetState(1);
  for (int32_t index : {kNumPrograms, -1, 100}) {
    EXPECT_EQ(0, mHost->SetProgram(index));
    EXPECT_EQ(3, mHost->GetProgram()) << index;
    EXPECT_EQ(state, AllParameters(*mHost)) << index;
  }
}

TEST_F(Programs, RenamingStoresTheCurrentValues) {
  mHost->SetProgram(1);
  const std::vector<float> first = SetState(0);
  mHost->SetProgramName("Bright");
  EXPECT_EQ("Bright", mHost->GetProgramName());
  EXPECT_EQ("Bright", mHost->GetProgramNameIndexed(1));
  mHost->SetProgram(3);
  mHost->SetProgram(1);
  EXPECT_EQ(first, AllParameters(*mHost));

  // An empty name keeps the old one but still stores the values.
  const std::vector<float> second = SetState(1);
  mHost->SetProgramName("");
  EXPECT_EQ("Bright", mHost->GetProgramName());
  mHost->SetProgram(3);
  mHost->SetProgram(1);
  EXPECT_EQ(second, AllParameters(*mHost));

  EXPECT_EQ(0, mHost->Dispatch(effSetProgramName, 0, 0, nullptr));
  EXPECT_EQ("Bright", mHost->GetProgramName());
}

TEST_F(Programs, LongNamesComeBackBounded) {
  const std::string shortName = "Twenty chars exactly";
  mHost->SetProgramName(shortName);
  EXPECT_EQ(shortName, mHost->GetProgramName());

  std::string longName;
  for (int i = 0; i < 300; ++i) longName += char('a' + i % 26);
  mHost->SetProgramName(longName);
  for (int32_t opcode : {effGetProgramName, effGetProgramNameIndexed}) {
    TextBuffer buffer(kHostProgramNameSize);
    mHost->Dispatch(opcode, 0, 0, buffer.data());
    ASSERT_TRUE(buffer.Terminated()) << opcode;
    EXPECT_TRUE(buffer.GuardIntact()) << opcode;
    const std::string text = buffer.Text();
    EXPECT_GE(text.size(), size_t(kVstMaxProgNameLen - 1)) << opcode;
    EXPECT_EQ(longName.substr(0, text.size()), text) << opcode;
  }
}

TEST_F(Programs, SlotRenamedBeforeFirstSelectionKeepsItsFirstValues) {
  // A rename writes the values into a slot that has never been selected.
  // Selecting it later names it anew and appends the values of that moment
  // behind the ones written first; restoring reads the first ones.
  const std::vector<float> first = SetState(0);
  mHost->SetProgramName("early");
  const std::vector<float> second = SetState(1);
  mHost->SetProgram(1);
  EXPECT_EQ("user preset 1", mHost->GetProgramNameIndexed(1));
  mHost->SetProgram(0);
  EXPECT_EQ("user preset 2", mHost->GetProgramName());
  EXPECT_EQ(second, AllParameters(*mHost));
  mHost->SetProgram(1);
  EXPECT_EQ(second, AllParameters(*mHost));
  mHost->SetProgram(0);
  EXPECT_EQ(first, AllParameters(*mHost));
}

TEST_F(Programs, BankChunkRequestStoresTheCurrentSlot) {
  const std::vector<float> defaults = AllParameters(*mHost);
  mHost->SetProgram(1);
  const std::vector<float> edited = SetState(0);
  ASSERT_NE(defaults, edited);

  // A program chunk request leaves the slot alone...
  mHost->GetChunk(false);
  mHost->SetProgram(2);
  mHost->SetProgram(1);
  EXPECT_EQ(defaults, AllParameters(*mHost));

  // ...a bank request first stores the current values into it.
  SetState(0);
  mHost->GetChunk(true);
  mHost->SetProgram(2);
  mHost->SetProgram(1);
  EXPECT_EQ(edited, AllParameters(*mHost));
}

TEST(ProgramChunks, LoadingAChunkStoresTheCurrentSlotUnlessItIsABank) {
  struct Case {
    const char* what;
    std::vector<uint8_t> chunk;
    bool bank;
    bool storesSlot;
  };
  ASSERT_EQ(size_t(kNumParams), Ranges().max.size());
  const std::vector<double>& top = Ranges().max;
  const Case cases[] = {
      {"bank chunk, current version", MakeChunk(top), true, false},
      {"bank chunk, later version", MakeChunk(top, true, 0x00020000), true, false},
      {"program chunk", MakeChunk(top), false, true},
      {"bank chunk, version 0", MakeChunk(top, true, 0), true, true},
      {"bank chunk without header", MakeChunk(top, false), true, true},
  };
  for (const Case& c : cases) {
    auto host = OpenInstance();
    ASSERT_TRUE(host);
    const std::vector<float> defaults = AllParameters(*host);
    host->SetProgram(1);
    host->SetProgram(2);
    host->SetProgram(1);
    ASSERT_EQ(1, host->SetChunk(c.chunk, c.bank)) << c.what;
    const std::vector<float> loaded = AllParameters(*host);
    ASSERT_NE(defaults, loaded) << c.what;
    host->SetProgram(2);
    EXPECT_EQ(defaults, AllParameters(*host)) << c.what;
    host->SetProgram(1);
    EXPECT_EQ(c.storesSlot ? loaded : defaults, AllParameters(*host)) << c.what;
  }
}

}  // namespace
}  // namespace interfacetest
