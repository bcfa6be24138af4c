// The members of the flock: vrels (the first of which leads) and the chasers
// that hunt them. Plain records owned by the Swarm's pooled lists and moved
// by its update rules on the audio thread, under the instance mutex.
#pragma once

#include "flock/GenericList.h"

class Swarm;
struct Vrel;

const int TRAIL_LENGTH = 8;

struct TrailPoint {
  int mX = 0;
  int mY = 0;
};

struct Creature : Node {
  virtual ~Creature() {}
  // The speed limit of this kind of creature, in field units per update.
  virtual double MaxSpeed() const = 0;

  double mTapDelay = 0.0;  // smoothed delay of the tap this vrel drives, samples
  int mMarginX;            // distance kept from the right bound
  int mMarginY;            // distance kept from the top and bottom bounds
  double mVx = 0.0, mVy = 0.0;
  int mIndex = 0;  // creation order; the vrel with index 0 leads
  double mX = 0.0, mY = 0.0;
  double mFriction = 0.5;  // speed lost per update on each axis
  Swarm* mpSwarm = nullptr;
  int mTrailIndex = 0;  // slot of the newest trail point
  TrailPoint mTrail[TRAIL_LENGTH];
  int mColour = 0;  // 0xRRGGBB

 protected:
  Creature(int marginX, int marginY) : mMarginX(marginX), mMarginY(marginY) {}
};

struct Vrel : Creature {
  static const int MARGIN = 5;
  Vrel() : Creature(MARGIN, MARGIN) {}
  double MaxSpeed() const override;
};

struct Predator : Creature {
  static const int MARGIN = 10;
  static const int SIGHT_SQUARED = 10000;  // notices vrels within 100 units
  static const int CHASE_TIMER_START = 70;
  static const int CHASE_TIMER_FULL = 100;

  Predator() : Creature(MARGIN, MARGIN) {}
  double MaxSpeed() const override;

  double mSight = SIGHT_SQUARED;
  Vrel* mpTarget = nullptr;
  int mChaseTimer = CHASE_TIMER_START;  // counts down while chasing, recharges while not
};

class VrelList : public List<Vrel> {};
class PredatorList : public List<Predator> {};
