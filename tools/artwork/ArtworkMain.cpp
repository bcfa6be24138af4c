// vrels_artwork: draws the editor's images from the layout table and writes
// them as PNG files, plus a review sheet of the whole editor.
//
//   vrels_artwork <resources folder> <review folder>
//
// Writes resources/<file name of each image> and review-1x.png and
// review-2x.png (and review-widgets-4x.png, the small images enlarged). Fails (status 1, naming the element
// and the control) when a caption, title or decoration would overlap a control rectangle; the review sheets
// are still written then, to show where. Status 2 for a usage, font or file error.
#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Background.h"
#include "Png.h"
#include "Review.h"
#include "Text.h"
#include "Widgets.h"

namespace {

const int FIRST_ID = 100;
const int LAST_ID = 118;

std::string FileName(const ImageDesc& image) {
  std::string name = image.mName;
  return name.substr(name.find('/') + 1);
}

bool Write(cairo_surface_t* surface, const std::string& path, bool rgba) {
  std::string error;
  if (WritePng(surface, path, rgba, &error)) return true;
  std::fprintf(stderr, "vrels_artwork: %s\n", error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vrels_artwork <resources folder> <review folder>\n");
    return 2;
  }
  const std::string resources = argv[1], review = argv[2];
  std::string error;
  if (!LoadFonts(&error)) {
    std::fprintf(stderr, "vrels_artwork: %s\n", error.c_str());
    return 2;
  }

  cairo_surface_t* images[LAST_ID + 1] = {};
  Placement place;
  images[kImgBackground] = DrawBackground(&place);
  for (const ImageDesc& image : kImages) {
    if (image.mId != kImgBackground) images[image.mId] = DrawWidgetImage(image);
  }

  std::vector<std::string> faults = place.Check();
  for (const std::string& fault : faults) std::fprintf(stderr, "vrels_artwork: %s\n", fault.c_str());

  bool written = true;
  if (faults.empty()) {
    for (const ImageDesc& image : kImages) {
      written = written && Write(images[image.mId], resources + "/" + FileName(image), image.mRgba);
    }
  }
  cairo_surface_t* sheet = DrawReview(images);
  cairo_surface_t* big = Enlarge2x(sheet);
  cairo_surface_t* widgets = DrawWidgetSheet(images);
  written = Write(widgets, review + "/review-widgets-4x.png", false) && written;
  cairo_surface_destroy(widgets);
  written = Write(sheet, review + "/review-1x.png", false) && written;
  written = Write(big, review + "/review-2x.png", false) && written;

  cairo_surface_destroy(big);
  cairo_surface_destroy(sheet);
  for (int id = FIRST_ID; id <= LAST_ID; ++id) {
    if (images[id]) cairo_surface_destroy(images[id]);
  }
  ReleaseFonts();
  if (!faults.empty()) {
    std::fprintf(stderr, "vrels_artwork: %zu placement faults; no image written\n", faults.size());
    return 1;
  }
  return written ? 0 : 2;
}
