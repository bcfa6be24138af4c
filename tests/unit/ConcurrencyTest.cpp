// The swarm view's writes (bounds, gather tool) and snapshots from one
// thread while another processes audio through the host's entry: each side
// takes the instance mutex, so the flock is never read half written (the
// thread-sanitizer build checks this).
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "VrelsPlugin.h"

namespace {

TEST(Concurrency, SwarmViewWritesWhileTheAudioThreadProcesses) {
  VrelsPlugin* plug = new VrelsPlugin(nullptr);
  AEffect* effect = plug->GetAEffect();
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  std::atomic<bool> done{false};
  std::atomic<int> notFinite{0};
  std::thread audio([&] {
    std::vector<double> inL(256, 0.25), inR(256, -0.25), outL(256), outR(256);
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    for (int block = 0; block < 400; ++block) {
      effect->processDoubleReplacing(effect, in, out, 256);
      for (double x : outL) notFinite += !std::isfinite(x);
    }
    done = true;
  });
  SwarmSnapshot snapshot;
  int step = 0;
  while (!done) {
    plug->SetBoundsFromView(step % 50, step % 40, 300 - step % 60, 240 - step % 30);
    plug->SetGather(step % 2 == 0, step % 3 == 0, step % 300, step % 240);
    plug->GetSwarmSnapshot(&snapshot);
    ++step;
  }
  audio.join();
  EXPECT_EQ(0, notFinite.load());
  EXPECT_GT(step, 0);
  EXPECT_LE(snapshot.mNumVrels, MAX_NUM_VRELS);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);  // deletes the plug-in
}

}  // namespace
