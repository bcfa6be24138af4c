// The audio engine heard through the interface: the output bound, the paths
// switched on and off, delay echoes, grain onsets and their streams, grain
// direction and speed, the flock shrinking under sounding streams, panic,
// sample-rate changes and the tap feedback scaling.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "AudioRender.h"
#include "ParamIndex.h"
#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::Host;
using Settings = std::vector<std::pair<int32_t, double>>;

const int kRate = 44100;

std::unique_ptr<Host> OpenWith(const Settings& settings) {
  auto host = OpenInstance();
  if (host) SetPlainValues(*host, settings);
  return host;
}

Settings Join(Settings a, const Settings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Only the grains in the output: no taps, no dry signal.
const Settings kGrainsOnly = {{kDelayOn, 0}, {kDryEnabl, 0}};
// Only the taps: no grains, no dry signal (the dry send still feeds the lines).
const Settings kDelayOnly = {{kGrainOn, 0}, {kDryEnabl, 0}};

// Grains that show their onsets: rectangular, reading the left input at
// once, 30 ms long every 65 ms per stream, panned by their stream's index
// (stream k of n to k / (n - 1), 1 being left).
Settings VisibleGrains(int streams) {
  return Join(kGrainsOnly, {{kVrCount, streams},
                            {kGrnCount, streams},
                            {kGLenS, 0},
                            {kGLen, 30},
                            {kGIotS, 0},
                            {kGIot, 35},
                            {kGDelayS, 0},
                            {kGDelay, 0},
                            {kGEnvelop, kEnvelopeRectangle},
                            {kGPanM, kSourceVrelIndex},
                            {kGPanD, 1},
                            {kGSrc, 0}});
}

Stereo Impulse(int frames, int at, double amplitude) {
  Stereo signal(frames);
  signal.left[at] = signal.right[at] = amplitude;
  return signal;
}

// The constant fed to visible grains: low enough that overlapping grains
// stay below the clipping threshold.
const double kGrainInput = 0.25;

// Where grains start in an output fed with kGrainInput: the summed channels
// jump up at each onset. The pan is the left share of the jump.
struct Onset {
  int at;
  double pan;
};

std::vector<Onset> FindOnsets(const Stereo& out, int from) {
  std::vector<Onset> onsets;
  int last = -1000;
  for (int i = std::max(from, 1); i < out.Frames(); ++i) {
    const double left = out.left[i] - out.left[i - 1];
    const double right = out.right[i] - out.right[i - 1];
    if (left + right > 0.6 * kGrainInput && i - last > 20) {
      onsets.push_back({i, left / (left + right)});
      last = i;
    }
  }
  return onsets;
}

TEST(Engine, OutputStaysWithinTheClipLimit) {
  // Everything loud: full gains and sends, both feedbacks, many streams and
  // taps, input four times full scale.
  auto host = OpenWith({{kVrCount, 40},
                        {kGrnCount, 40},
                        {kTapCount, 40},
                        {kDFbk, 1},
                        {kGFdbk, 1},
                        {kDryOut, 24},
                        {kGrainOut, 24},
                        {kDelayOut, 24},
                        {kGrn2Dly, 24},
                        {kDry2Dly, 24}});
  ASSERT_TRUE(host);
  const Stereo out = Render(*host, Noise(2 * kRate, 4.0, 1));
  for (int c = 0; c < 2; ++c) {
    for (double sample : out.Channel(c)) {
      ASSERT_TRUE(std::isfinite(sample));
      ASSERT_LE(std::fabs(sample), 0.95);
    }
  }
  EXPECT_GT(Peak(out.left, 0, out.Frames()), 0.9);
}

TEST(Engine, EmptyBlockChangesNothing) {
  auto a = OpenInstance();
  auto b = OpenInstance();
  ASSERT_TRUE(a && b);
  const Stereo input = Noise(8192, 0.5, 2);
  double* none[2] = {nullptr, nullptr};
  for (int i = 0; i < 3; ++i) a->ProcessDouble(none, none, 0);
  EXPECT_EQ(Render(*b, input).left, Render(*a, input).left);
}

TEST(Engine, SwitchedOffPathsAreSilentWhileTheLinesKeepRecording) {
  // Nothing on but the (disabled) dry path: exact silence.
  auto off = OpenWith({{kGrainOn, 0}, {kDelayOn, 0}, {kDryEnabl, 0}});
  ASSERT_TRUE(off);
  const Stereo silent = Render(*off, Noise(kRate, 0.5, 3));
  EXPECT_EQ(0.0, Peak(silent.left, 0, kRate));
  EXPECT_EQ(0.0, Peak(silent.right, 0, kRate));

  // Grains switched off while they sound stop at once.
  auto grains = OpenWith(kGrainsOnly);
  ASSERT_TRUE(grains);
  const Stereo sounding = Render(*grains, Noise(kRate, 0.5, 4));
  EXPECT_GT(Peak(sounding.left, kRate / 2, kRate), 0.05);
  grains->SetParameter(kGrainOn, 0.0f);
  const Stereo stopped = Render(*grains, Noise(kRate / 4, 0.5, 5));
  EXPECT_EQ(0.0, Peak(stopped.left, 0, stopped.Frames()));

  // An impulse sent while the taps are off is still in the lines: switched
  // on before its time comes, the tap (100 ms, no glide) plays it.
  auto delay = OpenWith(Join(kDelayOnly, {{kDelayOn, 0}, {kDTimeS, 0}, {kDTime, 100}, {kDSmooth, 0}}));
  ASSERT_TRUE(delay);
  const Stereo before = Render(*delay, Impulse(2000, 1000, 0.5));
  EXPECT_EQ(0.0, Peak(before.left, 0, 2000));
  delay->SetParameter(kDelayOn, 1.0f);
  const Stereo after = Render(*delay, Stereo(6000));
  // Two taps panned to the middle: 2 x 0.5 x 0.5 on each side.
  EXPECT_NEAR(0.5, after.left[1000 + 4410 - 2000], 1e-12);
  EXPECT_NEAR(0.5, after.right[1000 + 4410 - 2000], 1e-12);
  EXPECT_NEAR(0.0, Peak(after.left, 0, 1000 + 4410 - 2000), 1e-12);
}

TEST(Engine, DryPathAloneIsTheScaledInput) {
  auto host = OpenWith({{kGrainOn, 0}, {kDelayOn, 0}, {kDryOut, -6}, {kDry2Dly, 24}});
  ASSERT_TRUE(host);
  const Stereo input = Noise(4096, 0.5, 6);
  const Stereo out = Render(*host, input);
  const double gain = std::pow(10.0, -6.0 / 20);
  for (int i = 0; i < input.Frames(); ++i) {
    ASSERT_NEAR(gain * input.left[i], out.left[i], 1e-12) << i;
    ASSERT_NEAR(gain * input.right[i], out.right[i], 1e-12) << i;
  }
  host->SetParameter(kDryEnabl, 0.0f);
  EXPECT_EQ(0.0, Peak(Render(*host, input).left, 0, input.Frames()));
}

TEST(Engine, SyncedDefaultDelayEchoesAnImpulseOnTime) {
  // The default delay time is synced: "1/32" at 120 bpm, 62.5 ms or
  // 2756.25 samples, which the two default taps reach by gliding.
  auto host = OpenWith({{kGrainOn, 0}, {kDryEnabl, 0}});
  ASSERT_TRUE(host);
  Render(*host, Stereo(2 * kRate));  // the taps settle
  const Stereo out = Render(*host, Impulse(6000, 100, 0.5));
  // Read at 2756.25 samples back: three quarters on the first sample, one
  // quarter on the next (the note lengths' single-precision factors move
  // the time by a ten-thousandth of a sample).
  EXPECT_NEAR(0.375, out.left[100 + 2756], 1e-4);
  EXPECT_NEAR(0.125, out.left[100 + 2757], 1e-4);
  EXPECT_NEAR(0.375, out.right[100 + 2756], 1e-4);
  EXPECT_LT(Peak(out.left, 0, 100 + 2756), 1e-9);
  EXPECT_LT(Peak(out.left, 100 + 2758, out.Frames()), 1e-9);
}

TEST(Engine, AProjectRestoredAtAnotherTempoKeepsItsSyncedTimes) {
  // A host restores the project (a chunk) before the first block, then
  // processes at the project's 90 bpm: "1/32" is then 60000 / 8 / 90 ms,
  // 3675 samples, not the 2756.25 of the default 120 bpm.
  testhost::HostSettings at90;
  at90.time.tempo = 90;
  auto host = OpenInstance(at90);
  ASSERT_TRUE(host);
  SetPlainValues(*host, {{kGrainOn, 0}, {kDryEnabl, 0}});
  Render(*host, Stereo(3 * kRate));  // the taps settle
  const Stereo out = Render(*host, Impulse(6000, 100, 0.5));
  const double echo = out.left[100 + 3674] + out.left[100 + 3675] + out.left[100 + 3676];
  EXPECT_NEAR(0.5, echo, 1e-3);
  EXPECT_LT(Peak(out.left, 0, 100 + 3674), 1e-9);
}

TEST(Engine, OnsetsComeAtTheIntervalAndStreamsTakeTurns) {
  for (int n : {2, 3, 5}) {
    auto host = OpenWith(VisibleGrains(n));
    ASSERT_TRUE(host);
    const Stereo out = Render(*host, Stereo(kRate, kGrainInput));
    const std::vector<Onset> onsets = FindOnsets(out, 4000);
    ASSERT_GE(onsets.size(), 10u) << n << " streams";
    const int interval = static_cast<int>((30.0 + 35.0) * kRate * 0.001 / n);
    const int first = static_cast<int>(std::lround(onsets[0].pan * (n - 1)));
    for (size_t i = 1; i < onsets.size(); ++i) {
      EXPECT_EQ(interval, onsets[i].at - onsets[i - 1].at) << n << " streams, onset " << i;
      const double stream = static_cast<double>((first + i) % n);
      EXPECT_NEAR(stream / (n - 1), onsets[i].pan, 0.03) << n << " streams, onset " << i;
    }
  }
}

// The fraction of sample-to-sample steps of a channel that go down.
double FallingShare(const std::vector<double>& samples, int from) {
  int falling = 0, total = 0;
  for (size_t i = from + 1; i < samples.size(); ++i, ++total) falling += samples[i] < samples[i - 1];
  return static_cast<double>(falling) / total;
}

TEST(Engine, BackwardGrainsPlayTheInputReversed) {
  // One stream of back-to-back rectangular grains, 100 ms long, read 100 ms
  // in the past, from a rising sawtooth: forwards the output rises between
  // the jumps, backwards it falls.
  Stereo saw(2 * kRate);
  for (int i = 0; i < saw.Frames(); ++i) saw.left[i] = saw.right[i] = ((i % 64) - 32) / 64.0;
  const Settings grains = Join(kGrainsOnly, {{kVrCount, 1},
                                             {kGrnCount, 1},
                                             {kGLenS, 0},
                                             {kGLen, 100},
                                             {kGIotS, 0},
                                             {kGIot, 0},
                                             {kGDelayS, 0},
                                             {kGDelay, 100},
                                             {kGEnvelop, kEnvelopeRectangle},
                                             {kGSrc, 0}});
  auto forward = OpenWith(Join(grains, {{kGDir, 0}}));
  auto backward = OpenWith(Join(grains, {{kGDir, 1}}));
  ASSERT_TRUE(forward && backward);
  EXPECT_LT(FallingShare(Render(*forward, saw).left, kRate / 2), 0.2);
  EXPECT_GT(FallingShare(Render(*backward, saw).left, kRate / 2), 0.8);
}

TEST(Engine, FastGrainsNeverOvertakeTheWritePosition) {
  // Noise fills the whole history ring, then silence follows. Ahead of the
  // write position the ring still holds the noise of one ring length ago:
  // a grain read at double speed that started too little in the past would
  // reach it. Started far enough back, grains hear only the silence.
  const int ring = 131072;
  auto host = OpenWith(Join(kGrainsOnly, {{kVrCount, 1},
                                          {kGrnCount, 1},
                                          {kGLenS, 0},
                                          {kGLen, 22.7},
                                          {kGIotS, 0},
                                          {kGIot, 10},
                                          {kGXpose, 2},
                                          {kGDelayS, 0},
                                          {kGDelay, 0},
                                          {kGHpf, 1},
                                          {kGEnvelop, kEnvelopeRectangle},
                                          {kGSrc, 0}}));
  ASSERT_TRUE(host);
  Stereo input = Noise(ring, 0.5, 7);
  input.Append(Stereo(20000));
  const Stereo out = Render(*host, input);
  EXPECT_GT(Peak(out.left, ring / 2, ring), 0.05);
  // 1001-sample grains start 2002 samples back; the last that heard noise
  // ends about 3000 samples into the silence.
  EXPECT_LT(Peak(out.left, ring + 4000, out.Frames()), 1e-9);
  EXPECT_LT(Peak(out.right, ring + 4000, out.Frames()), 1e-9);
}

TEST(Engine, FewerVrelsReleaseTheirStreams) {
  auto host = OpenWith(VisibleGrains(6));
  ASSERT_TRUE(host);
  const Stereo six = Render(*host, Stereo(kRate, kGrainInput));
  const std::vector<Onset> before = FindOnsets(six, 4000);
  ASSERT_GE(before.size(), 6u);
  for (const Onset& onset : before) {
    const double stream = onset.pan * 5;
    EXPECT_NEAR(std::round(stream), stream, 0.15) << onset.at;
  }
  // Two vrels from the next swarm update on: streams 0 and 1 alone, panned
  // right and left, alternating at the two-stream interval.
  host->SetParameter(kVrCount, 2 / 200.0f);
  const Stereo two = Render(*host, Stereo(kRate, kGrainInput));
  const std::vector<Onset> after = FindOnsets(two, 6000);
  ASSERT_GE(after.size(), 6u);
  for (size_t i = 1; i < after.size(); ++i) {
    EXPECT_EQ(static_cast<int>(65 * 44.1 / 2), after[i].at - after[i - 1].at) << i;
    EXPECT_NEAR(after[i - 1].pan, 1 - after[i].pan, 0.03) << i;
    EXPECT_TRUE(after[i].pan < 0.03 || after[i].pan > 0.97) << after[i].pan;
  }
}

TEST(Engine, PanicSilencesGrainsAndDelayAtOnce) {
  // Grains read 200 ms back, echoes every 50 ms: both go on sounding for a
  // while after the input stops, unless panic clears what they read. The
  // filters keep their state, so a faint tail of it remains.
  const Settings settings = {{kDFbk, 0.5}, {kDSmooth, 0}, {kDTimeS, 0},   {kDTime, 50},  {kGLenS, 0},
                             {kGLen, 80},  {kGDelayS, 0}, {kGDelay, 200}, {kDryEnabl, 0}};
  auto panicked = OpenWith(settings);
  auto twin = OpenWith(settings);
  ASSERT_TRUE(panicked && twin);
  const Stereo noise = Noise(kRate, 0.5, 8);
  EXPECT_EQ(Render(*twin, noise).left, Render(*panicked, noise).left);
  panicked->SetParameter(kPanic, 1.0f);
  const Stereo quiet = Render(*panicked, Stereo(kRate / 2));
  const Stereo loud = Render(*twin, Stereo(kRate / 2));
  // From the first echo period on, only the filters' state is heard: what
  // it recirculates through the feedback fades.
  for (int from = 0; from + 2205 <= quiet.Frames(); from += 2205) {
    EXPECT_LT(Energy(quiet.left, from, from + 2205), 1e-3 * Energy(loud.left, from, from + 2205)) << from;
    EXPECT_LT(Energy(quiet.right, from, from + 2205), 1e-3 * Energy(loud.right, from, from + 2205)) << from;
  }
  EXPECT_LT(Peak(quiet.left, 15000, quiet.Frames()), 0.1 * Peak(quiet.left, 0, 4410));
}

TEST(Engine, SampleRateChangeKeepsWhatTheDelayHolds) {
  // 100 ms without glide: 4410 samples at 44.1 kHz. The impulse is sent at
  // 44.1 kHz; before its echo is due the rate becomes 48 kHz, and the tap,
  // now 4800 samples long, plays it from the kept delay line.
  auto host = OpenWith(Join(kDelayOnly, {{kDTimeS, 0}, {kDTime, 100}, {kDSmooth, 0}}));
  ASSERT_TRUE(host);
  Render(*host, Stereo(2000));
  Render(*host, Impulse(3000, 100, 0.5));  // the impulse at 2100
  host->SetSampleRate(48000.0f);
  const Stereo out = Render(*host, Stereo(8000));  // from 5000 on
  EXPECT_NEAR(0.5, out.left[2100 + 4800 - 5000], 1e-12);
  EXPECT_NEAR(0.5, out.right[2100 + 4800 - 5000], 1e-12);
  EXPECT_LT(Peak(out.left, 0, 2100 + 4800 - 5000), 1e-12);
}

TEST(Engine, TapFeedbackIsScaledByTheTapCount) {
  // T taps of the same 100 ms delay, full feedback. The first echo is T
  // times the impulse (half on each side); the second is T times the
  // filtered feedback of T taps scaled by g(T). So the ratio of the second
  // echo's energy to the first's grows with (g(T) T)^2 against one tap,
  // where g(1) = 1 (the formula's 1.1508 limited to 1).
  auto echoRatio = [](int taps) {
    auto host = OpenWith(Join(kDelayOnly, {{kVrCount, 10},
                                           {kTapCount, taps},
                                           {kDTimeS, 0},
                                           {kDTime, 100},
                                           {kDSmooth, 0},
                                           {kDFbk, 1},
                                           {kDPan, 0.5}}));
    if (!host) return 0.0;
    const Stereo out = Render(*host, Impulse(15000, 2000, 0.01));
    const double first = Energy(out.left, 2000 + 4410 - 50, 2000 + 4410 + 50);
    const double second = Energy(out.left, 2000 + 2 * 4410 - 50, 2000 + 2 * 4410 + 2000);
    return second / first;
  };
  const double one = echoRatio(1);
  ASSERT_GT(one, 0.0);
  for (int taps : {2, 10}) {
    const double g = 1.1508 * std::pow(taps, -0.8895);
    EXPECT_NEAR(g * taps, std::sqrt(echoRatio(taps) / one), 1e-3 * g * taps) << taps << " taps";
  }
}

TEST(Engine, InputThatIsNotANumberIsHeardAsSilence) {
  // A broken host or upstream plug-in: NaN and infinities in the input
  // neither reach the output nor stay in the history and delay lines.
  auto host = OpenInstance();
  auto reference = OpenInstance();
  ASSERT_TRUE(host && reference);
  Stereo input = Noise(kRate, 0.5, 10);
  Stereo cleaned = input;
  for (int i = 100; i < kRate; i += 97) {
    input.left[i] = std::nan("");
    input.right[i] = (i / 97) % 2 ? HUGE_VAL : -HUGE_VAL;
    cleaned.left[i] = cleaned.right[i] = 0.0;
  }
  input.Append(Noise(kRate, 0.5, 11));
  cleaned.Append(Noise(kRate, 0.5, 11));
  const Stereo expected = Render(*reference, cleaned), heard = Render(*host, input);
  EXPECT_EQ(expected.left, heard.left);
  EXPECT_EQ(expected.right, heard.right);
}

TEST(Engine, SilenceAfterLoudInputDiesAway) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  Render(*host, Noise(2 * kRate, 1.0, 9));
  const Stereo tail = Render(*host, Stereo(20 * kRate));
  EXPECT_LT(Peak(tail.left, kRate, tail.Frames()), 1e-4);
  EXPECT_LT(Peak(tail.right, kRate, tail.Frames()), 1e-4);
}

}  // namespace
}  // namespace interfacetest
