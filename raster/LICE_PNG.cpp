#include "LICE_PNG.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

#include "LICE_MemBitmap.h"

namespace {

const std::size_t SIGNATURE_BYTES = 8;
// The largest image accepted in each direction (the editor's largest is
// 729 wide and 12000 high); larger claims in a header are refused before
// any pixel storage is made.
const png_uint_32 MAX_SIDE = 16384;

// Serves the bytes in order; a read past the end gets zeros (libpng then
// fails on the chunk lengths or checksums it finds there).
struct MemoryReader {
  const unsigned char* bytes;
  std::size_t length;
  std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  MemoryReader* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  std::size_t available = reader->length - reader->position;
  std::size_t n = count < available ? count : available;
  if (n) std::memcpy(out, reader->bytes + reader->position, n);
  reader->position += n;
  if (n < count) std::memset(out + n, 0, count - n);
}

// libpng's errors end the decoding without a message (the program writes
// no log); warnings are ignored.
void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// What the error path needs after a long jump. Only plain data: no C++
// object with a destructor lives across setjmp.
struct DecodeState {
  LICE_IBitmap* volatile created;
  png_bytep* volatile rows;
};

// Requests the transformations that turn every kind of image into 8-bit
// A, R, G, B bytes per pixel.
void RequestTransformations(png_structp png, png_infop info) {
  int colourType = png_get_color_type(png, info);
  int bitDepth = png_get_bit_depth(png, info);
  bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (transparency) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (!(colourType & PNG_COLOR_MASK_ALPHA) && !transparency) png_set_filler(png, 0xff, PNG_FILLER_BEFORE);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  // R, G, B, A becomes A, R, G, B (a filler is already placed first).
  if ((colourType & PNG_COLOR_MASK_ALPHA) || transparency) png_set_swap_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Rewrites the A, R, G, B bytes of each pixel as the packed 32-bit value.
void PackPixels(LICE_IBitmap* bitmap) {
  LICE_pixel* bits = bitmap->GetBits();
  int width = bitmap->GetWidth(), height = bitmap->GetHeight(), span = bitmap->GetRowSpan();
  for (int y = 0; y < height; ++y) {
    LICE_pixel* row = bits + static_cast<std::size_t>(y) * span;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(row);
    for (int x = 0; x < width; ++x, bytes += 4) {
      row[x] = (static_cast<LICE_pixel>(bytes[0]) << 24) | (static_cast<LICE_pixel>(bytes[1]) << 16) |
               (static_cast<LICE_pixel>(bytes[2]) << 8) | static_cast<LICE_pixel>(bytes[3]);
    }
  }
}

// The decoding itself; errors leave through a long jump to the caller's
// setjmp. Returns the bitmap holding the image, or null.
LICE_IBitmap* Decode(png_structp png, png_infop info, LICE_IBitmap* target, DecodeState* state) {
  png_read_info(png, info);
  RequestTransformations(png, info);
  png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  if (png_get_channels(png, info) != 4 ||
      png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 4) {
    return nullptr;
  }

  LICE_IBitmap* bitmap = nullptr;
  if (target) {
    target->Resize(static_cast<int>(width), static_cast<int>(height));
    if (target->GetBits() && target->GetWidth() == static_cast<int>(width) &&
        target->GetHeight() == static_cast<int>(height)) {
      bitmap = target;
    }
  }
  if (!bitmap) {
    LICE_MemBitmap* made =
        new (std::nothrow) LICE_MemBitmap(static_cast<int>(width), static_cast<int>(height), 4);
    state->created = made;
    if (!made || !made->GetBits() || made->GetWidth() != static_cast<int>(width) ||
        made->GetHeight() != static_cast<int>(height)) {
      return nullptr;
    }
    bitmap = made;
  }

  // Rows are decoded straight into the bitmap.
  png_bytep* rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  state->rows = rows;
  if (!rows) return nullptr;
  LICE_pixel* bits = bitmap->GetBits();
  int span = bitmap->GetRowSpan();
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = reinterpret_cast<png_bytep>(bits + static_cast<std::size_t>(y) * span);
  }
  png_read_image(png, rows);
  PackPixels(bitmap);
  return bitmap;
}

}  // namespace

LICE_IBitmap* LICE_LoadPNGFromMemory(const void* bytes, std::size_t length, LICE_IBitmap* target) {
  if (!bytes || length < SIGNATURE_BYTES) return nullptr;
  if (png_sig_cmp(static_cast<png_const_bytep>(bytes), 0, SIGNATURE_BYTES) != 0) return nullptr;

  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  MemoryReader reader = {static_cast<const unsigned char*>(bytes), length, 0};
  DecodeState state = {nullptr, nullptr};
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_user_limits(png, MAX_SIDE, MAX_SIDE);

  LICE_IBitmap* volatile result = nullptr;
  if (setjmp(png_jmpbuf(png)) == 0) {
    result = Decode(png, info, target, &state);
  }
  // After an error (or a refusal) a bitmap made here is deleted again; a
  // target given by the caller stays the caller's.
  if (!result) delete state.created;
  std::free(state.rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}
