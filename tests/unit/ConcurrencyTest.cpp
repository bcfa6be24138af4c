// The swarm view's writes (bounds, gather tool) and snapshots from one
// thread while another processes audio through the host's entry: each side
// takes the instance mutex, so the flock is never read half written (the
// thread-sanitizer build checks this). Then the same through the editor's
// swarm canvas, dragged and painted as the GUI thread does it.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "IControl.h"
#include "IGraphics.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

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

TEST(Concurrency, SwarmCanvasDraggedAndPaintedWhileTheAudioThreadProcesses) {
  VrelsPlugin* plug = new VrelsPlugin(nullptr);
  AEffect* effect = plug->GetAEffect();
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  IGraphics* graphics = plug->GetGUI();
  ASSERT_NE(graphics, nullptr);
  IControl* canvas = plug->GetEditorControls().mpSwarmCanvas;
  // A box of 100 x 80 centred in the field, so that it can move.
  plug->SetBoundsFromView(100, 80, 200, 160);
  const int centreX = 221 + 150, centreY = 92 + 120;
  const LayoutRect& gather = kControls[kCtlIdxGatherImage].mRect;
  const LayoutRect& scatter = kControls[kCtlIdxScatterImage].mRect;

  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<double> inL(256, 0.25), inR(256, -0.25), outL(256), outR(256);
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    for (int block = 0; block < 300; ++block) {
      effect->processDoubleReplacing(effect, in, out, 256);
      // As the processing marks the view after a swarm update.
      vrels::ScopedLock lock(plug->Mutex());
      canvas->SetDirty(false);
    }
    done = true;
  });
  const IMouseMods left(true, false);
  int paints = 0;
  for (int step = 0; !done; ++step) {
    IRect rect;
    if (graphics->IsDirty(&rect)) {
      graphics->Draw(rect);
      ++paints;
    }
    // The box moved away from the centre and back, then a tool dragged
    // through the field and released.
    graphics->OnMouseDown(centreX, centreY, left);
    graphics->OnMouseDrag(centreX + step % 40 - 20, centreY + step % 30 - 15, left);
    graphics->OnMouseDrag(centreX, centreY, left);
    graphics->OnMouseUp(centreX, centreY, IMouseMods());
    const LayoutRect& tool = step % 2 ? gather : scatter;
    graphics->OnMouseDown(tool.mL + 8, tool.mT + 8, left);
    graphics->OnMouseDrag(221 + step % 300, 92 + step % 240, left);
    graphics->OnMouseUp(221 + step % 300, 92 + step % 240, IMouseMods());
  }
  audio.join();
  EXPECT_GT(paints, 0);
  {
    vrels::ScopedLock lock(plug->Mutex());
    const Swarm& swarm = plug->GetSwarm();
    EXPECT_FALSE(swarm.mGatherActive);
    EXPECT_EQ(swarm.mBoundLeft, 100.0);
    EXPECT_EQ(swarm.mBoundBottom, 160.0);
  }
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);  // deletes the plug-in and its editor
}

}  // namespace
