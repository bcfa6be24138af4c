// The three processing callbacks, channel connections, block sizes and sample
// rates. With grains and delay switched off the plug-in passes its inputs
// through, so every output is compared with its input sample for sample.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::Host;

const float kMarker = -0.75f;  // fills outputs to show whether a call wrote them

enum class Callback { kReplacing, kAccumulating, kDouble };

const char* Name(Callback callback) {
  switch (callback) {
    case Callback::kReplacing:
      return "processReplacing";
    case Callback::kAccumulating:
      return "process";
    case Callback::kDouble:
      return "processDoubleReplacing";
  }
  return "";
}

VstSpeakerArrangement Arrangement(int channels) {
  VstSpeakerArrangement arrangement;
  std::memset(&arrangement, 0, sizeof arrangement);
  arrangement.type = channels == 0   ? kSpeakerArrEmpty
                     : channels == 1 ? kSpeakerArrMono
                     : channels == 2 ? kSpeakerArrStereo
                                     : kSpeakerArrUserDefined;
  arrangement.numChannels = channels;
  return arrangement;
}

// Sets the input and output arrangements; a negative count leaves that side
// out of the call.
intptr_t SetArrangement(Host& host, int inputs, int outputs) {
  VstSpeakerArrangement in = Arrangement(inputs < 0 ? 0 : inputs);
  VstSpeakerArrangement out = Arrangement(outputs < 0 ? 0 : outputs);
  return host.Dispatch(effSetSpeakerArrangement, 0, inputs < 0 ? 0 : reinterpret_cast<intptr_t>(&in),
                       outputs < 0 ? nullptr : &out);
}

// Runs one callback on float or double buffers holding the same samples and
// returns the outputs as doubles (frames samples per channel).
struct Rendered {
  std::vector<std::vector<double>> outputs;
  bool guardsIntact;
};

Rendered ProcessWith(Host& host, Callback callback, const FloatBuffers& input, float outputFill,
                     int outputChannels = 2) {
  const int frames = input.Frames();
  Rendered run;
  if (callback == Callback::kDouble) {
    DoubleBuffers in(input.Channels(), frames), out(outputChannels, frames, outputFill);
    in.CopySamples(input);
    host.ProcessDouble(in.Pointers(), out.Pointers(), frames);
    for (int c = 0; c < outputChannels; ++c) run.outputs.push_back(out.Samples(c));
    run.guardsIntact = out.GuardIntact() && in.GuardIntact();
  } else {
    FloatBuffers in(input.Channels(), frames), out(outputChannels, frames, outputFill);
    in.CopySamples(input);
    if (callback == Callback::kReplacing) {
      host.ProcessReplacing(in.Pointers(), out.Pointers(), frames);
    } else {
      host.Process(in.Pointers(), out.Pointers(), frames);
    }
    for (int c = 0; c < outputChannels; ++c) {
      const std::vector<float> samples = out.Samples(c);
      run.outputs.emplace_back(samples.begin(), samples.end());
    }
    run.guardsIntact = out.GuardIntact() && in.GuardIntact();
  }
  return run;
}

// What an output channel must hold: the input plus, for the accumulating
// callback, what the output held before.
std::vector<double> Expected(Callback callback, const FloatBuffers& input, int channel, float outputFill) {
  std::vector<double> expected(input.Frames());
  for (int i = 0; i < input.Frames(); ++i) {
    expected[i] = input.Channel(channel)[i];
    if (callback == Callback::kAccumulating) expected[i] += outputFill;
  }
  return expected;
}

std::vector<double> Filled(int frames, float value) {
  return std::vector<double>(frames, value);
}

const Callback kAllCallbacks[] = {Callback::kReplacing, Callback::kAccumulating, Callback::kDouble};

class Processing : public testing::Test {
 protected:
  void SetUp() override {
    mHost = OpenDryInstance();
    ASSERT_TRUE(mHost);
  }
  std::unique_ptr<Host> mHost;
};

TEST_F(Processing, EveryCallbackPassesTheInputThrough) {
  FloatBuffers input(2, 512);
  input.FillSignal(1);
  for (Callback callback : kAllCallbacks) {
    const Rendered run = ProcessWith(*mHost, callback, input, kMarker);
    for (int c = 0; c < 2; ++c) {
      EXPECT_EQ(Expected(callback, input, c, kMarker), run.outputs[c]) << Name(callback) << " channel " << c;
    }
    EXPECT_TRUE(run.guardsIntact) << Name(callback);
  }
}

TEST_F(Processing, AccumulatingTwiceDoublesTheContribution) {
  const int frames = 256;
  FloatBuffers in(2, frames), out(2, frames, 0.25f);
  in.FillSignal(2);
  mHost->Process(in.Pointers(), out.Pointers(), frames);
  mHost->Process(in.Pointers(), out.Pointers(), frames);
  FloatBuffers replaced(2, frames, 0.25f);
  mHost->ProcessReplacing(in.Pointers(), replaced.Pointers(), frames);
  mHost->ProcessReplacing(in.Pointers(), replaced.Pointers(), frames);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < frames; ++i) {
      ASSERT_EQ(0.25f + 2.0f * in.Channel(c)[i], out.Channel(c)[i]) << c << ":" << i;
      ASSERT_EQ(in.Channel(c)[i], replaced.Channel(c)[i]) << c << ":" << i;
    }
  }
}

TEST_F(Processing, InPlaceBuffersAreHandled) {
  // Hosts may hand the same buffers as inputs and outputs.
  const int frames = 300;
  FloatBuffers original(2, frames);
  original.FillSignal(5);

  FloatBuffers shared(2, frames);
  shared.FillSignal(5);
  mHost->ProcessReplacing(shared.Pointers(), shared.Pointers(), frames);
  EXPECT_EQ(original.Samples(0), shared.Samples(0));
  EXPECT_EQ(original.Samples(1), shared.Samples(1));

  mHost->Process(shared.Pointers(), shared.Pointers(), frames);
  for (int i = 0; i < frames; ++i) ASSERT_EQ(2.0f * original.Channel(1)[i], shared.Channel(1)[i]);

  DoubleBuffers sharedDouble(2, frames);
  sharedDouble.FillSignal(5);
  mHost->ProcessDouble(sharedDouble.Pointers(), sharedDouble.Pointers(), frames);
  for (int i = 0; i < frames; ++i) ASSERT_EQ(double(original.Channel(0)[i]), sharedDouble.Channel(0)[i]);
}

TEST_F(Processing, CallsLongerThanTheBlockSizeAreProcessedWhole) {
  struct Case {
    intptr_t blockSize;  // 0: the default left as it is
    int frames;
  };
  const Case cases[] = {{64, 1000}, {1, 37}, {0, 2500}, {100, 100}, {100, 101}};
  for (const Case& c : cases) {
    auto host = OpenDryInstance();
    ASSERT_TRUE(host);
    if (c.blockSize) host->SetBlockSize(c.blockSize);
    FloatBuffers input(2, c.frames);
    input.FillSignal(c.frames);
    for (Callback callback : kAllCallbacks) {
      const Rendered run = ProcessWith(*host, callback, input, kMarker);
      for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(Expected(callback, input, ch, kMarker), run.outputs[ch])
            << Name(callback) << ", block size " << c.blockSize << ", " << c.frames << " frames";
      }
      EXPECT_TRUE(run.guardsIntact);
    }
  }
}

TEST_F(Processing, NoFramesWritesNothing) {
  FloatBuffers input(2, 16);
  input.FillSignal(1);
  for (Callback callback : kAllCallbacks) {
    FloatBuffers in(2, 0);
    FloatBuffers out(2, 0);
    DoubleBuffers inD(2, 0), outD(2, 0);
    if (callback == Callback::kDouble) {
      mHost->ProcessDouble(inD.Pointers(), outD.Pointers(), 0);
      EXPECT_TRUE(outD.GuardIntact());
    } else if (callback == Callback::kReplacing) {
      mHost->ProcessReplacing(in.Pointers(), out.Pointers(), 0);
      EXPECT_TRUE(out.GuardIntact());
    } else {
      mHost->Process(in.Pointers(), out.Pointers(), 0);
      EXPECT_TRUE(out.GuardIntact());
    }
  }
  // And the next real block is unaffected.
  const Rendered run = ProcessWith(*mHost, Callback::kReplacing, input, kMarker);
  EXPECT_EQ(Expected(Callback::kReplacing, input, 0, kMarker), run.outputs[0]);
}

TEST_F(Processing, MonoArrangementUsesOneHostBufferPerSide) {
  ASSERT_EQ(1, SetArrangement(*mHost, 1, 1));
  FloatBuffers input(2, 400);
  input.FillSignal(7);
  for (Callback callback : kAllCallbacks) {
    // One host buffer per side is used: the second output is not written.
    const Rendered run = ProcessWith(*mHost, callback, input, kMarker);
    EXPECT_EQ(Expected(callback, input, 0, kMarker), run.outputs[0]) << Name(callback);
    EXPECT_EQ(Filled(400, kMarker), run.outputs[1]) << Name(callback);
    EXPECT_TRUE(run.guardsIntact);
  }
  // Longer than the block size, with the unconnected channels on their own
  // (block-sized) buffers.
  mHost->SetBlockSize(64);
  FloatBuffers longInput(2, 1000);
  longInput.FillSignal(8);
  for (Callback callback : kAllCallbacks) {
    const Rendered run = ProcessWith(*mHost, callback, longInput, kMarker);
    EXPECT_EQ(Expected(callback, longInput, 0, kMarker), run.outputs[0]) << Name(callback);
    EXPECT_EQ(Filled(1000, kMarker), run.outputs[1]) << Name(callback);
  }
  // Back to stereo: both channels connected again.
  ASSERT_EQ(1, SetArrangement(*mHost, 2, 2));
  for (Callback callback : kAllCallbacks) {
    const Rendered run = ProcessWith(*mHost, callback, input, kMarker);
    EXPECT_EQ(Expected(callback, input, 1, kMarker), run.outputs[1]) << Name(callback);
  }
}

TEST_F(Processing, OutputArrangementsAreClippedToTheChannels) {
  FloatBuffers input(2, 128);
  input.FillSignal(9);
  ASSERT_EQ(1, SetArrangement(*mHost, -1, 0));  // outputs only: none connected
  Rendered run = ProcessWith(*mHost, Callback::kReplacing, input, kMarker);
  EXPECT_EQ(Filled(128, kMarker), run.outputs[0]);
  EXPECT_EQ(Filled(128, kMarker), run.outputs[1]);

  ASSERT_EQ(1, SetArrangement(*mHost, 8, 8));  // more than there are: all connected
  run = ProcessWith(*mHost, Callback::kReplacing, input, kMarker);
  EXPECT_EQ(Expected(Callback::kReplacing, input, 0, kMarker), run.outputs[0]);
  EXPECT_EQ(Expected(Callback::kReplacing, input, 1, kMarker), run.outputs[1]);
}

TEST_F(Processing, UnconnectedInputReadsSilenceNotTheLastBlock) {
  // A second input that is disconnected after a stereo call must not replay
  // what that call left in its buffer: with mono in and stereo out the host
  // would hear a stale block repeated on the second output.
  const int frames = 256;
  mHost->SetBlockSize(frames);
  FloatBuffers stereo(2, frames);
  stereo.FillSignal(11);
  ProcessWith(*mHost, Callback::kReplacing, stereo, kMarker);

  ASSERT_EQ(1, SetArrangement(*mHost, 1, -1));  // inputs only: mono in, stereo out
  FloatBuffers next(2, frames);
  next.FillSignal(12);
  for (Callback callback : kAllCallbacks) {
    Rendered run = ProcessWith(*mHost, callback, next, kMarker);
    EXPECT_EQ(Expected(callback, next, 0, kMarker), run.outputs[0]) << Name(callback);
    // Silence replaces the output, or adds nothing to what it held.
    float silence = callback == Callback::kAccumulating ? kMarker : 0.0f;
    EXPECT_EQ(Filled(frames, silence), run.outputs[1]) << Name(callback);
  }
  // Still silent after block-size changes, refused or taken.
  for (intptr_t size : {intptr_t(frames), intptr_t(0), intptr_t(-5), intptr_t(frames / 2)}) {
    mHost->SetBlockSize(size);
    Rendered run = ProcessWith(*mHost, Callback::kReplacing, next, kMarker);
    EXPECT_EQ(Filled(frames, 0.0f), run.outputs[1]) << "block size " << size;
  }
}

TEST_F(Processing, BlockSizeThatIsNotPositiveKeepsThePreviousOne) {
  mHost->SetBlockSize(64);
  mHost->SetBlockSize(0);
  mHost->SetBlockSize(-64);
  FloatBuffers input(2, 300);
  input.FillSignal(14);
  for (Callback callback : kAllCallbacks) {
    const Rendered run = ProcessWith(*mHost, callback, input, kMarker);
    EXPECT_EQ(Expected(callback, input, 1, kMarker), run.outputs[1]) << Name(callback);
  }
}

TEST_F(Processing, SampleRatesThatAreNotPositiveAndFiniteAreIgnored) {
  // An instance given unusable rates behaves exactly like one that only got
  // the usable rate.
  // Both with the whole engine running.
  auto reference = OpenInstance();
  auto host = OpenInstance();
  ASSERT_TRUE(reference && host);
  reference->SetSampleRate(48000.0f);
  host->SetSampleRate(48000.0f);
  const float rates[] = {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
  for (float rate : rates) {
    EXPECT_EQ(0, host->Dispatch(effSetSampleRate, 0, 0, nullptr, rate));
  }
  for (int block = 0; block < 4; ++block) {
    FloatBuffers input(2, 512);
    input.FillSignal(20 + block);
    const Rendered expected = ProcessWith(*reference, Callback::kReplacing, input, kMarker);
    const Rendered run = ProcessWith(*host, Callback::kReplacing, input, kMarker);
    EXPECT_EQ(expected.outputs, run.outputs) << "block " << block;
    for (double sample : run.outputs[0]) ASSERT_TRUE(std::isfinite(sample));
  }
}

}  // namespace
}  // namespace interfacetest
