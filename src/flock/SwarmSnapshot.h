// A copy of what the swarm view draws: every creature's trail and colour.
#pragma once

#include "flock/Creature.h"

const int MAX_NUM_VRELS = 200;
const int MAX_NUM_CHASERS = 20;

struct SwarmSnapshotEntry {
  int mTrailIndex;
  TrailPoint mTrail[TRAIL_LENGTH];
  int mColour;
};

struct SwarmSnapshot {
  int mNumVrels = 0;
  int mNumChasers = 0;
  // Vrels in list order, then the chasers from entry MAX_NUM_VRELS on.
  SwarmSnapshotEntry mEntries[MAX_NUM_VRELS + MAX_NUM_CHASERS];
};
