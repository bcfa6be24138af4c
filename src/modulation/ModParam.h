// One modulated parameter: the range the engine reads a value from, as
// low + source value * width, around a base (the knob, or the matrix while a
// matrix slot drives it) and a depth. The plug-in holds 23 of these; change
// handlers and the matrix write them under the instance mutex, and the
// engine reads them on the audio thread under the same mutex.
#pragma once

struct ModParam {
  double mLow = 0;        // bottom of the current range
  double mWidth = 0;      // top minus bottom (>= 0)
  double mBase = 0;       // centre value
  double mHalfWidth = 0;  // depth * (max - min)
  double mMin = 0;        // lower limit (tempo-derived while synced)
  double mMax = 0;        // upper limit
  int mDisplayKind = 0;
  int mSource = 0;  // modulation source, 0 = none
  double mShownLow = 0, mShownHigh = 0;
  bool mSynced = false;
  int mDivision = 0;  // time division, recorded even when not synced
  double mFreeMin = 0, mFreeMax = 0;
  int mMatrixUsers = 0;
  double mMatrixSum = 0;
  double mKnobBase = 0, mKnobLow = 0, mKnobHigh = 0;

  // The record of a parameter with range [min, max]: the whole range, no depth.
  void Init(double min, double max, int displayKind);

  double Top() const { return mLow + mWidth; }
  // The value the engine uses for a source value in 0..1.
  double Value(double sourceValue) const { return mLow + sourceValue * mWidth; }

  void SetDepth(double depth);
  void SetCentre(double x);
  // A new knob value: range, shown range and knob memory (the caller shows
  // the range on the message line).
  void SetBase(double x);
  // A time parameter's knob: the division from its normalised position, and
  // while synced the division's duration at the tempo instead of x.
  void SetTimedBase(double x, double normalized, double tempo);
  // The sync switch: on takes the tempo range and the division of the base's
  // place in the free range; off restores the free range and the knob value
  // (given normalised).
  void SetSync(double switchValue, double knobNormalized, double tempo);
  // While synced: the range as the sync switch sets it and the base as the
  // knob sets it, at another tempo. Nothing changes while not synced.
  void Retime(double knobNormalized, double tempo);
  // A source selection: the plain depth value applies (0 without a source).
  void SetSource(int source, double depthValue);
  // The depth knob: its square applies (of half its value when halved), but
  // only while a source is selected.
  void SetDepthFromKnob(double value, bool halved);
  // The state a preset load starts from: base, depth, source, sync,
  // division and matrix use cleared, the limits back to the parameter's own
  // [ownMin, ownMax] (also the free limits), the range collapsed on the
  // value in them closest to 0, the shown range 0..0. A time parameter that
  // was synced before the load so loses its tempo-derived limits: the
  // loaded preset sounds the same whatever state it was loaded over.
  void ResetForPresetLoad(double ownMin, double ownMax);
};
