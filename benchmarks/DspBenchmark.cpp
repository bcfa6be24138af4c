// Per-sample cost of the signal path's units. Each benchmark processes a
// block of BLOCK samples per iteration; the "per_sample" counter is the time
// per sample (shown in seconds, so 2.5n means 2.5 ns). Function calls are
// made through a pointer for the portable and the runtime versions alike.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "dsp/Biquad.h"
#include "dsp/DelayLimiter.h"
#include "dsp/EnvelopeTable.h"
#include "dsp/LevelMeter.h"
#include "dsp/PortableMath.h"
#include "dsp/SoftClip.h"

namespace {

const int BLOCK = 4096;
const double RATE = 44100.0;

// A signal that keeps every unit busy: a sine sweeping over +-1.5 with a
// little noise, so the clipper and limiter take all of their branches.
std::vector<double> TestSignal() {
  std::vector<double> x(BLOCK);
  unsigned noise = 1;
  for (int i = 0; i < BLOCK; ++i) {
    noise = noise * 1664525u + 1013904223u;
    x[i] = 1.5 * std::sin(i * 0.0371) + (noise >> 8) * 1e-8;
  }
  return x;
}

void PerSample(benchmark::State& state) {
  state.counters["per_sample"] =
      benchmark::Counter(BLOCK, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Biquad(benchmark::State& state) {
  std::vector<double> x = TestSignal();
  Biquad filter;
  filter.Design(BIQUAD_LOW_PASS, RATE, 5000);
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) sum += filter.Process(v);
    benchmark::DoNotOptimize(sum);
  }
  PerSample(state);
}
BENCHMARK(BM_Biquad);

void BM_SoftClip(benchmark::State& state) {
  std::vector<double> x = TestSignal();
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) sum += SoftClip(v);
    benchmark::DoNotOptimize(sum);
  }
  PerSample(state);
}
BENCHMARK(BM_SoftClip);

// One stereo sample per step.
void BM_DelayLimiter(benchmark::State& state) {
  std::vector<double> x = TestSignal();
  DelayLimiter limiter;
  limiter.SetSampleRate(RATE);
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) {
      double left = v, right = -0.5 * v;
      limiter.Process(left, right);
      sum += left + right;
    }
    benchmark::DoNotOptimize(sum);
  }
  PerSample(state);
}
BENCHMARK(BM_DelayLimiter);

void BM_LevelMeterFeed(benchmark::State& state) {
  std::vector<double> x = TestSignal();
  LevelMeter meter;
  meter.Resize(RATE);
  for (auto _ : state) {
    for (double v : x) meter.Feed(v);
    benchmark::DoNotOptimize(meter.DisplayValue());
  }
  PerSample(state);
}
BENCHMARK(BM_LevelMeterFeed);

// A whole table per iteration (not per sample): what a GEnvelop or GEnvSkew
// change costs the handler.
void BM_BuildEnvelope(benchmark::State& state) {
  EnvelopeTable table;
  int code = static_cast<int>(state.range(0));
  for (auto _ : state) {
    SetEnvelope(table, code, 0.5f);
    benchmark::DoNotOptimize(table.mTable[128]);
  }
}
BENCHMARK(BM_BuildEnvelope)
    ->Arg(ENVELOPE_TUKEY)
    ->Arg(ENVELOPE_GAUSSIAN)
    ->Arg(ENVELOPE_HANN)
    ->Arg(ENVELOPE_EXP_UP)
    ->Arg(ENVELOPE_TRIANGLE)
    ->Arg(ENVELOPE_HANN_POISSON);

// The portable functions against the C runtime's, per call.
void BM_Function(benchmark::State& state, double (*function)(double), double lo, double hi) {
  std::vector<double> x(BLOCK);
  for (int i = 0; i < BLOCK; ++i) x[i] = lo + (hi - lo) * i / BLOCK;
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) sum += function(v);
    benchmark::DoNotOptimize(sum);
  }
  PerSample(state);
}
double StdExp(double x) {
  return std::exp(x);
}
double StdLog(double x) {
  return std::log(x);
}
double StdCos(double x) {
  return std::cos(x);
}
BENCHMARK_CAPTURE(BM_Function, Exp, PortableMath::Exp, -10.0, 10.0);
BENCHMARK_CAPTURE(BM_Function, std_exp, StdExp, -10.0, 10.0);
BENCHMARK_CAPTURE(BM_Function, Log, PortableMath::Log, 1e-6, 100.0);
BENCHMARK_CAPTURE(BM_Function, std_log, StdLog, 1e-6, 100.0);
BENCHMARK_CAPTURE(BM_Function, Cos, PortableMath::Cos, -7.0, 7.0);
BENCHMARK_CAPTURE(BM_Function, std_cos, StdCos, -7.0, 7.0);

}  // namespace
