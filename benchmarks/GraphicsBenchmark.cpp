// The editor's redraw cycle on the plug-in's own editor (natively the
// window-less layer: the drawing layer's off-screen buffer and FreeType
// text): an idle tick (nothing dirty), one knob's repaint (24 x 24), a full
// repaint (729 x 650), and the swarm view's area (344 x 312) repainted with
// a full flock in it; and a host's picture of the whole editor, written as
// a PNG file. The "core_percent_at_24fps" counter is the share of one core
// that a redraw case takes when it runs 24 times a second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <vector>

#include "IControl.h"
#include "IGraphics.h"
#include "VendorRequests.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

namespace {

const double TICKS_PER_SECOND = 24.0;
const double PERCENT = 100.0;

// The plug-in with its editor and a full flock (200 vrels, 20 chasers) that
// some blocks of audio have moved, everything painted once.
struct Editor {
  Editor() : mPlug(nullptr), mpGraphics(mPlug.GetGUI()) {
    AEffect* effect = mPlug.GetAEffect();
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, BLOCK, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    effect->setParameter(effect, kVrCount, 1.0f);
    effect->setParameter(effect, kChCount, 1.0f);
    std::vector<double> inL(BLOCK, 0.25), inR(BLOCK, -0.25), outL(BLOCK), outR(BLOCK);
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    for (int block = 0; block < FLOCK_BLOCKS; ++block) effect->processDoubleReplacing(effect, in, out, BLOCK);
    mpFlock = mPlug.GetEditorControls().mpSwarmCanvas;
    Tick();
  }
  void Tick() {
    IRect rect;
    if (mpGraphics->IsDirty(&rect)) mpGraphics->Draw(rect);
  }
  static const int BLOCK = 256;
  static const int FLOCK_BLOCKS = 100;
  VrelsPlugin mPlug;
  IGraphics* mpGraphics;  // the plug-in's
  IControl* mpFlock;      // the swarm view, the graphics object's
};

// The share of one core (per cent) the case takes at 24 ticks a second, from
// the process time the timed loop took (this benchmark runs one thread).
class CoreShare {
 public:
  CoreShare() : mStart(std::clock()) {}
  void Report(benchmark::State& state) const {
    const double seconds = static_cast<double>(std::clock() - mStart) / CLOCKS_PER_SEC;
    const double perTick = seconds / static_cast<double>(state.iterations());
    state.counters["core_percent_at_24fps"] = perTick * TICKS_PER_SECOND * PERCENT;
  }

 private:
  std::clock_t mStart;
};

void BM_IdleTick(benchmark::State& state) {
  Editor editor;
  CoreShare share;
  for (auto _ : state) editor.Tick();
  share.Report(state);
}
BENCHMARK(BM_IdleTick);

void BM_KnobRepaint(benchmark::State& state) {
  Editor editor;
  IControl* knob = editor.mpGraphics->GetControl(FIRST_KNOB);
  double value = 0.0;
  CoreShare share;
  for (auto _ : state) {
    value = value > 0.99 ? 0.0 : value + 0.01;
    knob->SetValue(value);
    knob->SetDirty(false);
    editor.Tick();
  }
  share.Report(state);
}
BENCHMARK(BM_KnobRepaint);

void BM_FullRepaint(benchmark::State& state) {
  Editor editor;
  CoreShare share;
  for (auto _ : state) {
    editor.mpGraphics->SetAllControlsDirty();
    editor.Tick();
  }
  share.Report(state);
}
BENCHMARK(BM_FullRepaint);

void BM_FlockViewRepaint(benchmark::State& state) {
  Editor editor;
  CoreShare share;
  for (auto _ : state) {
    editor.mpFlock->SetDirty(false);  // as the audio thread marks the view after a swarm update
    editor.Tick();
  }
  share.Report(state);
}
BENCHMARK(BM_FlockViewRepaint);

// A host's picture request (the vendor request kWriteEditorPicture): the
// whole editor painted and written as a PNG file. Most of it is the
// compression, done after the paint mutex is released; an open window's
// paint pass waits at most for a full repaint and a copy of the buffer.
void BM_EditorPicture(benchmark::State& state) {
  Editor editor;
  AEffect* effect = editor.mPlug.GetAEffect();
  char path[] = "vrels-editor-picture-benchmark.png";
  for (auto _ : state) {
    if (effect->dispatcher(effect, effVendorSpecific, vrelsvendor::kIndex, vrelsvendor::kWriteEditorPicture,
                           path, 0.0f) != 1) {
      state.SkipWithError("the picture could not be written");
      break;
    }
  }
  std::remove(path);
}
BENCHMARK(BM_EditorPicture)->Unit(benchmark::kMillisecond);

}  // namespace
