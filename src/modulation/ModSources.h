// The 20 modulation source values a modulated parameter reads (each in
// 0..1): none, the four LFOs and the random value (rewritten by every
// modulation tick), the vrel that drives the grain stream or delay tap being
// evaluated, and the leader.
//
// Owned by the plug-in. Written and read on the audio thread only, under the
// instance mutex: the modulation tick writes the LFO and random entries, the
// grain onset and the delay taps write the vrel entries just before reading
// their parameters, and the swarm update writes the leader entries. Nothing
// here allocates or locks.
#pragma once

#include "dsp/MwcRandom.h"
#include "flock/Creature.h"

class Lfo;

struct ModSources {
  // Source indices, in the order of the source parameters' labels. Each
  // "...Inv" entry is 1 minus the entry before it.
  enum Index : int {
    kNone = 0,  // always 0
    kLfo1,
    kLfo2,
    kLfo3,
    kLfo4,
    kRandom,
    kVrelX,
    kVrelY,
    kVrelR,  // city-block distance from the field centre, 1 at a corner
    kVrelXInv,
    kVrelYInv,
    kVrelRInv,
    kVrelIndex,  // the vrel's index among the n users (streams or taps)
    kVrelIndexInv,
    kLeadX,
    kLeadY,
    kLeadR,
    kLeadXInv,
    kLeadYInv,
    kLeadRInv,
    NUM_SOURCES
  };
  static const int NUM_LFOS = 4;
  // The flock's own parameters and the matrix slots offer only 0..5.
  static const int NUM_GLOBAL_SOURCES = kRandom + 1;

  // The value of a source; 0 for an index outside 0..19.
  double operator[](int source) const { return source >= 0 && source < NUM_SOURCES ? mValues[source] : 0.0; }

  // LFO n (0..3) after its tick: (0.5 - d/2) + d * output, so the depth
  // narrows the swing around the middle.
  void WriteLfo(int n, const Lfo& lfo);
  // A new uniform value from the plug-in's own generator.
  void DrawRandom(MwcRandom& random);

  // The vrel entries for a member at (x, y) in field units with the given
  // index among `count` users (grain streams or delay taps). With fewer than
  // two users the index reads 1 and its complement 0.
  void WriteVrel(double x, double y, int index, int count);
  void WriteVrel(const Creature& member, int count) { WriteVrel(member.mX, member.mY, member.mIndex, count); }
  // The leader entries, after a swarm update that left at least one vrel.
  void WriteLeader(double x, double y);
  void WriteLeader(const Creature& leader) { WriteLeader(leader.mX, leader.mY); }

  double mValues[NUM_SOURCES] = {};
};
