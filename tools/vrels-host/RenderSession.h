// Audio through a plug-in instance block by block, as a host plays it: the
// transport advanced before each block, the input's channels handed to the
// plug-in's inputs, silence after the input for the tail, and every
// processing call timed.
#pragma once

#include <cstdint>

#include "AudioData.h"
#include "PluginInstance.h"
#include "ProgressLine.h"
#include "Transport.h"

namespace vrelshost {

struct RenderSetup {
  int blockSize = 512;
  Transport transport;
  int64_t tailFrames = 0;  // silence rendered after the input
};

struct RenderTiming {
  double processingSeconds = 0.0;  // all processing calls together
  double worstBlockSeconds = 0.0;
  int64_t blocks = 0;

  double RealtimeFactor(double audioSeconds) const {
    return processingSeconds > 0 ? audioSeconds / processingSeconds : 0.0;
  }
};

// Renders `input` (at the instance's sample rate) through a started
// instance. Plug-in input i takes the file's channel i, or its last channel
// when it has fewer (a mono file feeds both inputs of a stereo plug-in);
// further file channels are not used. The result has as many channels as
// the plug-in has outputs. Uses processReplacing, or the accumulating
// process call on zeroed outputs for a plug-in without it; a ToolError for
// a plug-in with neither.
AudioData RenderThrough(PluginInstance& plugin, const AudioData& input, const RenderSetup& setup,
                        RenderTiming* timing, ProgressLine* progress = nullptr);

// One block of silence through a started instance, with the transport at
// its start. A plug-in in a host has run with the host's tempo before a user
// loads a preset or turns a knob; Vrels computes tempo-synced times from the
// tempo it last saw, so settings made after this block time as they would
// in the host.
void RunOneSilentBlock(PluginInstance& plugin, const RenderSetup& setup, double sampleRate);

}  // namespace vrelshost
