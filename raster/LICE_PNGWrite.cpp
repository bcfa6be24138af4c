#include "LICE_PNGWrite.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>

#include "platform/Files.h"

namespace {

const int RGB_BYTES = 3;
const int BITS_PER_CHANNEL = 8;
const int COMPRESSION_LEVEL = 9;
// The largest side written; a larger area times scale is refused.
const long long MAX_SIDE = 1 << 16;
const char* const TEMPORARY_SUFFIX = ".tmp";

// libpng's errors end the writing without a message (the plug-in writes no
// log); warnings are ignored.
void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// A short write (a full disk, a removed medium) is an error like libpng's
// own. Nothing with a destructor lives here: png_error jumps out.
void WriteToFile(png_structp png, png_bytep data, png_size_t length) {
  std::FILE* file = static_cast<std::FILE*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, file) != length) png_error(png, "short write");
}

void FlushFile(png_structp png) {
  std::fflush(static_cast<std::FILE*>(png_get_io_ptr(png)));
}

// Runs libpng over the area into the file; false when it reported an error.
// The jump target lives in this frame, which holds nothing that needs a
// destructor and reads nothing after a jump.
bool EncodeArea(png_structp png, png_infop info, std::FILE* file, LICE_IBitmap* bitmap,
                const LICE_PNGArea& area, int scale, png_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int width = (area.mR - area.mL) * scale, height = (area.mB - area.mT) * scale;
  png_set_write_fn(png, file, WriteToFile, FlushFile);
  png_set_compression_level(png, COMPRESSION_LEVEL);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), BITS_PER_CHANNEL,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const LICE_pixel* bits = bitmap->GetBits();
  for (int y = 0; y < height; ++y) {
    const LICE_pixel* source = bits + static_cast<std::ptrdiff_t>(area.mT + y / scale) * bitmap->GetRowSpan();
    for (int x = 0; x < width; ++x) {
      const LICE_pixel p = source[area.mL + x / scale];
      png_bytep out = row + static_cast<std::ptrdiff_t>(x) * RGB_BYTES;
      out[0] = static_cast<png_byte>(LICE_GETR(p));
      out[1] = static_cast<png_byte>(LICE_GETG(p));
      out[2] = static_cast<png_byte>(LICE_GETB(p));
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

bool Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

}  // namespace

bool LICE_WritePNG(const char* path, LICE_IBitmap* bitmap, const LICE_PNGArea& area, int scale,
                   std::string* error) {
  if (!path || !*path) return Fail(error, "no file name");
  if (!bitmap || !bitmap->GetBits() || area.mL < 0 || area.mT < 0 || area.mR > bitmap->GetWidth() ||
      area.mB > bitmap->GetHeight() || area.mR <= area.mL || area.mB <= area.mT) {
    return Fail(error, "no such area of the bitmap");
  }
  if (scale < 1 || static_cast<long long>(area.mR - area.mL) * scale > MAX_SIDE ||
      static_cast<long long>(area.mB - area.mT) * scale > MAX_SIDE) {
    return Fail(error, "the scale must be at least 1 and keep each side within 65536 pixels");
  }
  std::unique_ptr<png_byte[]> row(
      new (std::nothrow) png_byte[static_cast<std::size_t>(area.mR - area.mL) * scale * RGB_BYTES]);
  if (!row) return Fail(error, "out of memory");

  const std::string temporary = std::string(path) + TEMPORARY_SUFFIX;
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return Fail(error, std::string("cannot create ") + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = info && EncodeArea(png, info, file, bitmap, area, scale, row.get());
  if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
  written = std::fflush(file) == 0 && !std::ferror(file) && written;
  written = std::fclose(file) == 0 && written;
  // Only a complete file takes the name.
  if (!written || !vrels::MoveReplacing(temporary.c_str(), path)) {
    std::remove(temporary.c_str());
    return Fail(error, std::string("cannot write ") + path);
  }
  return true;
}

bool LICE_WritePNG(const char* path, LICE_IBitmap* bitmap, std::string* error) {
  if (!bitmap) return Fail(error, "no bitmap");
  return LICE_WritePNG(path, bitmap, LICE_PNGArea{0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, 1, error);
}
