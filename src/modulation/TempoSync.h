// Note divisions for the tempo-synced time parameters and LFO rates.
//
// Each division has a name and a single-precision factor 1 / (60 * beats):
// a duration in milliseconds is 1000 / (factor * tempo), a rate in hertz is
// factor * tempo. Pure functions, called by the change handlers.
#pragma once

const int NUM_TIME_DIVISIONS = 17;  // "1/64" .. "1/1", ascending duration
const int NUM_LFO_DIVISIONS = 23;   // "8/1" .. "1/32t", descending period
const double DEFAULT_TEMPO = 120.0;

struct NoteDivision {
  const char* mName;
  float mFactor;
};

// Entries outside the tables are held to the nearest end.
const NoteDivision& TimeDivision(int index);
const NoteDivision& LfoDivision(int index);

// Duration of a time division at a tempo (beats per minute), in ms.
double TimeDivisionMs(int index, double tempo);
// Rate of an LFO division at a tempo, in Hz.
double LfoDivisionHz(int index, double tempo);

// The division a knob picks: the integer part of its normalised value times
// the last index (only the very top of the knob reaches the last entry).
int TimeDivisionForKnob(double normalized);
int LfoDivisionForKnob(double normalized);
