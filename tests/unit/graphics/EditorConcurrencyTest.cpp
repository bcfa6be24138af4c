// The editor's tick reads control values, flags and texts without the
// instance mutex while a host thread sets parameters and loads chunks and
// the audio thread processes and writes a meter and a count display (as the
// plug-in does after each block), and the host asks for pictures of the
// editor while the GUI drags a knob and the swarm view's bounds. The
// thread-sanitizer build checks that none of it races; every build checks that the last values are shown.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "IBitmapControl.h"
#include "IKnobMultiControl.h"
#include "ITextControl.h"
#include "IValueTextControl.h"
#include "TestGraphics.h"
#include "TextFormat.h"
#include "VendorRequests.h"
#include "VrelsPlugin.h"
#include "editor/EditorLayout.h"

namespace {

const int BLOCK = 256;
const int BLOCKS = 300;
const int KNOB_SIZE = 24, KNOB_FRAMES = 500;
// Parameters the test's controls show: the knob and readout's, and the one
// the host keeps writing.
const int KNOB_PARAM = 0;
const int READOUT_PARAM = 3;
// Drags after which the host takes a picture before the GUI paints again.
const int PICTURES = 3;

TEST(Concurrency, EditorTicksWhileTheHostAndTheAudioThreadWrite) {
  VrelsPlugin* plug = new VrelsPlugin(nullptr);
  AEffect* effect = plug->GetAEffect();
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, BLOCK, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

  // The plug-in's own editor when it builds one, else a window-less one.
  IGraphics* graphics = plug->GetGUI();
  if (!graphics) {
    graphics = new TestGraphics(plug);
    plug->AttachEditor(graphics);
  }
  const IBitmapInfo strip(nullptr, KNOB_SIZE, KNOB_SIZE * KNOB_FRAMES, KNOB_FRAMES);
  IKnobMultiControl* knob = new IKnobMultiControl(plug, 10, 10, KNOB_PARAM, strip);
  IValueTextControl* readout =
      new IValueTextControl(plug, IRect(40, 10, 100, 26), READOUT_PARAM, ITextStyle());
  IBitmapControl* meter = new IBitmapControl(plug, 110, 10, IBitmapInfo(nullptr, 9, 360, 9));
  ITextControl* count = new ITextControl(plug, IRect(130, 10, 170, 26), ITextStyle(), "0");
  for (IControl* control : std::vector<IControl*>{knob, readout, meter, count})
    graphics->AttachControl(control);

  void* data = nullptr;
  const intptr_t size = effect->dispatcher(effect, effGetChunk, 1, 0, &data, 0.0f);
  std::vector<char> chunk(static_cast<char*>(data), static_cast<char*>(data) + size);

  std::atomic<bool> done{false};
  // Pictures the host took; the audio thread runs on until there are enough
  // (a picture takes a tenth of a second, longer under the sanitizers).
  std::atomic<int> pictures{0}, drags{0};
  int blocksRun = 0;
  std::thread audio([&] {
    std::vector<double> inL(BLOCK, 0.25), inR(BLOCK, -0.25), outL(BLOCK), outR(BLOCK);
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    char text[16];
    int block = 0;
    for (; block < BLOCKS || pictures.load(std::memory_order_relaxed) < PICTURES; ++block) {
      effect->processDoubleReplacing(effect, in, out, BLOCK);
      {
        vrels::ScopedLock lock(plug->Mutex());
        meter->SetValue(std::fabs(outL[0]));
        meter->SetDirty(false);
        FormatText(text, sizeof(text), "%d", block + 1);
        count->SetTextFromPlug(text);
      }
      // A host's pause between buffers: back to back, the audio thread took
      // the instance mutex again at once and the GUI ticked a few times only.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    blocksRun = block;
    done = true;
  });
  // The host also asks for pictures of the editor, which paint the buffer
  // and the controls the GUI paints and drags: one at once (the audio
  // thread may finish its blocks quickly), then one after each of the
  // GUI's first drags, before its next paint. The counts are relaxed: they
  // order nothing between the threads, so only the graphics object's own
  // locking keeps the picture and the drag apart.
  std::string picture = testing::TempDir() + "editor-concurrency.png";
  auto takePicture = [&] {
    if (effect->dispatcher(effect, effVendorSpecific, vrelsvendor::kIndex, vrelsvendor::kWriteEditorPicture,
                           &picture[0], 0.0f) == 1) {
      pictures.fetch_add(1, std::memory_order_relaxed);
    }
  };
  std::thread host([&] {
    takePicture();
    for (int i = 0; !done; ++i) {
      effect->setParameter(effect, i % 2 ? KNOB_PARAM : READOUT_PARAM, static_cast<float>(i % 100) / 100.0f);
      if (i % 50 == 0) effect->dispatcher(effect, effSetChunk, 1, size, chunk.data(), 0.0f);
      const int taken = pictures.load(std::memory_order_relaxed);
      if (taken <= PICTURES && drags.load(std::memory_order_relaxed) >= taken) takePicture();
    }
  });
  // This thread is the GUI: ticks, and now and then a drag on a knob and on
  // the swarm view's bounds box (state the view's paint reads and writes).
  const IMouseMods left(true, false);
  int ticks = 0;
  auto tick = [&] {
    IRect rect;
    if (graphics->IsDirty(&rect)) graphics->Draw(rect);
    ++ticks;
  };
  const IRect view = graphics->GetControl(kCtlIdxSwarmCanvas)->GetRect();
  const int viewX = (view.mL + view.mR) / 2, viewY = (view.mT + view.mB) / 2;
  while (!done) {
    tick();
    if (ticks % 20 == 0) {
      graphics->OnMouseDown(20, 20, left);
      graphics->OnMouseDrag(20, 20 - ticks % 7, left);
      graphics->OnMouseUp(20, 20, IMouseMods());
      graphics->OnMouseDown(viewX, viewY, left);
      graphics->OnMouseDrag(viewX + ticks % 5, viewY, left);
      graphics->OnMouseUp(viewX, viewY, IMouseMods());
      const int drag = drags.fetch_add(1, std::memory_order_relaxed) + 1;
      while (drag < PICTURES && !done && pictures.load(std::memory_order_relaxed) <= drag)
        std::this_thread::yield();
    }
  }
  host.join();
  audio.join();
  // A last chunk load shows every parameter's own value.
  effect->dispatcher(effect, effSetChunk, 1, size, chunk.data(), 0.0f);
  tick();
  tick();

  char shown[SharedText::CAPACITY];
  count->GetText(shown, sizeof(shown));
  EXPECT_EQ(std::string(shown), std::to_string(blocksRun));
  EXPECT_DOUBLE_EQ(knob->GetValue(), plug->GetParam(KNOB_PARAM)->CurrentNormalized());
  EXPECT_FALSE(knob->IsDirty());
  EXPECT_GE(pictures.load(), PICTURES);
  std::remove(picture.c_str());
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);  // deletes the plug-in and its editor
}

}  // namespace
