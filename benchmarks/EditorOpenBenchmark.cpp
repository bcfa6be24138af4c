// The editor's cost while it is open, as a host would meet it: the audio
// thread processes 512-frame blocks paced in real time (44.1 kHz) while a GUI
// thread ticks the editor 24 times a second (natively the window-less layer:
// the dirty check and the paint into the off-screen buffer; a window layer
// adds only the copy to the screen). For the defaults and the heavy setting
// it prints:
// - the editor's share of one core: the GUI thread's CPU time over the run's
//   wall time;
// - the audio thread's CPU time per block with the editor closed and open,
//   and the difference (the meters, texts and redraw marks the engine hands
//   over, and the paint's waits for the instance mutex).
// With an X display (DISPLAY set), a third run per setting opens the
// editor's X11 window in a top-level window of the benchmark's own and the
// GUI thread calls the host's idle entry 24 times a second instead: the
// window layer's full cost (events, the dirty check, the paint, the copy to
// the server). Its share counts every thread of the process but the audio
// thread (the window's own thread too); the X server's work is not counted.
//
// Usage: vrels_editor_benchmark [seconds per run, default 20] [defaults|heavy]
#include <X11/Xlib.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

#include "EngineRig.h"
#include "IGraphics.h"

namespace {

using namespace enginerig;

const double TICKS_PER_SECOND = 24.0;
const double PERCENT = 100.0;

double ProcessSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

double WallSeconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

void SleepUntil(double wallSeconds) {
  timespec until;
  until.tv_sec = static_cast<time_t>(wallSeconds);
  until.tv_nsec = static_cast<long>((wallSeconds - until.tv_sec) * 1e9);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) != 0) {
  }
}

struct RunResult {
  double mAudioSecondsPerBlock;  // thread CPU time
  double mEditorCoreShare;       // 0..1, 0 with the editor closed
};

enum Editor { kClosed, kWindowless, kWindow };

RunResult Run(const std::function<void(Instance&)>& configure, double seconds, Editor editor) {
  Instance instance;
  configure(instance);
  Input input(0.5);
  for (int b = 0; b < kWarmBlocks; ++b) instance.Block(input, b);

  IGraphics* graphics = instance.Plug()->GetGUI();
  std::atomic<bool> running(true);
  double editorCpu = 0;
  std::thread gui;
  Display* display = nullptr;
  Window parent = 0;
  if (editor == kWindow) {
    display = XOpenDisplay(nullptr);
    if (!display) return {0, 0};
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0,
                                 static_cast<unsigned>(graphics->Width()),
                                 static_cast<unsigned>(graphics->Height()), 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    if (!graphics->OpenWindow(reinterpret_cast<void*>(static_cast<uintptr_t>(parent)))) return {0, 0};
  }
  const double processStart = ProcessSeconds();
  if (editor != kClosed) {
    graphics->SetAllControlsDirty();  // as the window opens
    gui = std::thread([&] {
      const double start = ThreadSeconds();
      double due = WallSeconds();
      while (running.load(std::memory_order_relaxed)) {
        if (editor == kWindow) {
          graphics->OnHostIdle();
        } else {
          IRect rect;
          if (graphics->IsDirty(&rect)) graphics->Draw(rect);
        }
        due += 1.0 / TICKS_PER_SECOND;
        SleepUntil(due);
      }
      editorCpu = ThreadSeconds() - start;
    });
  }

  const int blocks = static_cast<int>(seconds * kRate / kBlock);
  const double wallStart = WallSeconds();
  double audioCpu = 0;
  for (int b = 0; b < blocks; ++b) {
    SleepUntil(wallStart + static_cast<double>(b) * kBlock / kRate);
    const double start = ThreadSeconds();
    instance.Block(input, b);
    audioCpu += ThreadSeconds() - start;
  }
  const double wall = WallSeconds() - wallStart;
  running.store(false);
  if (gui.joinable()) gui.join();
  if (editor == kWindow) {
    editorCpu = ProcessSeconds() - processStart - audioCpu;
    graphics->CloseWindow();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
  }
  return {audioCpu / blocks, editor != kClosed ? editorCpu / wall : 0.0};
}

void Report(const char* name, const std::function<void(Instance&)>& configure, double seconds) {
  const RunResult closed = Run(configure, seconds, kClosed);
  const auto row = [&](const char* label, const RunResult& open) {
    std::printf("%-34s %9.2f %% %12.1f us %12.1f us %+9.1f %%\n", label, open.mEditorCoreShare * PERCENT,
                closed.mAudioSecondsPerBlock * 1e6, open.mAudioSecondsPerBlock * 1e6,
                (open.mAudioSecondsPerBlock / closed.mAudioSecondsPerBlock - 1.0) * PERCENT);
  };
  row(name, Run(configure, seconds, kWindowless));
  if (!std::getenv("DISPLAY")) return;
  const RunResult window = Run(configure, seconds, kWindow);
  if (window.mAudioSecondsPerBlock > 0) row("  the same in an X11 window", window);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::max(5.0, std::atof(argv[1])) : 20.0;
  const char* only = argc > 2 ? argv[2] : nullptr;
  auto wanted = [only](const char* name) { return !only || std::strcmp(only, name) == 0; };
  std::printf("%.0f s of audio per run, paced in real time; editor ticked %.0f times a second\n\n", seconds,
              TICKS_PER_SECOND);
  std::printf("%-34s %11s %15s %15s %11s\n", "setting", "editor CPU", "audio (closed)", "audio (open)",
              "difference");
  if (wanted("defaults"))
    Report(
        "defaults", [](Instance&) {}, seconds);
  if (wanted("heavy")) Report("heavy (200/200/200, 20 chasers)", ApplyHeavySetting, seconds);
  return 0;
}
