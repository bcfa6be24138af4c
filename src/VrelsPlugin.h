// The Vrels plug-in: a granular delay steered by a flocking simulation.
//
// Created by the entry point on the host's thread; afterwards the host's GUI
// thread (dispatcher, parameters) and audio thread (ProcessBlock) enter it,
// always under the instance mutex.
#pragma once

#include "IPlugVST.h"
#include "ParameterTable.h"
#include "Swarm.h"
#include "SwarmInputs.h"
#include "SwarmSnapshot.h"

class VrelsPlugin : public IPlugVST {
 public:
  static const int NUM_HOST_PARAMS = 175;
  static const int NUM_PRESETS = 6;

  explicit VrelsPlugin(audioMasterCallback host);
  ~VrelsPlugin() override;

  // ---- Parameters (instance mutex held) ----
  // Calls the change handler registered for the parameter with its current
  // value; a parameter without a record changes nothing.
  void OnParamChanged(int index) override;
  // The record registered for a parameter; null when it has none.
  const ParamChangeDesc* ParamChangeDescAt(int index) const {
    return index >= 0 && index < NUM_PARAMS ? mpParamChangeDesc[index] : nullptr;
  }

  // ---- The flock (audio thread, instance mutex held) ----
  // Resizes the flock (vrels are added and removed at the end, so indexes
  // stay 0..n-1 and the leader survives while n >= 1).
  void SetNumVrels(int n);
  void SetNumChasers(int n);
  // One swarm update: the counts, weights and speeds from the inputs, then
  // the vrels' and the chasers' rules.
  void SwarmStep(const SwarmInputs& inputs);
  // Copies the flock for the swarm view; takes the instance mutex.
  void GetSwarmSnapshot(SwarmSnapshot* snapshot);

  const Swarm& GetSwarm() const { return mSwarm; }

 private:
  // The change dispatch: one record per parameter index, null where none is
  // declared. The records are the constant tables' own.
  const ParamChangeDesc* mpParamChangeDesc[NUM_PARAMS] = {};
  Swarm mSwarm;
};
