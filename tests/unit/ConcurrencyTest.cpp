// The swarm view's writes (bounds, gather tool) and snapshots from one
// thread while another processes audio through the host's entry: each side
// takes the instance mutex, so the flock is never read half written (the
// thread-sanitizer build checks this). The GUI thread calls the plug-in's
// operations directly and also drags and paints the editor's swarm canvas,
// which the audio thread marks dirty after each block.
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
  IGraphics* graphics = plug->GetGUI();
  ASSERT_NE(graphics, nullptr);
  IControl* canvas = plug->GetEditorControls().mpSwarmCanvas;
  std::atomic<bool> done{false};
  std::atomic<int> notFinite{0};
  std::thread audio([&] {
    std::vector<double> inL(256, 0.25), inR(256, -0.25), outL(256), outR(256);
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    for (int block = 0; block < 400; ++block) {
      effect->processDoubleReplacing(effect, in, out, 256);
      for (double x : outL) notFinite += !std::isfinite(x);
      vrels::ScopedLock lock(plug->Mutex());
      canvas->SetDirty(false);
    }
    done = true;
  });
  SwarmSnapshot snapshot;
  const IMouseMods left(true, false);
  const int centreX = 221 + 150, centreY = 92 + 120;  // the field's centre
  const LayoutRect& gather = kControls[kCtlIdxGatherImage].mRect;
  int step = 0, paints = 0;
  while (!done) {
    plug->SetBoundsFromView(step % 50, step % 40, 300 - step % 60, 240 - step % 30);
    plug->SetGather(step % 2 == 0, step % 3 == 0, step % 300, step % 240);
    plug->GetSwarmSnapshot(&snapshot);
    IRect rect;
    if (graphics->IsDirty(&rect)) {
      graphics->Draw(rect);
      ++paints;
    }
    // The box dragged from the centre and back, then the gather tool
    // through the field.
    graphics->OnMouseDown(centreX, centreY, left);
    graphics->OnMouseDrag(centreX + step % 40 - 20, centreY + step % 30 - 15, left);
    graphics->OnMouseDrag(centreX, centreY, left);
    graphics->OnMouseUp(centreX, centreY, IMouseMods());
    graphics->OnMouseDown(gather.mL + 8, gather.mT + 8, left);
    graphics->OnMouseDrag(221 + step % 300, 92 + step % 240, left);
    graphics->OnMouseUp(221 + step % 300, 92 + step % 240, IMouseMods());
    ++step;
  }
  audio.join();
  EXPECT_EQ(0, notFinite.load());
  EXPECT_GT(paints, 0);
  EXPECT_LE(snapshot.mNumVrels, MAX_NUM_VRELS);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);  // deletes the plug-in and its editor
}

}  // namespace
