// The parameter set as a host sees it: keys, ranges (the display texts at
// both ends of the normalised range) and defaults, checked against the
// published table for a sample of every kind, plus properties of them all.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::Host;

// What a host shows for a normalised value of a parameter.
std::string DisplayAt(Host& host, int32_t index, float normalized) {
  char text[64] = {};
  host.Dispatch(effVendorSpecific, effGetParamDisplay, index, text, normalized);
  return text;
}

struct Expected {
  int32_t mIndex;
  const char* mKey;
  const char* mMinText;
  const char* mMaxText;
  const char* mDefaultText;
};

// Rows of the published parameter table, one or more of every kind.
const Expected kSample[] = {
    {0, "VrCount", "0", "200", "4"},          // int
    {1, "VrCountM", "---", "Random", "---"},  // enum, the flock's six sources
    {3, "VrSpeed", "0", "20.0", "4.0"},       // real, step 0.1; zero is always "0"
    {12, "VrRepel", "1", "99", "25"},         // real, step 1
    {30, "UpdTime", "0.10", "10.00", "1.00"},
    {31, "DelayOn", "off", "on", "on"},  // bool
    {32, "TapCount", "1", "200", "2"},
    {33, "DTime", "10", "500", "100"},
    {47, "GLen", "0.1", "100.0", "30.0"},
    {77, "GEnvelop", "Tukey", "Hann-Pois", "Tukey"},
    {84, "Lfo1Shap", "Sine", "SampHold", "Sine"},
    {136, "DryOut", "-120.00", "24.00", "0"},
    {142, "Panic", "0", "1", "0"},  // trigger
};

}  // namespace

TEST(ParameterTable, KeysRangesAndDefaultsAsPublished) {
  std::unique_ptr<Host> host = OpenInstance();
  ASSERT_TRUE(host);
  for (const Expected& row : kSample) {
    EXPECT_EQ(host->GetParamName(row.mIndex), row.mKey) << row.mIndex;
    EXPECT_EQ(host->GetParamDisplay(row.mIndex), row.mDefaultText) << row.mKey;
    EXPECT_EQ(DisplayAt(*host, row.mIndex, 0.0f), row.mMinText) << row.mKey;
    EXPECT_EQ(DisplayAt(*host, row.mIndex, 1.0f), row.mMaxText) << row.mKey;
  }
}

TEST(ParameterTable, EveryHostVisibleKeyIsShortAndUnique) {
  std::unique_ptr<Host> host = OpenInstance();
  ASSERT_TRUE(host);
  std::set<std::string> keys;
  for (int32_t i = 0; i < kNumParams; ++i) {
    std::string key = host->GetParamName(i);
    EXPECT_LE(key.size(), 8u) << i;
    EXPECT_EQ(host->GetParamLabel(i), "") << i;  // units are shown by the editor only
    if (!key.empty()) {
      EXPECT_TRUE(keys.insert(key).second) << "duplicate key " << key;
    }
  }
  // The table names 120 of the host-visible parameters (the others are
  // spare or unused records).
  EXPECT_EQ(keys.size(), 120u);
}

}  // namespace interfacetest
