// One swarm update of the fullest flock: 200 vrels and 20 chasers with the
// default settings (separation is quadratic in the number of vrels).
#include <benchmark/benchmark.h>

#include "VrelsPlugin.h"

static void BM_SwarmStepFullFlock(benchmark::State& state) {
  VrelsPlugin plug(nullptr);
  FixedSwarmInputs inputs;
  inputs.Set(kSwarmVrelCount, 200);
  inputs.Set(kSwarmVrelSpeed, 4);
  inputs.Set(kSwarmVrelCentre, 80);
  inputs.Set(kSwarmVrelAlign, 92);
  inputs.Set(kSwarmVrelRepel, 99);
  inputs.Set(kSwarmVrelComfort, 20);
  inputs.Set(kSwarmVrelFollow, 10);
  inputs.Set(kSwarmChaserCount, 20);
  inputs.Set(kSwarmChaserBoost, 4);
  inputs.Set(kSwarmChaserSpeed, 2.5);
  plug.SwarmStep(inputs);  // the pools grow here, not in the timed loop
  for (auto _ : state) {
    plug.SwarmStep(inputs);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SwarmStepFullFlock);
