// A parameter's display text and the value read back from typed text agree
// whatever the process locale: a host running with a decimal comma must see
// "4.50", and "4.50" typed into the editor must read as 4.5, not 4.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "IParameter.h"

namespace {

// Switches to a locale with a decimal comma for the test's life, if one is
// installed; puts the previous one back.
class CommaLocale {
 public:
  CommaLocale() {
    const char* current = std::setlocale(LC_ALL, nullptr);
    mSaved = current ? current : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "German"}) {
      if (!std::setlocale(LC_ALL, name)) continue;
      char probe[16];
      std::snprintf(probe, sizeof(probe), "%.1f", 0.5);
      if (std::strchr(probe, ',')) {
        mActive = true;
        return;
      }
    }
    std::setlocale(LC_ALL, mSaved.c_str());
  }
  ~CommaLocale() { std::setlocale(LC_ALL, mSaved.c_str()); }
  bool IsActive() const { return mActive; }

 private:
  std::string mSaved;
  bool mActive = false;
};

std::string Display(const IParameter& param, double value) {
  char text[MAX_PARAM_DISPLAY_LEN];
  param.FormatForHost(value, false, text);
  return text;
}

TEST(ParamText, DisplayAndTypedTextAgreeUnderADecimalCommaLocale) {
  CommaLocale locale;
  if (!locale.IsActive()) GTEST_SKIP() << "no locale with a decimal comma is installed";

  IParameter gain;
  gain.InitAsReal("gain", 0.0, -24.0, 24.0, 0.01, "dB");
  EXPECT_EQ(Display(gain, 4.5), "4.50");
  EXPECT_EQ(Display(gain, -0.125), "-0.12");  // to nearest, ties to even on the binary value
  for (double value : {4.5, -23.99, 0.07, 12.0}) {
    EXPECT_DOUBLE_EQ(gain.ValueFromText(Display(gain, value).c_str()), value) << value;
  }
  // Typed forms: a comma as a point, trailing text ignored, no number is 0.
  EXPECT_DOUBLE_EQ(gain.ValueFromText(" 4,5"), 4.5);
  EXPECT_DOUBLE_EQ(gain.ValueFromText("+3.25 dB"), 3.25);
  EXPECT_DOUBLE_EQ(gain.ValueFromText("-1e1"), -10.0);
  EXPECT_EQ(gain.ValueFromText("loud"), 0.0);
  EXPECT_EQ(gain.ValueFromText("inf"), 0.0);
  EXPECT_EQ(gain.ValueFromText(""), 0.0);

  IParameter cut;
  cut.InitAsReal("cut", -6.0, -48.0, 0.0, 0.5, "dB");
  cut.SetNegatedDisplay(true);
  EXPECT_EQ(Display(cut, -6.0), "6.0");
  EXPECT_DOUBLE_EQ(cut.ValueFromText("6.0"), -6.0);

  IParameter mode;
  mode.InitAsEnum("mode", 0, 3);
  mode.AddDisplayText(0, "Up");
  mode.AddDisplayText(2, "Down");
  EXPECT_EQ(mode.ValueFromText("Down"), 2.0);
  EXPECT_EQ(mode.ValueFromText("2"), 0.0);  // not a text of the list
}

}  // namespace
