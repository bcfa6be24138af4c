// The message line's texts and the locale-independent formatting under them.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "TextFormat.h"
#include "modulation/Lfo.h"
#include "modulation/ModParam.h"
#include "params/ValueDisplay.h"

namespace {

std::string Format(const char* format, double x) {
  char text[MessageLine::MESSAGE_LEN];
  FormatText(text, sizeof(text), format, x);
  return text;
}

std::string Range(const ModParam& param) {
  MessageLine line;
  line.ShowRange(param);
  return line.Text();
}

// Expected texts are written out rather than taken from snprintf: the C
// libraries of the three targets do not agree on ties, and ours must.
TEST(ValueDisplayFormat, FixedPointRoundsExactlyAndAlike) {
  EXPECT_EQ(Format("%.2f", 0.125), "0.12");  // a true tie: to even
  EXPECT_EQ(Format("%.2f", 0.375), "0.38");
  EXPECT_EQ(Format("%.2f", 1.005), "1.00");  // 1.00499999999999989...
  EXPECT_EQ(Format("%.2f", 2.675), "2.67");
  EXPECT_EQ(Format("%.2f", 0.995), "0.99");
  EXPECT_EQ(Format("%.2f", 9.999), "10.00");  // the carry reaches a new digit
  EXPECT_EQ(Format("%.2f", -0.001), "-0.00");
  EXPECT_EQ(Format("%.0f", 2.5), "2");
  EXPECT_EQ(Format("%f", 1.0 / 3.0), "0.333333");
  EXPECT_EQ(Format("%.6lf", 0.98999901), "0.989999");
  EXPECT_EQ(Format("%.2f", 1e300).size(), 63u);  // cut, never overrun
}

TEST(ValueDisplayFormat, FlagsWidthsAndConversions) {
  char text[64];
  FormatText(text, sizeof(text), "[%5s|%-5s|%.2s]", "1/8", "ab", "xyz");
  EXPECT_STREQ(text, "[  1/8|ab   |xy]");
  FormatText(text, sizeof(text), "[%+d|% d|%05d|%-4d|%.3d|%d]", 7, 7, -42, 3, 5, -2147483647 - 1);
  EXPECT_STREQ(text, "[+7| 7|-0042|3   |005|-2147483648]");
  FormatText(text, sizeof(text), "[%08.2f|%+.1f|%-7.1f|%*.*f]", -3.14159, 2.25, 1.5, 6, 1, 0.05);
  EXPECT_STREQ(text, "[-0003.14|+2.2|1.5    |   0.1]");
  FormatText(text, sizeof(text), "%d%% %c, %lu %lld %u", 50, 'L', 7ul, -8ll, 9u);
  EXPECT_STREQ(text, "50% L, 7 -8 9");
  FormatText(text, sizeof(text), "%5.1f|%f", 1.0 / 0.0, -1.0 / 0.0);
  EXPECT_STREQ(text, "  inf|-inf");
}

TEST(ValueDisplayFormat, BoundedAndAlwaysTerminated) {
  char text[8];
  std::memset(text, 'x', sizeof(text));
  EXPECT_EQ(FormatText(text, 6, "%s %.2f", "abc", 12.5), 5);
  EXPECT_STREQ(text, "abc 1");
  EXPECT_EQ(text[6], 'x');
  EXPECT_EQ(FormatText(text, 1, "%d", 123), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(FormatText(text, 0, "%d", 123), 0);  // nothing written at all
  EXPECT_STREQ(text, "");
  const char* odd = "%q%";  // unknown conversions are copied, nothing read
  FormatText(text, sizeof(text), odd, 0);
  EXPECT_STREQ(text, "%q%");

  MessageLine line;
  std::string longName(100, 'n');
  line.Message("%s", longName.c_str());
  EXPECT_EQ(std::strlen(line.Text()), 63u);
  unsigned before = line.Revision();
  line.Clear();
  EXPECT_STREQ(line.Text(), "");
  EXPECT_NE(line.Revision(), before);
}

TEST(ValueDisplay, LevelsFrequenciesCountsAndSmoothing) {
  MessageLine line;
  line.ShowLevel(-120.0);
  EXPECT_STREQ(line.Text(), "-120.00 dB");
  line.ShowLevel(0.0);
  EXPECT_STREQ(line.Text(), "0.00 dB");  // no plus sign at 0
  line.ShowLevel(6.0);
  EXPECT_STREQ(line.Text(), "+6.00 dB");
  line.ShowLevel(-3.456);
  EXPECT_STREQ(line.Text(), "-3.46 dB");

  line.ShowFrequency(600 + 19400 * 0.02);  // DLpf at 0.02
  EXPECT_STREQ(line.Text(), "988.00 Hz");
  line.ShowFrequency(600 + 19400 * 0.03);  // DLpf at 0.03: 1182 Hz
  EXPECT_STREQ(line.Text(), "1.18 kHz");
  line.ShowFrequency(1000.0);
  EXPECT_STREQ(line.Text(), "1.00 kHz");
  line.ShowFrequency(20000.0);
  EXPECT_STREQ(line.Text(), "20.00 kHz");

  line.ShowCount(200);
  EXPECT_STREQ(line.Text(), "200");
  line.ShowValue(1.0 / 3.0);
  EXPECT_STREQ(line.Text(), "0.33");
  line.ShowSmoothing((1 - (1 - 0.9) * (1 - 0.9)) * 0.999999);  // DSmooth default
  EXPECT_STREQ(line.Text(), "0.989999");
}

TEST(ValueDisplay, LfoShowsRateOrDivisionAndDepth) {
  std::unique_ptr<Lfo> lfo = Lfo::Create(LFO_SINE);
  ASSERT_TRUE(lfo);
  MessageLine line;
  line.ShowLfo(*lfo);
  EXPECT_STREQ(line.Text(), "1.00 Hz, depth 1.00");
  lfo->SetRate(2.5f);
  lfo->SetDepth(0.5f);
  line.ShowLfo(*lfo);
  EXPECT_STREQ(line.Text(), "2.50 Hz, depth 0.50");
  lfo->SetSynced(true);
  lfo->SetDivision(12);
  line.ShowLfo(*lfo);
  EXPECT_STREQ(line.Text(), "1/4, depth 0.50");
  lfo->SetDivision(22);
  line.ShowLfo(*lfo);
  EXPECT_STREQ(line.Text(), "1/32t, depth 0.50");
}

TEST(ValueDisplayRange, PlainAndCount) {
  ModParam repel;
  repel.Init(1, 99, 0);
  repel.SetBase(25);
  EXPECT_EQ(Range(repel), "25.00");

  // GXpose with a source and a range from 0.5 to 1.5.
  ModParam pitch;
  pitch.Init(0.1, 2, 0);
  pitch.SetBase(1);
  pitch.mSource = 1;
  pitch.mShownLow = 0.5;
  pitch.mShownHigh = 1.5;
  EXPECT_EQ(Range(pitch), "0.50 .. 1.50");
  pitch.mSource = 0;  // without a source the knob's own range shows
  EXPECT_EQ(Range(pitch), "1.00");

  ModParam vrels;
  vrels.Init(0, 200, 1);
  vrels.SetBase(4);
  EXPECT_EQ(Range(vrels), "4");
  vrels.SetSource(1, 0.5);  // a source chosen after the depth: plain 0.5
  EXPECT_EQ(Range(vrels), "0 .. 104");
  vrels.SetDepthFromKnob(0.5, false);  // the depth knob moved: 0.25
  EXPECT_EQ(Range(vrels), "0 .. 54");
}

TEST(ValueDisplayRange, PercentTruncatesAtSinglePrecision) {
  ModParam feedback;
  feedback.Init(0, 1, 2);
  feedback.SetBase(0.29);  // 0.28999999 as a float
  EXPECT_EQ(Range(feedback), "28%");
  feedback.SetBase(0.3);  // 0.30000001 as a float
  EXPECT_EQ(Range(feedback), "30%");
  feedback.SetBase(1);
  EXPECT_EQ(Range(feedback), "100%");
  feedback.SetBase(0.5);
  feedback.SetSource(5, 0.25);
  EXPECT_EQ(Range(feedback), "25% .. 75%");
}

TEST(ValueDisplayRange, PanLettersAndAmounts) {
  ModParam pan;
  pan.Init(0, 1, 3);
  pan.SetBase(0.25);
  EXPECT_EQ(Range(pan), "50% L");
  pan.SetBase(0.5);
  EXPECT_EQ(Range(pan), "0% C");
  pan.SetBase(1);
  EXPECT_EQ(Range(pan), "100% R");
  pan.SetBase(0);
  EXPECT_EQ(Range(pan), "100% L");
  pan.SetBase(0.5);
  pan.SetSource(6, 0.25);
  EXPECT_EQ(Range(pan), "50% L .. 50% R");
}

TEST(ValueDisplayRange, TimesFreeAndSynced) {
  ModParam length;
  length.Init(0.1, 100, 4);
  length.SetBase(30);
  EXPECT_EQ(Range(length), "30.00 msec");
  length.SetSource(1, 0.1);  // half width 9.99
  EXPECT_EQ(Range(length), "20.01 .. 39.99 msec");
  length.SetSource(0, 0.1);
  length.SetBase(30);

  length.SetSync(1, 30 / 99.9, 120);  // division 4, "1/32d", 93.75 ms
  EXPECT_EQ(Range(length), "1/32d");
  length.SetTimedBase(50, 0.5, 120);  // the knob at its middle: "1/8"
  EXPECT_EQ(Range(length), "  1/8");
  length.SetTimedBase(100, 1.0, 120);  // at its top: "1/1", 2000 ms
  EXPECT_EQ(Range(length), "  1/1");
  length.SetTimedBase(50, 0.5, 120);
  length.SetSource(2, 0.05);  // half width 0.05 x (2000 - 31.25)
  EXPECT_EQ(Range(length), "  1/8  (151.56 .. 348.44 msec)");
  length.SetSource(0, 0.05);

  length.SetSync(0, 0.3, 120);  // off: the knob's own value
  EXPECT_FALSE(length.mSynced);
  EXPECT_EQ(Range(length), "30.07 msec");
}

// A host may run with a comma locale; the texts must not follow it. The
// locale is changed here only, and put back before the test ends.
TEST(ValueDisplay, CommaLocaleGivesTheSameTexts) {
  const char* current = std::setlocale(LC_ALL, nullptr);
  std::string saved = current ? current : "C";
  const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8",          "de_DE",
                              "fr_FR.UTF-8", "German_Germany.1252", "German"};
  bool comma = false;
  for (const char* name : candidates) {
    if (!std::setlocale(LC_ALL, name)) continue;
    char probe[16];
    std::snprintf(probe, sizeof(probe), "%.1f", 0.5);
    if (std::strchr(probe, ',')) {
      comma = true;
      break;
    }
  }
  if (!comma) {
    std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }

  MessageLine line;
  line.ShowLevel(6.0);
  std::string level = line.Text();
  line.ShowFrequency(1182.0);
  std::string frequency = line.Text();
  line.ShowSmoothing(0.5);
  std::string smoothing = line.Text();
  ModParam repel;
  repel.Init(1, 99, 0);
  repel.SetBase(25);
  std::string range = Range(repel);
  std::setlocale(LC_ALL, saved.c_str());

  EXPECT_EQ(level, "+6.00 dB");
  EXPECT_EQ(frequency, "1.18 kHz");
  EXPECT_EQ(smoothing, "0.500000");
  EXPECT_EQ(range, "25.00");
}

}  // namespace
