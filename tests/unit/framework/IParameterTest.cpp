#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "IParameter.h"

namespace {
std::string Display(const IParameter& param, double value, bool normalized = false) {
  char text[MAX_PARAM_DISPLAY_LEN];
  param.FormatForHost(value, normalized, text);
  return text;
}
}  // namespace

TEST(IParameter, PrecisionFollowsStep) {
  IParameter p;
  p.InitAsReal("a", 0, 0, 1, 0.25);
  EXPECT_EQ(p.Precision(), 2);
  p.InitAsReal("a", 0, 0, 10, 1);
  EXPECT_EQ(p.Precision(), 0);
  p.InitAsReal("a", 0, 0, 1, 0.001);
  EXPECT_EQ(p.Precision(), 3);
  p.InitAsReal("a", 0, 0, 1, 1e-9);
  EXPECT_EQ(p.Precision(), 6);
}

TEST(IParameter, InitialisersSetKindRangeAndTexts) {
  IParameter fresh;
  EXPECT_EQ(fresh.Type(), ParamNone);
  EXPECT_EQ(fresh.Max(), 1.0);
  EXPECT_EQ(Display(fresh, 0.7), "0");

  IParameter degenerate;
  degenerate.InitAsReal("d", 5, 3, 2, 0.5);  // max not above min + step
  EXPECT_EQ(degenerate.Max(), 3.5);
  EXPECT_EQ(degenerate.Value(), 5.0);  // default kept unclamped

  IParameter toggle;
  toggle.InitAsBool("Toggle", true);
  EXPECT_EQ(toggle.Type(), ParamBool);
  EXPECT_EQ(toggle.Value(), 1.0);
  EXPECT_EQ(Display(toggle, 0), "off");
  EXPECT_EQ(Display(toggle, 1), "on");
  int value = -1;
  EXPECT_TRUE(toggle.LookUpDisplayText("on", &value));
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(toggle.LookUpDisplayText("On", &value));

  // A later initialiser keeps the kind already set.
  toggle.InitAsReal("Toggle", 0, 0, 1, 1);
  EXPECT_EQ(toggle.Type(), ParamBool);

  IParameter choice;
  choice.InitAsEnum("Shape", 1, 3);
  choice.AddDisplayText(0, "sine");
  choice.AddDisplayText(1, "");
  choice.AddDisplayText(1, "second");
  EXPECT_EQ(choice.Max(), 2.0);
  EXPECT_EQ(Display(choice, 0), "sine");
  EXPECT_EQ(Display(choice, 1), "1");  // first entry for 1 is empty: the number
  EXPECT_EQ(Display(choice, 2), "2");
  EXPECT_STREQ(choice.DisplayTextFor(7), "");
  EXPECT_EQ(choice.DisplayTextCount(), 3);
}

TEST(IParameter, NormalisedWritesQuantiseAndClampAbove) {
  IParameter count;
  count.InitAsInt("Count", 0, 0, 10);
  count.SetFromNormalized(0.44);
  EXPECT_EQ(count.Value(), 4.0);
  count.SetFromNormalized(0.46);
  EXPECT_EQ(count.Value(), 5.0);
  count.SetFromNormalized(1.2);
  EXPECT_EQ(count.Value(), 10.0);

  IParameter real;
  real.InitAsReal("Real", 0, 0, 1, 1);
  real.SetFromNormalized(0.37);
  EXPECT_DOUBLE_EQ(real.Value(), 0.37);  // real values are not quantised
  EXPECT_EQ(Display(real, 0.37), "0");   // precision 0 truncates
  EXPECT_EQ(Display(real, 0.0), "0");
  EXPECT_EQ(Display(real, -0.0), "0");
  EXPECT_EQ(Display(real, std::nan("")), "0");

  IParameter shaped;
  shaped.InitAsReal("Shaped", 0, 0, 100, 0.01);
  shaped.SetShape(2.0);
  shaped.SetFromNormalized(0.5);
  EXPECT_DOUBLE_EQ(shaped.Value(), 25.0);
  EXPECT_DOUBLE_EQ(shaped.ToNormalized(25.0), 0.5);
  EXPECT_EQ(Display(shaped, 0.5, true), "25.00");
}

TEST(IParameter, ConversionsClampOutOfRangeAndNotANumber) {
  IParameter p;
  p.InitAsReal("Gain", 0, -60, 12, 0.1, "dB");
  EXPECT_EQ(p.ToNormalized(-100), 0.0);
  EXPECT_EQ(p.ToNormalized(100), 1.0);
  EXPECT_EQ(p.ToNormalized(std::nan("")), 0.0);
  p.SetClamped(std::nan(""));
  EXPECT_EQ(p.Value(), -60.0);
  p.SetClamped(std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.Value(), 12.0);
  EXPECT_EQ(Display(p, -6.24), "-6.2");  // "%.1f"
  EXPECT_STREQ(p.Label(), "dB");
  // Values far outside the int range still format, bounded.
  EXPECT_EQ(Display(p, 1e300).size() < MAX_PARAM_DISPLAY_LEN, true);
  IParameter whole;
  whole.InitAsInt("Big", 0, 0, 10);
  EXPECT_EQ(Display(whole, -1e12), "-1000000000000");
}
