// The flock: its vrels and chasers in pooled active and free lists, its
// tuning values and its own random generator, and the rules that move every
// creature by one step per swarm update.
//
// Owned by the plug-in. Changed on the audio thread under the instance mutex
// (counts and updates); the swarm view reads it only through snapshots.
#pragma once

#include "dsp/MwcRandom.h"
#include "flock/Creature.h"
#include "flock/SwarmSnapshot.h"

class Swarm {
 public:
  static const int FIELD_WIDTH = 300;
  static const int FIELD_HEIGHT = 240;

  // Every vrel and chaser the flock can hold is allocated here, into
  // reserves that stand in for fresh allocations, so that resizing the flock
  // on the audio thread never allocates. Removed members still go to the
  // free lists and are reused first, in removal order.
  Swarm();
  Swarm(const Swarm&) = delete;
  Swarm& operator=(const Swarm&) = delete;

  // Adds a vrel at a random place in the field with a random velocity and
  // colour, reusing a free one first.
  void AddVrel();
  // Moves the vrel to the free list; false when it is not active.
  bool RemoveVrel(Vrel* vrel);
  // Adds a chaser the same way (at most MAX_NUM_CHASERS).
  void AddChaser();
  bool RemoveChaser(Predator* chaser);
  // Adds or removes (from the end) until the counts are reached; requests
  // beyond the limits are held to them.
  void SetNumVrels(int n);
  void SetNumChasers(int n);
  void CopySnapshot(SwarmSnapshot* snapshot) const;

  void UpdateVrels();
  void UpdateChasers();

  // Creature rules. Separation returns the push away from close neighbours;
  // Chase steers a chaser at its target and answers true on a catch.
  void Separation(const Creature* creature, const Creature* first, double* rx, double* ry) const;
  // The same rule for vrel number `self` of the flock, over the positions
  // mirrored in mFlockX/Y during UpdateVrels; m is its speed limit.
  void SeparationInFlock(int self, double m, double* rx, double* ry) const;
  void AvoidWalls(Creature* creature) const;
  static void LimitSpeed(Creature* creature);
  void Move(Creature* creature) const;
  bool Chase(Predator* chaser) const;

  const VrelList& Vrels() const { return mVrels; }
  const PredatorList& Chasers() const { return mPredators; }

  // Tuning values, written by the plug-in before each update.
  double mAlignWeight = 92;
  double mCentreWeight = 80;
  int mChaserPull = 80;
  double mComfort = 20;
  double mComfortSquared = 400;
  double mRepelWeight = 99;
  int mCatchDistanceSquared = 100;
  double mBoost = 4;
  double mVrelSpeed = 4;
  double mChaserSpeed = 2.5;
  // The swarm view's gather and scatter tools.
  double mGatherX = 0, mGatherY = 0;
  bool mGatherActive = false;
  int mScatter = 0;  // 0 gathers towards the point, 1 scatters away from it
  double mBoundLeft = 0, mBoundTop = 0, mBoundRight = FIELD_WIDTH, mBoundBottom = FIELD_HEIGHT;
  double mFollow = 0;  // fraction of the way to the leader covered per update

  int mNumVrels = 0;
  int mNumPredators = 0;

 private:
  // Random position and velocity at speed s (four draws).
  void PlaceAtRandom(Creature* creature, double speed);

  VrelList mVrels;
  VrelList mFreeVrels;
  PredatorList mPredators;
  PredatorList mFreePredators;
  // The vrels' positions in list order while UpdateVrels runs.
  double mFlockX[MAX_NUM_VRELS] = {};
  double mFlockY[MAX_NUM_VRELS] = {};
  VrelList mReserveVrels;
  PredatorList mReservePredators;
  MwcRandom mRandom;
};
