#include "modulation/TempoSync.h"

#include "dsp/TimeUnits.h"

namespace {
constexpr float kSecondsPerMinute = 60.0f;

// factor = 1 / (60 * beats), rounded to single precision.
constexpr float Factor(double beats) {
  return static_cast<float>(1.0 / (kSecondsPerMinute * beats));
}

const NoteDivision kTimeDivisions[NUM_TIME_DIVISIONS] = {
    {"1/64", Factor(1.0 / 16)}, {"1/32t", Factor(1.0 / 12)}, {"1/32", Factor(1.0 / 8)},
    {"1/16t", Factor(1.0 / 6)}, {"1/32d", Factor(3.0 / 16)}, {"1/16", Factor(1.0 / 4)},
    {"1/8t", Factor(1.0 / 3)},  {"1/16d", Factor(3.0 / 8)},  {"1/8", Factor(1.0 / 2)},
    {"1/4t", Factor(2.0 / 3)},  {"1/8d", Factor(3.0 / 4)},   {"1/4", Factor(1)},
    {"1/2t", Factor(4.0 / 3)},  {"1/4d", Factor(3.0 / 2)},   {"1/2", Factor(2)},
    {"1/2d", Factor(3)},        {"1/1", Factor(4)},
};

const NoteDivision kLfoDivisions[NUM_LFO_DIVISIONS] = {
    {"8/1", Factor(32)},       {"7/1", Factor(28)},         {"6/1", Factor(24)},
    {"5/1", Factor(20)},       {"4/1", Factor(16)},         {"3/1", Factor(12)},
    {"2/1", Factor(8)},        {"1/1", Factor(4)},          {"1/2d", Factor(3)},
    {"1/2", Factor(2)},        {"1/4d", Factor(3.0 / 2)},   {"1/2t", Factor(4.0 / 3)},
    {"1/4", Factor(1)},        {"1/8d", Factor(3.0 / 4)},   {"1/4t", Factor(2.0 / 3)},
    {"1/8", Factor(1.0 / 2)},  {"1/16d", Factor(3.0 / 8)},  {"1/8t", Factor(1.0 / 3)},
    {"1/16", Factor(1.0 / 4)}, {"1/32d", Factor(3.0 / 16)}, {"1/16t", Factor(1.0 / 6)},
    {"1/32", Factor(1.0 / 8)}, {"1/32t", Factor(1.0 / 12)},
};

int Hold(int index, int count) {
  return index < 0 ? 0 : (index >= count ? count - 1 : index);
}

int DivisionForKnob(double normalized, int lastIndex) {
  if (!(normalized > 0)) return 0;
  if (normalized >= 1) return lastIndex;
  return static_cast<int>(normalized * lastIndex);
}
}  // namespace

const NoteDivision& TimeDivision(int index) {
  return kTimeDivisions[Hold(index, NUM_TIME_DIVISIONS)];
}
const NoteDivision& LfoDivision(int index) {
  return kLfoDivisions[Hold(index, NUM_LFO_DIVISIONS)];
}

double TimeDivisionMs(int index, double tempo) {
  return MS_PER_SECOND / (TimeDivision(index).mFactor * tempo);
}
double LfoDivisionHz(int index, double tempo) {
  return LfoDivision(index).mFactor * tempo;
}

int TimeDivisionForKnob(double normalized) {
  return DivisionForKnob(normalized, NUM_TIME_DIVISIONS - 1);
}
int LfoDivisionForKnob(double normalized) {
  return DivisionForKnob(normalized, NUM_LFO_DIVISIONS - 1);
}
