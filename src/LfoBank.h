// One LFO of the plug-in: an oscillator of every shape, made with the
// plug-in, of which one is current. A shape change starts that shape's
// oscillator afresh in its own storage, so the shape handler allocates
// nothing on whichever thread the host sends the change from.
//
// Owned by the plug-in; used under the instance mutex.
#pragma once

#include <memory>

#include "Lfo.h"

class LfoBank {
 public:
  // Every shape made (a failed allocation leaves that shape missing); the
  // sine current.
  LfoBank();

  // The current oscillator; null only if its shape could not be made.
  Lfo* Current() const { return mpCurrent; }
  // Makes the shape current, started afresh as Lfo::Create would make it;
  // the caller carries the settings over. Returns it, or null (and keeps
  // the current one) when that shape is missing.
  Lfo* Start(int shape);

 private:
  std::unique_ptr<Lfo> mShapes[NUM_LFO_SHAPES];
  Lfo* mpCurrent = nullptr;
};
