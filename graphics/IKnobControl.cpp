#include "IKnobControl.h"

IKnobControl::IKnobControl(IPlugBase* plug, const IRect& rect, int paramIdx, int direction, double gearing)
    : IControl(plug, rect, paramIdx), mDirection(direction), mGearing(gearing) {}
