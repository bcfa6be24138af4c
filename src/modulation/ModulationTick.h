// The modulation tick the processing loop runs every 16 samples: the four
// LFOs advance and publish their values, the random source draws a new value
// and the matrix re-centres the parameters it drives.
//
// Audio thread, instance mutex held. Allocates nothing, takes no lock.
#pragma once

#include "dsp/MwcRandom.h"
#include "modulation/Lfo.h"
#include "modulation/ModParam.h"
#include "modulation/ModSources.h"
#include "modulation/ModulationMatrix.h"
#include "params/ParameterTable.h"

// Advances LFO 1..4 by `samples` and writes their sources, draws the random
// source from `random` (the plug-in's own generator), then applies the
// matrix. A missing LFO (its creation failed) keeps its source's last value.
void ModulationTick(int samples, Lfo* const (&lfos)[ModSources::NUM_LFOS], MwcRandom& random,
                    ModSources& sources, ModulationMatrix& matrix, ModParam (&params)[NUM_MOD_SLOTS]);
