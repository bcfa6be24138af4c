#include "modulation/ModulationTick.h"

void ModulationTick(int samples, Lfo* const (&lfos)[ModSources::NUM_LFOS], MwcRandom& random,
                    ModSources& sources, ModulationMatrix& matrix, ModParam (&params)[NUM_MOD_SLOTS]) {
  for (int n = 0; n < ModSources::NUM_LFOS; ++n) {
    Lfo* lfo = lfos[n];
    if (!lfo) continue;
    lfo->Tick(samples);
    sources.WriteLfo(n, *lfo);
  }
  sources.DrawRandom(random);
  matrix.Apply(sources, params);
}
