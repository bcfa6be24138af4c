// A value the host sets reaches the screen at the editor's next tick, and
// what the screen then shows is the committed artwork: the knob strip's
// frame for that value over the background.
#include <cmath>
#include <string>

#include "EditorFixture.h"
#include "WindowInput.h"

namespace guitest {
namespace {

// The artwork's blend arithmetic may round each channel either way.
const int kBlendTolerance = 2;

// The image of `id` as the file the resources folder holds.
Image Artwork(int id) {
  const std::string name = FindImage(id)->mName;
  return ReadPng(ArtworkPath(name.substr(name.find('/') + 1)));
}

// Frame `frame` (1-based) of a vertical strip of `frames` frames, laid over
// `under` with the frame's own alpha (the default blend).
Image Composite(const Image& under, const Image& strip, int frames, int frame) {
  Image out = under;
  const int frameHeight = strip.height / frames;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const uint32_t top = strip.At(x, (frame - 1) * frameHeight + y);
      const uint32_t bottom = under.At(x, y);
      const double alpha = (top >> 24) / 255.0;
      uint32_t pixel = 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const double mixed = ((top >> shift) & 0xFF) * alpha + ((bottom >> shift) & 0xFF) * (1.0 - alpha);
        pixel |= static_cast<uint32_t>(std::lround(mixed)) << shift;
      }
      out.pixels[static_cast<size_t>(y) * out.width + x] = pixel;
    }
  }
  return out;
}

using Repaint = EditorFixture;

TEST_F(Repaint, HostValueShowsAtTheNextTickAsTheArtworkFrame) {
  const ControlDesc& knob = ControlFor(kGLen, kCtlKnob);
  const LayoutRect& r = knob.mRect;
  const float value = 0.75f;
  // A knob of N frames shows frame int((N - 1) x value + 0.5) + 1.
  const int frame = static_cast<int>((knob.mFrames - 1) * value + 0.5) + 1;

  const Image before = Crop(Screenshot("editor-open.png"), r.mL, r.mT, r.W(), r.H());
  PluginHost().SetParameter(kGLen, value);
  EXPECT_EQ(0, LargestDifference(before, Crop(Screenshot(), r.mL, r.mT, r.W(), r.H())))
      << "repainted before the tick";
  ASSERT_EQ(1, Tick());
  const Image after = Crop(Screenshot("knob-set-by-host.png"), r.mL, r.mT, r.W(), r.H());

  const Image background = Artwork(kImgBackground);
  const Image strip = Artwork(knob.mImageId);
  ASSERT_FALSE(background.Empty());
  ASSERT_FALSE(strip.Empty());
  const Image expected = Composite(Crop(background, r.mL, r.mT, r.W(), r.H()), strip, knob.mFrames, frame);
  EXPECT_LE(LargestDifference(expected, after), kBlendTolerance);
  EXPECT_GT(LargestDifference(before, after), kBlendTolerance);
}

}  // namespace
}  // namespace guitest
