// One 16-sample tick of each oscillator shape, called through the base class
// as the modulation tick calls it, at 1 Hz and 44.1 kHz.
#include <benchmark/benchmark.h>

#include "modulation/Lfo.h"

namespace {

const float SAMPLE_RATE = 44100.0f;
const int TICK_SAMPLES = 16;  // the modulation tick's length

void BM_LfoTick(benchmark::State& state) {
  std::unique_ptr<Lfo> lfo = Lfo::Create(static_cast<int>(state.range(0)));
  lfo->SetSampleRate(SAMPLE_RATE);
  lfo->SetRate(1.0f);
  lfo->UpdatePeriod();
  for (auto _ : state) {
    lfo->Tick(TICK_SAMPLES);
    benchmark::DoNotOptimize(lfo->Output());
  }
}

}  // namespace

BENCHMARK(BM_LfoTick)
    ->ArgName("shape")
    ->Arg(LFO_SINE)
    ->Arg(LFO_TRIANGLE)
    ->Arg(LFO_SQUARE)
    ->Arg(LFO_RANDOM)
    ->Arg(LFO_SAMPLE_AND_HOLD);
