// The editor's raster work: decoding every image resource, and filling the
// whole window the way a full repaint does (the background copied plainly,
// then each of the 69 knobs blended at one frame from its 500-frame strip).
#include <benchmark/benchmark.h>

#include "ImageResource.h"
#include "LICE_Raster.h"
#include "LICE_SysBitmap.h"
#include "editor/EditorLayout.h"

namespace {

void BM_DecodeAllImages(benchmark::State& state) {
  for (auto _ : state) {
    for (const ImageDesc& image : kImages) {
      LICE_IBitmap* bitmap = LoadBitmapResource(image.mId, image.mName);
      benchmark::DoNotOptimize(bitmap);
      delete bitmap;
    }
  }
}
BENCHMARK(BM_DecodeAllImages)->Unit(benchmark::kMillisecond);

void BM_FullWindowBlit(benchmark::State& state) {
  LICE_SysBitmap window(EDITOR_WIDTH, EDITOR_HEIGHT);
  LICE_IBitmap* background = LoadBitmapResource(kImgBackground, FindImage(kImgBackground)->mName);
  LICE_IBitmap* strips[3] = {LoadBitmapResource(kImgKnob, FindImage(kImgKnob)->mName),
                             LoadBitmapResource(kImgKnobExp, FindImage(kImgKnobExp)->mName),
                             LoadBitmapResource(kImgKnobGain, FindImage(kImgKnobGain)->mName)};
  const int middleFrameTop = (KNOB_FRAMES / 2) * FindImage(kImgKnob)->FrameHeight();
  for (auto _ : state) {
    LICE_Blit(&window, background, 0, 0, 0, 0, EDITOR_WIDTH, EDITOR_HEIGHT, 1.0f, LICE_BLIT_MODE_COPY);
    for (const ControlDesc& control : kControls) {
      if (control.mKind != kCtlKnob) continue;
      LICE_IBitmap* strip = control.mImageId == kImgKnobExp    ? strips[1]
                            : control.mImageId == kImgKnobGain ? strips[2]
                                                               : strips[0];
      LICE_Blit(&window, strip, control.mRect.mL, control.mRect.mT, 0, middleFrameTop, control.mRect.W(),
                control.mRect.H(), 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
    }
    benchmark::DoNotOptimize(window.GetBits());
  }
  delete background;
  for (LICE_IBitmap* strip : strips) delete strip;
}
BENCHMARK(BM_FullWindowBlit)->Unit(benchmark::kMicrosecond);

}  // namespace
