// The values that steer the flock at each swarm update: the modulated values
// of the flock's parameters. The plug-in reads them from its modulated
// parameter records; tests give fixed values.
#pragma once

enum SwarmInput {
  kSwarmVrelCount,    // number of vrels, 0..200
  kSwarmVrelSpeed,    // vrel speed limit, units per update
  kSwarmVrelCentre,   // cohesion, 1..99
  kSwarmVrelAlign,    // alignment, 1..100
  kSwarmVrelRepel,    // separation, 1..99
  kSwarmVrelComfort,  // comfort distance, units
  kSwarmVrelFollow,   // following the leader, 0..100
  kSwarmChaserCount,  // number of chasers, 0..20
  kSwarmChaserBoost,  // chasing speed
  kSwarmChaserSpeed,  // chaser speed limit
  kNumSwarmInputs
};

class SwarmInputs {
 public:
  virtual ~SwarmInputs() {}
  virtual double Value(SwarmInput input) const = 0;
};

// Inputs held as plain values.
class FixedSwarmInputs : public SwarmInputs {
 public:
  double Value(SwarmInput input) const override { return mValues[input]; }
  void Set(SwarmInput input, double value) { mValues[input] = value; }

 private:
  double mValues[kNumSwarmInputs] = {};
};
