// Several host threads in one instance, and instances made on several
// threads at once, as hosts do. Bounded work and no timing: these cases are
// meant for the ThreadSanitizer build, which reports any unguarded access.
// Assertions run on the main thread only.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "EventList.h"
#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::EventList;
using testhost::Host;

const int kBlockFrames = 256;
const int kBlocks = 400;
const int kHostWrites = 2000;

// Spins until the flag is set, so that both threads start together.
void WaitFor(const std::atomic<bool>& flag) {
  while (!flag.load()) std::this_thread::yield();
}

// Processes blocks with all three callbacks in turn; returns how many output
// samples were not finite.
int ProcessBlocks(Host& host, int blocks, int seed) {
  int notFinite = 0;
  FloatBuffers in(2, kBlockFrames), out(2, kBlockFrames);
  DoubleBuffers inD(2, kBlockFrames), outD(2, kBlockFrames);
  for (int block = 0; block < blocks; ++block) {
    in.FillSignal(seed + block);
    inD.FillSignal(seed + block);
    switch (block % 3) {
      case 0:
        host.ProcessReplacing(in.Pointers(), out.Pointers(), kBlockFrames);
        break;
      case 1:
        host.Process(in.Pointers(), out.Pointers(), kBlockFrames);
        break;
      default:
        host.ProcessDouble(inD.Pointers(), outD.Pointers(), kBlockFrames);
        break;
    }
    for (int c = 0; c < 2; ++c) {
      for (int i = 0; i < kBlockFrames; ++i) {
        if (!std::isfinite(out.Channel(c)[i]) || !std::isfinite(outD.Channel(c)[i])) ++notFinite;
      }
    }
  }
  return notFinite;
}

TEST(Concurrency, HostThreadWritesWhileTheAudioThreadProcesses) {
  ASSERT_EQ(size_t(kNumParams), Ranges().max.size());
  const std::vector<uint8_t> top = MakeChunk(Ranges().max);
  const std::vector<uint8_t> bottom = MakeChunk(Ranges().min);
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  host->SetSampleRate(48000.0f);
  host->SetBlockSize(kBlockFrames);
  host->SetMainsChanged(true);

  std::atomic<bool> go{false};
  int notFinite = 0;
  std::thread audio([&] {
    WaitFor(go);
    notFinite = ProcessBlocks(*host, kBlocks, 1);
  });

  int chunksRefused = 0;
  std::thread gui([&] {
    WaitFor(go);
    EventList events;
    events.AddMidi(0, 0x90, 60, 100);
    VstSpeakerArrangement stereo;
    std::memset(&stereo, 0, sizeof stereo);
    stereo.type = kSpeakerArrStereo;
    stereo.numChannels = 2;
    for (int i = 0; i < kHostWrites; ++i) {
      host->SetParameter(i % kNumParams, float(i % 10) / 9.0f);
      host->GetParameter((i * 7) % kNumParams);
      if (i % 8 == 0) {
        if (host->SetChunk(i % 16 == 0 ? top : bottom, i % 3 == 0) != 1) ++chunksRefused;
        host->GetChunk(i % 5 == 0);
        host->GetParamDisplay(i % kNumParams);
      }
      if (i % 32 == 0) {
        host->ProcessEvents(events.Get());
        host->SetProgram((i / 32) % kNumPrograms);
      }
      // What the audio thread's buffers and connections depend on.
      if (i % 64 == 0) {
        host->SetBlockSize(i % 128 == 0 ? kBlockFrames / 2 : kBlockFrames);
        host->SetSampleRate(i % 128 == 0 ? 44100.0f : 48000.0f);
        host->Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&stereo), &stereo);
      }
    }
  });

  go = true;
  audio.join();
  gui.join();
  EXPECT_EQ(0, notFinite);
  EXPECT_EQ(0, chunksRefused);
  EXPECT_EQ(1, host->SetChunk(top, false));
  EXPECT_EQ(Ranges().max, ChunkValues(host->GetChunk(false)));
  host->SetMainsChanged(false);
}

TEST(Concurrency, InstancesMadeAndUsedOnSeveralThreads) {
  const int kThreads = 4;
  const int kRounds = 3;
  std::atomic<bool> go{false};
  std::vector<int> failures(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      WaitFor(go);
      for (int round = 0; round < kRounds; ++round) {
        auto host = OpenInstance();
        if (!host) {
          ++failures[t];
          continue;
        }
        host->SetBlockSize(kBlockFrames);
        host->SetParameter(t, 1.0f);
        failures[t] += ProcessBlocks(*host, 20, t * 100 + round);
        if (host->GetParameter(t) != 1.0f) ++failures[t];
        host->Close();
      }
    });
  }
  go = true;
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(0, failures[t]) << "thread " << t;
}

}  // namespace
}  // namespace interfacetest
