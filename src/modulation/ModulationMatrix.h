// The four-slot modulation matrix: each slot lets an LFO or the random value
// move the centre of one of the 23 modulated parameters. Several slots on one
// parameter average their outputs; while any slot drives a parameter its knob
// value is only remembered, and it comes back when the last slot lets go.
//
// Owned by the plug-in. The target, source and depth handlers call the
// setters under the instance mutex; the modulation tick calls Apply on the
// audio thread under the same mutex. Nothing here allocates or locks.
#pragma once

#include "modulation/ModParam.h"
#include "modulation/ModSources.h"
#include "params/ParameterTable.h"

struct MatrixSlot {
  bool mActive = false;  // target >= 0, source > 0 and depth > 0
  int mTarget = -1;      // modulated parameter slot 0..22, -1 for none
  int mSource = -1;      // modulation source 0..5
  double mDepth = 0.0;   // 0..1
};

class ModulationMatrix {
 public:
  static const int NUM_SLOTS = 4;

  // The handlers of MxTgt, MxMod and MxDph for matrix slot 0..3 (a slot
  // outside that range is ignored). Each detaches the slot from its target
  // (the target gets its knob value back when no other slot drives it),
  // stores the value and attaches the slot again if it is now active.
  // A target value k >= 1 names parameter slot k - 1, 0 none.
  void SetTarget(int slot, int targetValue, ModParam (&params)[NUM_MOD_SLOTS]);
  void SetSource(int slot, int source, ModParam (&params)[NUM_MOD_SLOTS]);
  void SetDepth(int slot, double depth, ModParam (&params)[NUM_MOD_SLOTS]);

  // Centres every driven parameter on the average of its slots' outputs,
  // (0.5 - e/2) + e * source for depth e, mapped onto its min..max. Its own
  // source and depth keep acting around that centre.
  void Apply(const ModSources& sources, ModParam (&params)[NUM_MOD_SLOTS]);

  // Every slot inactive, with no target, no source and depth 0, as a
  // preset load starts (the parameters are reset by the caller).
  void Reset();

  // Slot 0..3 (the caller keeps to the range).
  const MatrixSlot& Slot(int slot) const { return mSlots[slot]; }

 private:
  void Detach(MatrixSlot& s, ModParam (&params)[NUM_MOD_SLOTS]);
  void Attach(MatrixSlot& s, ModParam (&params)[NUM_MOD_SLOTS]);

  MatrixSlot mSlots[NUM_SLOTS];
};
