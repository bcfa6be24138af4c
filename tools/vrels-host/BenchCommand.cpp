#include "BenchCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include "DemoPhrase.h"
#include "PluginSettings.h"
#include "RenderSession.h"
#include "ToolError.h"

namespace vrelshost {

namespace {

// Audio rendered before timing starts: buffers, pools and caches warm.
const double kWarmSeconds = 2.0;
// The test signal is this much of the phrase, repeated as often as needed.
const double kSignalSeconds = 9.6;

struct BenchEntry {
  std::string plugin;
  std::string label;
  PluginSettings settings;
  double realtime = 0.0;
  double meanBlock = 0.0;
  double worstBlock = 0.0;
};

struct BenchOptions {
  double seconds = 20.0;
  int blockSize = 512;
  double rate = 44100.0;
  std::vector<BenchEntry> entries;
};

BenchOptions ParseBenchOptions(Arguments& arguments) {
  BenchOptions options;
  while (!arguments.Done()) {
    if (!arguments.AtOption()) {
      BenchEntry entry;
      entry.plugin = arguments.Take("PLUGIN");
      options.entries.push_back(entry);
      continue;
    }
    const std::string option = arguments.Take("option");
    if (!options.entries.empty()) {
      BenchEntry& entry = options.entries.back();
      if (TakeSettingsOption(option, arguments, &entry.settings)) continue;
      if (option == "--label") {
        entry.label = arguments.TakeValue(option);
        continue;
      }
    }
    if (option == "--seconds") {
      options.seconds = ParseNumberIn(arguments.TakeValue(option), option, 1, 36000);
    } else if (option == "--block") {
      options.blockSize = ParseInteger(arguments.TakeValue(option), option, 1, 65536);
    } else if (option == "--rate") {
      options.rate = ParseNumberIn(arguments.TakeValue(option), option, 1000, 768000);
    } else {
      throw UsageError("bench has no option '" + option + "'" +
                       (options.entries.empty() ? " before the first plug-in" : ""));
    }
  }
  if (options.entries.empty()) throw UsageError("bench needs at least one PLUGIN");
  return options;
}

// The test signal: the phrase repeated to the length of the run.
AudioData TestSignal(double rate, double seconds) {
  const AudioData phrase = DemoPhrase(rate, kSignalSeconds);
  AudioData signal = phrase;
  const int64_t frames = static_cast<int64_t>(seconds * rate);
  signal.samples.resize(static_cast<size_t>(frames) * 2);
  for (size_t i = phrase.samples.size(); i < signal.samples.size(); ++i) {
    signal.samples[i] = phrase.samples[i % phrase.samples.size()];
  }
  return signal;
}

void Measure(BenchEntry& entry, const BenchOptions& options, const AudioData& warm, const AudioData& signal) {
  PluginInstance plugin(entry.plugin, options.rate, options.blockSize);
  if (entry.label.empty()) {
    entry.label = plugin.Host().GetEffectName();
    if (entry.label.empty()) entry.label = entry.plugin;
    if (!entry.settings.Empty()) entry.label += " (" + DescribeSettings(entry.settings) + ")";
  }
  plugin.Start();
  RenderSetup setup;
  setup.blockSize = options.blockSize;
  RunOneSilentBlock(plugin, setup, options.rate);
  ApplySettings(plugin, entry.settings);
  RenderTiming timing;
  RenderThrough(plugin, warm, setup, &timing);
  ProgressLine progress("measuring " + entry.label, signal.Frames(), signal.sampleRate, false);
  RenderThrough(plugin, signal, setup, &timing, &progress);
  entry.realtime = timing.RealtimeFactor(signal.Seconds());
  entry.meanBlock = timing.blocks > 0 ? timing.processingSeconds / timing.blocks : 0.0;
  entry.worstBlock = timing.worstBlockSeconds;
}

}  // namespace

int RunBench(Arguments& arguments) {
  BenchOptions options = ParseBenchOptions(arguments);
  const AudioData warm = TestSignal(options.rate, kWarmSeconds);
  const AudioData signal = TestSignal(options.rate, options.seconds);
  std::printf("%.0f s of the demo phrase at %.0f Hz in blocks of %d frames, after %.0f s of warm-up\n\n",
              options.seconds, options.rate, options.blockSize, kWarmSeconds);
  for (BenchEntry& entry : options.entries) Measure(entry, options, warm, signal);

  std::printf("%-44s %11s %12s %12s %11s\n", "plug-in", "realtime", "mean block", "worst block",
              "worst/mean");
  for (const BenchEntry& entry : options.entries) {
    std::printf("%-44s %10.1fx %9.1f us %9.1f us %11.2f\n", entry.label.c_str(), entry.realtime,
                entry.meanBlock * 1e6, entry.worstBlock * 1e6,
                entry.meanBlock > 0 ? entry.worstBlock / entry.meanBlock : 0.0);
  }
  // The first binary's entries against every other binary's.
  const std::string& subject = options.entries.front().plugin;
  bool headed = false;
  for (const BenchEntry& ours : options.entries) {
    if (ours.plugin != subject) continue;
    for (const BenchEntry& peer : options.entries) {
      if (peer.plugin == subject || peer.realtime <= 0) continue;
      if (!headed) std::printf("\nrealtime factor ratios:\n");
      headed = true;
      std::printf("  %s / %s: %.2f\n", ours.label.c_str(), peer.label.c_str(), ours.realtime / peer.realtime);
    }
  }
  return 0;
}

}  // namespace vrelshost
