// The grain envelope: one table of 256 values that every sounding grain is
// multiplied by, read with linear interpolation and stretched over the
// grain's length, together with the nine shapes it can be built from.
//
// VrelsPlugin owns one. The GEnvelop and GEnvSkew handlers rebuild it (under
// the instance mutex, so never in the middle of a block) and the grain
// renderer reads it on the audio thread; sounding grains follow a rebuild from
// their next sample on. The envelope view keeps a copy to draw from. Building
// allocates nothing and costs 256 evaluations of the shape.
#pragma once

// Generator codes. Codes 3 and 9 have no generator.
enum EnvelopeShape : int {
  ENVELOPE_RECTANGLE = 0,
  ENVELOPE_TRIANGLE = 1,
  ENVELOPE_HANN = 2,
  ENVELOPE_TUKEY = 4,
  ENVELOPE_GAUSSIAN = 5,
  ENVELOPE_TRAPEZOID = 6,
  ENVELOPE_EXP_UP = 7,
  ENVELOPE_EXP_DOWN = 8,
  ENVELOPE_HANN_POISSON = 10
};

struct EnvelopeTable {
  static constexpr int SIZE = 256;
  // What the plug-in and the envelope view start with.
  static constexpr int INITIAL_SHAPE = ENVELOPE_TUKEY;
  static constexpr float INITIAL_SHAPE_VALUE = 0.05f;

  // Entries 0..SIZE-1 are the envelope. The renderer interpolates between
  // entries floor(u) and floor(u) + 1 for every u below SIZE, so one more
  // entry follows: it is always 0, which continues the fade of the shapes
  // that end near 0 and closes the others (Rectangle, Exp Up, the rising
  // Triangle) within the grain's last segment instead of cutting them off.
  double mTable[SIZE + 1];
  // The generator code and the shape value the table was built with.
  int mShape;
  float mShapeValue;

  // Built with the initial shape and value.
  EnvelopeTable();
};

// Fills entries 0..SIZE-1 for a generator code, reading the shape value from
// the table (taken as 0 below 0 or when not a number, 1 above 1, so that no
// shape can write outside the table), and sets the closing entry to 0.
// An unknown code leaves the entries as they were.
void BuildEnvelope(EnvelopeTable& table, int code);

// Stores the code and the shape value in the table, then builds it.
void SetEnvelope(EnvelopeTable& table, int code, float shapeValue);

// The GEnvelop choices 0..8: Tukey, Gaussian, Hann, Exp Up, Exp Down,
// Rectangle, Triangle, Trapezoid, Hann-Pois.
const int NUM_ENVELOPE_CHOICES = 9;

// The generator code of a choice; -1 outside 0..NUM_ENVELOPE_CHOICES-1.
int EnvelopeShapeForChoice(int choice);

// The shape value for a choice and a GEnvSkew value: the skew itself for the
// Triangle, 1 - skew for every other choice.
float EnvelopeShapeValueForChoice(int choice, double skew);

// Maps a choice and skew to a code and value and builds the table (the
// GEnvelop and GEnvSkew handlers). False, and the table unchanged, for a
// choice outside 0..NUM_ENVELOPE_CHOICES-1.
bool SetEnvelopeFromChoice(EnvelopeTable& table, int choice, double skew);
