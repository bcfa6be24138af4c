#include "params/ValueDisplay.h"

#include <cstdarg>

#include "modulation/Lfo.h"
#include "modulation/ModParam.h"
#include "modulation/TempoSync.h"

namespace {

// The display kinds of the modulated parameters (the parameter table's).
enum DisplayKind : int {
  DISPLAY_PLAIN = 0,
  DISPLAY_COUNT = 1,
  DISPLAY_PERCENT = 2,
  DISPLAY_PAN = 3,
  DISPLAY_MSEC = 4
};

// The integer part, as a C cast would take it, for every value the message
// line can meet; what no int can hold is held to the int range, and NaN is 0.
int Truncate(double x) {
  const double LIMIT = 2147483647.0;
  if (!(x == x)) return 0;
  if (x >= LIMIT) return 2147483647;
  if (x <= -LIMIT) return -2147483647;
  return static_cast<int>(x);
}

// The percentage is taken in double precision from the single-precision
// value, so 0.29 (0.2899999917 as a float) reads 28%, not 29%.
int Percent(float value) {
  return Truncate(static_cast<double>(value) * 100.0);
}

}  // namespace

PanText PanTextOf(float value) {
  double v = value;
  if (v < 0.5) return {Truncate((0.5 - v) * 2.0 * 100.0), 'L'};
  if (v > 0.5) return {Truncate((v - 0.5) * 2.0 * 100.0), 'R'};
  return {0, 'C'};
}

void MessageLine::Message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatTextV(mText, sizeof(mText), format, args);
  va_end(args);
  ++mRevision;
}

void MessageLine::Clear() {
  Message("%s", "");
}

void MessageLine::ShowRange(const ModParam& param) {
  bool modulated = param.mSource >= 1;
  float g = static_cast<float>(modulated ? param.mShownLow : param.mKnobLow);
  float h = static_cast<float>(modulated ? param.mShownHigh : param.mKnobHigh);
  bool same = h == g;
  switch (param.mDisplayKind) {
    case DISPLAY_COUNT:
      if (same)
        Message("%d", Truncate(g));
      else
        Message("%d .. %d", Truncate(g), Truncate(h));
      break;
    case DISPLAY_PERCENT:
      if (same)
        Message("%d%%", Percent(g));
      else
        Message("%d%% .. %d%%", Percent(g), Percent(h));
      break;
    case DISPLAY_PAN: {
      PanText low = PanTextOf(g);
      PanText high = PanTextOf(h);
      if (same)
        Message("%d%% %c", low.mPercent, low.mLetter);
      else
        Message("%d%% %c .. %d%% %c", low.mPercent, low.mLetter, high.mPercent, high.mLetter);
      break;
    }
    case DISPLAY_MSEC:
      if (param.mSynced) {
        const char* name = TimeDivision(param.mDivision).mName;
        if (same)
          Message("%5s", name);
        else
          Message("%5s  (%.2f .. %.2f msec)", name, static_cast<double>(g), static_cast<double>(h));
      } else {
        if (same)
          Message("%.2f msec", static_cast<double>(g));
        else
          Message("%.2f .. %.2f msec", static_cast<double>(g), static_cast<double>(h));
      }
      break;
    default:  // plain, and any kind the table does not use
      if (same)
        Message("%.2f", static_cast<double>(g));
      else
        Message("%.2f .. %.2f", static_cast<double>(g), static_cast<double>(h));
      break;
  }
}

void MessageLine::ShowValue(double value) {
  Message("%.2f", value);
}

void MessageLine::ShowCount(int count) {
  Message("%d", count);
}

void MessageLine::ShowSmoothing(double coefficient) {
  Message("%.6lf", coefficient);
}

void MessageLine::ShowFrequency(double hz) {
  const double HZ_PER_KHZ = 1000.0;
  if (hz < HZ_PER_KHZ)
    Message("%.2lf Hz", hz);
  else
    Message("%.2lf kHz", hz / HZ_PER_KHZ);
}

void MessageLine::ShowLevel(double dB) {
  if (dB > 0)
    Message("+%.2lf dB", dB);
  else
    Message("%.2lf dB", dB);
}

void MessageLine::ShowLfo(const Lfo& lfo) {
  // The rate text is at most "%.2f Hz" of a float: well inside the line.
  char rate[MESSAGE_LEN];
  if (lfo.Synced())
    FormatText(rate, sizeof(rate), "%s", LfoDivision(lfo.Division()).mName);
  else
    FormatText(rate, sizeof(rate), "%.2f Hz", static_cast<double>(lfo.Rate()));
  Message("%s, depth %.2f", rate, static_cast<double>(lfo.Depth()));
}
