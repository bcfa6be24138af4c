// The abstract knob: a control that is dragged along one direction, with a
// gearing that sets how many rectangle heights (or widths) a full sweep
// takes. Subclasses draw it.
#pragma once

#include "IControl.h"

enum IDirection { kVertical = 0, kHorizontal = 1 };

// Every knob of this editor: a full sweep is 8 knob heights of travel.
const double DEFAULT_KNOB_GEARING = 8.0;

class IKnobControl : public IControl {
 public:
  IKnobControl(IPlugBase* plug, const IRect& rect, int paramIdx, int direction = kVertical,
               double gearing = DEFAULT_KNOB_GEARING);

  int GetDirection() const { return mDirection; }
  double GetGearing() const { return mGearing; }
  void SetGearing(double gearing) { mGearing = gearing; }

 protected:
  std::int32_t mDirection;
  double mGearing;
};
