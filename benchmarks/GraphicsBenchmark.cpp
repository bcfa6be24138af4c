// The editor's redraw cycle on the plug-in's own editor (natively the
// window-less layer: the drawing layer's off-screen buffer and FreeType
// text): an idle tick (nothing dirty), one knob's repaint (24 x 24), a full
// repaint (729 x 650), and the flock view's area (344 x 312) repainted with
// a full flock drawn in it; and a host's picture of the whole editor,
// written as a PNG file. The "core_percent_at_24fps" counter is the share
// of one core that a redraw case takes when it runs 24 times a second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <memory>

#include "IControl.h"
#include "IGraphics.h"
#include "VendorRequests.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

namespace {

const double TICKS_PER_SECOND = 24.0;
const double PERCENT = 100.0;

// What the flock view draws for a full flock (200 vrels, 20 chasers): the
// snapshot copied under the instance mutex, then the leader's ring, three
// squares per creature and the bounds frame. Laid over the view's place.
class FlockStandIn : public IControl {
 public:
  FlockStandIn(VrelsPlugin* plug, const IRect& rect) : IControl(plug, rect), mpVrels(plug) {}

  bool Draw(IGraphics* graphics) override {
    mpVrels->GetSwarmSnapshot(mpSnapshot.get());
    const IRect& r = GetRect();
    const int fieldL = r.mL + 21, fieldT = r.mT + 36;  // the field's origin in the view
    const int fieldW = 300, fieldH = 240;              // field units, one pixel each
    graphics->DrawCircle(IColour(255, 0, 0, 0), fieldL + 30.0f, fieldT + 30.0f, 7.0f, nullptr, false);
    for (int i = 0; i < MAX_NUM_VRELS + MAX_NUM_CHASERS; ++i) {
      const bool chaser = i >= MAX_NUM_VRELS;
      // Spread over the field without a pattern that favours any row.
      const int x = fieldL + (i * 37) % fieldW, y = fieldT + (i * 53) % fieldH;
      const int side = chaser ? 7 : 4;
      const IColour colour = chaser ? IColour(255, 0, 0, 0) : IColour(255, (i * 41) & 0xff, 128, 200);
      for (int k = 0; k < 3; ++k) {
        graphics->FillRect(colour, IRect(x + 2 * k, y + k, x + 2 * k + side - k, y + side), nullptr);
      }
    }
    const IColour grey(255, 127, 127, 127);
    const int l = fieldL, t = fieldT, rr = fieldL + fieldW, b = fieldT + fieldH;
    graphics->FillRect(grey, IRect(l, t, rr, t + 2), nullptr);
    graphics->FillRect(grey, IRect(l, b - 2, rr, b), nullptr);
    graphics->FillRect(grey, IRect(l, t, l + 2, b), nullptr);
    graphics->FillRect(grey, IRect(rr - 2, t, rr, b), nullptr);
    return true;
  }

 private:
  VrelsPlugin* mpVrels;
  std::unique_ptr<SwarmSnapshot> mpSnapshot{new SwarmSnapshot};
};

// The plug-in with its editor, everything painted once.
struct Editor {
  Editor() : mPlug(nullptr), mpGraphics(mPlug.GetGUI()) {
    const LayoutRect& view = kControls[kCtlIdxSwarmCanvas].mRect;
    mpFlock = new FlockStandIn(&mPlug, IRect(view.mL, view.mT, view.mR, view.mB));
    mpGraphics->AttachControl(mpFlock);
    mpGraphics->PrepareDraw();
    Tick();
  }
  void Tick() {
    IRect rect;
    if (mpGraphics->IsDirty(&rect)) mpGraphics->Draw(rect);
  }
  VrelsPlugin mPlug;
  IGraphics* mpGraphics;  // the plug-in's
  IControl* mpFlock;      // the graphics object's
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
// whole editor painted and written as a PNG file. This is how long an open
// window's paint pass may wait for the paint mutex.
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
