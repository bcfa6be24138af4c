// Compares an editor picture with its reference image, pixel by pixel:
//
//   editor_picture_compare REFERENCE.png PICTURE.png [DIFFERENCES.png]
//
// A pixel differs when one of its red, green or blue values is more than
// CHANNEL_LIMIT away from the reference's; the picture passes with at most
// PIXEL_LIMIT such pixels. That lets through rounding noise of a few
// pixels, never a moved control, a changed text (a letter is dozens of
// pixels), a knob at another frame or a flock in another place. When the
// picture fails, DIFFERENCES.png (if named) shows the differing pixels in
// red over a dimmed picture, for review. Exit status 0 when it passes, 1
// when it differs, 2 when a file cannot be read.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "LICE_MemBitmap.h"
#include "LICE_PNG.h"
#include "LICE_PNGWrite.h"

namespace {

const int CHANNEL_LIMIT = 3;
const int PIXEL_LIMIT = 8;

std::unique_ptr<LICE_IBitmap> ReadPng(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return nullptr;
  return std::unique_ptr<LICE_IBitmap>(LICE_LoadPNGFromMemory(bytes.data(), bytes.size()));
}

int ChannelDifference(LICE_pixel a, LICE_pixel b) {
  const int d[] = {std::abs(static_cast<int>(LICE_GETR(a)) - static_cast<int>(LICE_GETR(b))),
                   std::abs(static_cast<int>(LICE_GETG(a)) - static_cast<int>(LICE_GETG(b))),
                   std::abs(static_cast<int>(LICE_GETB(a)) - static_cast<int>(LICE_GETB(b)))};
  return d[0] > d[1] ? (d[0] > d[2] ? d[0] : d[2]) : (d[1] > d[2] ? d[1] : d[2]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: editor_picture_compare REFERENCE.png PICTURE.png [DIFFERENCES.png]\n");
    return 2;
  }
  std::unique_ptr<LICE_IBitmap> reference = ReadPng(argv[1]), picture = ReadPng(argv[2]);
  if (!reference || !picture) {
    std::printf("%s: cannot read %s\n", argv[2], reference ? argv[2] : argv[1]);
    return 2;
  }
  const int w = picture->GetWidth(), h = picture->GetHeight();
  if (reference->GetWidth() != w || reference->GetHeight() != h) {
    std::printf("%s: %d x %d, the reference is %d x %d\n", argv[2], w, h, reference->GetWidth(),
                reference->GetHeight());
    return 1;
  }
  LICE_MemBitmap differences(w, h);
  int differing = 0, largest = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const LICE_pixel p = picture->GetBits()[y * picture->GetRowSpan() + x];
      const int d = ChannelDifference(p, reference->GetBits()[y * reference->GetRowSpan() + x]);
      largest = d > largest ? d : largest;
      const bool differs = d > CHANNEL_LIMIT;
      if (differs && differing++ == 0) {
        firstX = x;
        firstY = y;
      }
      differences.GetBits()[y * differences.GetRowSpan() + x] =
          differs ? LICE_RGBA(255, 0, 0, 255)
                  : LICE_RGBA(LICE_GETR(p) / 3, LICE_GETG(p) / 3, LICE_GETB(p) / 3, 255);
    }
  }
  const bool passes = differing <= PIXEL_LIMIT;
  std::printf("%s: %d pixels differ by more than %d (at most %d may), the largest difference is %d", argv[2],
              differing, CHANNEL_LIMIT, PIXEL_LIMIT, largest);
  if (differing > 0) std::printf(", the first at (%d, %d)", firstX, firstY);
  std::printf("\n");
  if (!passes && argc == 4 && LICE_WritePNG(argv[3], &differences))
    std::printf("  the differing pixels are shown in %s\n", argv[3]);
  return passes ? 0 : 1;
}
