// The editor's message line as text: what a parameter change did, in words
// and units. A modulated parameter shows the whole range it now sweeps, a
// filter its cut-off, a level its decibels, an LFO its rate and depth.
//
// The plug-in owns one MessageLine. The change handlers write it (always
// under the instance mutex); the editor's message control copies Text() when
// Revision() has moved on, under the same mutex. Every number is written with
// a decimal point whatever the process locale (TextFormat), so the texts are
// the same on every target and in every host. Nothing here allocates.
#pragma once

#include "TextFormat.h"

class Lfo;
struct ModParam;

class MessageLine {
 public:
  // 63 usable characters and the terminator; longer texts are cut.
  static const int MESSAGE_LEN = 64;

  // Any message: printf-style, bounded to the buffer.
  void Message(const char* format, ...) VRELS_PRINTF_LIKE(2, 3);
  // The empty text (the load-preset button, after loading).
  void Clear();

  // The range a modulated parameter sweeps, after its base, depth, source or
  // sync changed: the shown range while a source is selected, otherwise the
  // knob's own, each taken at single precision; in the units of its display
  // kind ("25.00", "0 .. 54", "28%", "50% L .. 100% R", "30.00 msec",
  // "  1/8", "  1/8  (93.75 .. 250.00 msec)").
  void ShowRange(const ModParam& param);

  // "%.2f": UpdTime, GEnvSkew (the parameter value) and the matrix depths
  // MxDph1 .. MxDph4.
  void ShowValue(double value);
  // "%d": the integer part of TapCount and GrnCount.
  void ShowCount(int count);
  // "%.6lf": the DSmooth tap smoothing coefficient.
  void ShowSmoothing(double coefficient);
  // DLpf, GHpf, GLpf: "%.2lf Hz" below 1000 Hz, else "%.2lf kHz" of hz / 1000.
  void ShowFrequency(double hz);
  // DryOut, DelayOut, GrainOut, Grn2Dly, Dry2Dly: "+%.2lf dB" above 0 dB,
  // else "%.2lf dB" ("0.00 dB", "-120.00 dB").
  void ShowLevel(double dB);
  // The LFO rate, mode and depth handlers: "%s, depth %.2f" with the LFO
  // division name while synced, else the rate as "%.2f Hz" ("1/4, depth
  // 1.00", "2.50 Hz, depth 0.50").
  void ShowLfo(const Lfo& lfo);

  const char* Text() const { return mText; }
  // Moves on with every write, so that a reader can tell a new message (even
  // one with the same text) from the one it has shown.
  unsigned Revision() const { return mRevision; }

 private:
  char mText[MESSAGE_LEN] = {};
  unsigned mRevision = 0;
};

// The pan of a value 0..1 as the message line shows it: "L" below 0.5, "R"
// above, "C" at 0.5, and the distance from the centre in percent (truncated).
struct PanText {
  int mPercent;
  char mLetter;
};
PanText PanTextOf(float value);
