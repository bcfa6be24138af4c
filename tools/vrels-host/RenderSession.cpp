#include "RenderSession.h"

#include <algorithm>
#include <vector>

#include "Stopwatch.h"
#include "ToolError.h"

namespace vrelshost {

AudioData RenderThrough(PluginInstance& plugin, const AudioData& input, const RenderSetup& setup,
                        RenderTiming* timing, ProgressLine* progress) {
  testhost::Host& host = plugin.Host();
  const AEffect& effect = plugin.Effect();
  const int inputs = std::min(CountOf(effect.numInputs), 64);
  const int outputs = std::min(CountOf(effect.numOutputs), 64);
  const bool replacing = (effect.flags & effFlagsCanReplacing) != 0 && effect.processReplacing;
  if (!replacing && !effect.process) throw ToolError(plugin.Path() + " offers no processing call");
  const int block = std::max(1, setup.blockSize);

  // One spare channel each way so that the pointer arrays are never empty.
  std::vector<std::vector<float>> in(inputs + 1, std::vector<float>(block)),
      out(outputs + 1, std::vector<float>(block));
  std::vector<float*> inPointers, outPointers;
  for (auto& channel : in) inPointers.push_back(channel.data());
  for (auto& channel : out) outPointers.push_back(channel.data());

  const int64_t inputFrames = input.Frames();
  const int64_t total = inputFrames + std::max<int64_t>(0, setup.tailFrames);
  AudioData output;
  output.sampleRate = input.sampleRate;
  output.channels = outputs;
  output.samples.resize(static_cast<size_t>(total) * outputs);

  RenderTiming local;
  for (int64_t start = 0; start < total; start += block) {
    const int frames = static_cast<int>(std::min<int64_t>(block, total - start));
    for (int c = 0; c < inputs; ++c) {
      const int source = std::min(c, input.channels - 1);
      for (int k = 0; k < frames; ++k) {
        const int64_t frame = start + k;
        in[c][k] =
            (source >= 0 && frame < inputFrames) ? input.samples[frame * input.channels + source] : 0.0f;
      }
    }
    if (!replacing) {
      for (auto& channel : out) std::fill(channel.begin(), channel.end(), 0.0f);
    }
    host.SetTime(setup.transport.At(start, input.sampleRate));

    const double begin = ProcessingClock();
    if (replacing) {
      host.ProcessReplacing(inPointers.data(), outPointers.data(), frames);
    } else {
      host.Process(inPointers.data(), outPointers.data(), frames);
    }
    const double spent = ProcessingClock() - begin;
    local.processingSeconds += spent;
    local.worstBlockSeconds = std::max(local.worstBlockSeconds, spent);
    ++local.blocks;

    for (int c = 0; c < outputs; ++c) {
      for (int k = 0; k < frames; ++k) output.samples[(start + k) * outputs + c] = out[c][k];
    }
    if (progress) progress->Update(start + frames);
  }
  if (progress) progress->Finish();
  if (timing) *timing = local;
  return output;
}

void RunOneSilentBlock(PluginInstance& plugin, const RenderSetup& setup, double sampleRate) {
  AudioData nothing;
  nothing.sampleRate = sampleRate;
  RenderSetup silent = setup;
  silent.tailFrames = std::max(1, setup.blockSize);
  RenderThrough(plugin, nothing, silent, nullptr);
}

}  // namespace vrelshost
