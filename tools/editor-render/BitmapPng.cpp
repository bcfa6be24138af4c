#include "BitmapPng.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

const int RGB_BYTES = 3;
const int COMPRESSION_LEVEL = 9;

struct PngWriter {
  png_structp mPng = nullptr;
  png_infop mInfo = nullptr;
  std::FILE* mFile = nullptr;
  ~PngWriter() {
    if (mPng) png_destroy_write_struct(&mPng, mInfo ? &mInfo : nullptr);
    if (mFile) std::fclose(mFile);
  }
};

}  // namespace

bool WriteBitmapPng(LICE_IBitmap* bitmap, const BitmapArea& area, int scale, const std::string& path,
                    std::string* error) {
  if (!bitmap || !bitmap->GetBits() || area.mL < 0 || area.mT < 0 || area.mR > bitmap->GetWidth() ||
      area.mB > bitmap->GetHeight() || area.mR <= area.mL || area.mB <= area.mT || scale < 1) {
    if (error) *error = "no such area of the bitmap";
    return false;
  }
  const int width = (area.mR - area.mL) * scale, height = (area.mB - area.mT) * scale;
  std::vector<png_byte> row(static_cast<std::size_t>(width) * RGB_BYTES);

  PngWriter writer;
  writer.mFile = std::fopen(path.c_str(), "wb");
  if (!writer.mFile) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  writer.mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (writer.mPng) writer.mInfo = png_create_info_struct(writer.mPng);
  if (!writer.mInfo) {
    if (error) *error = "out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(writer.mPng))) {
    if (error) *error = "libpng failed writing " + path;
    return false;
  }
  png_init_io(writer.mPng, writer.mFile);
  png_set_compression_level(writer.mPng, COMPRESSION_LEVEL);
  png_set_IHDR(writer.mPng, writer.mInfo, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(writer.mPng, writer.mInfo);
  const LICE_pixel* bits = bitmap->GetBits();
  for (int y = 0; y < height; ++y) {
    const LICE_pixel* source = bits + static_cast<std::ptrdiff_t>(area.mT + y / scale) * bitmap->GetRowSpan();
    for (int x = 0; x < width; ++x) {
      LICE_pixel p = source[area.mL + x / scale];
      png_byte* out = &row[static_cast<std::size_t>(x) * RGB_BYTES];
      out[0] = static_cast<png_byte>(LICE_GETR(p));
      out[1] = static_cast<png_byte>(LICE_GETG(p));
      out[2] = static_cast<png_byte>(LICE_GETB(p));
    }
    png_write_row(writer.mPng, row.data());
  }
  png_write_end(writer.mPng, writer.mInfo);
  return true;
}
