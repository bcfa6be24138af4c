// The image resources and their decoding: the embedding (Linux) or the
// resource script and its lookup (Windows), libpng's transformations into
// the pixel format, the failure paths and the process-wide cache.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "BitmapCache.h"
#include "ImageResource.h"
#include "LICE_MemBitmap.h"
#include "LICE_PNG.h"
#include "platform/Resources.h"

namespace {

// A PNG image written by libpng's own writer: rows of samples as the
// colour type and bit depth lay them out.
std::vector<unsigned char> EncodePng(int width, int height, int colourType, int bitDepth,
                                     const std::vector<std::vector<unsigned char>>& rows,
                                     const std::vector<png_color>& palette = {},
                                     const std::vector<unsigned char>& transparency = {}) {
  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(p));
        bytes->insert(bytes->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, width, height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!transparency.empty()) {
    png_set_tRNS(png, info, transparency.data(), static_cast<int>(transparency.size()), nullptr);
  }
  png_write_info(png, info);
  for (const auto& row : rows) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

LICE_pixel DecodedPixel(const std::vector<unsigned char>& bytes, int x) {
  LICE_IBitmap* bitmap = LICE_LoadPNGFromMemory(bytes.data(), bytes.size());
  EXPECT_NE(nullptr, bitmap);
  if (!bitmap) return 0;
  LICE_pixel p = bitmap->GetBits()[x];
  delete bitmap;
  return p;
}

struct ImageSize {
  int id;
  const char* name;
  int width;
  int height;
};

// The image table of the editor's resources.
const ImageSize IMAGES[] = {
    {100, "img/vrels-bg.png", 729, 650},        {101, "img/unused-101.png", 12, 12},
    {102, "img/unused-102.png", 15, 30},        {103, "img/knob-24x24.png", 24, 12000},
    {104, "img/load-button.png", 45, 22},       {105, "img/save-button.png", 45, 22},
    {106, "img/tempo-sync-14x14.png", 14, 28},  {107, "img/grain-button.png", 51, 44},
    {108, "img/delay-button.png", 51, 44},      {109, "img/gather-bitmap.png", 16, 16},
    {110, "img/scatter-bitmap.png", 16, 16},    {111, "img/on-off-led.png", 12, 24},
    {112, "img/meter-9.png", 9, 360},           {113, "img/panic-button.png", 16, 32},
    {114, "img/knob-24x24-exp.png", 24, 12000}, {115, "img/knob-24x24-gain.png", 24, 12000},
    {116, "img/dry-button.png", 51, 44},        {117, "img/unused-117.png", 12, 24},
    {118, "img/unused-118.png", 12, 24},
};

}  // namespace

TEST(ImageResource, ExtensionIsPngInAnyCase) {
  EXPECT_TRUE(HasPngExtension("x.PNG"));
  EXPECT_TRUE(HasPngExtension("img/knob-24x24.png"));
  EXPECT_TRUE(HasPngExtension("a.b.pNg"));
  EXPECT_FALSE(HasPngExtension("x.png.bak"));
  EXPECT_FALSE(HasPngExtension("png"));
  EXPECT_FALSE(HasPngExtension("x.pn"));
  EXPECT_FALSE(HasPngExtension(""));
  EXPECT_EQ(nullptr, LoadBitmapResource(103, "img/knob-24x24.bmp"));
}

// Every id of the resource script is bound into this binary and decodes to
// its image size; the background (RGB) comes out opaque.
TEST(ImageResource, EveryIdLoadsWithItsSize) {
  for (const ImageSize& image : IMAGES) {
    SCOPED_TRACE(image.name);
    LICE_IBitmap* bitmap = LoadBitmapResource(image.id, image.name);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(image.width, bitmap->GetWidth());
    EXPECT_EQ(image.height, bitmap->GetHeight());
    if (image.id == 100) {
      EXPECT_EQ(255, LICE_GETA(bitmap->GetBits()[0]));
      EXPECT_EQ(255, LICE_GETA(bitmap->GetBits()[649 * bitmap->GetRowSpan() + 728]));
    }
    delete bitmap;
  }
  EXPECT_EQ(nullptr, LoadBitmapResource(99, "img/none.png"));
  EXPECT_EQ(nullptr, LoadBitmapResource(119, "img/none.png"));
}

// Each image kind ends as (A << 24) | (R << 16) | (G << 8) | B.
TEST(ImageResource, EveryImageKindDecodesToThePixelFormat) {
  EXPECT_EQ(0x44112233u,
            DecodedPixel(EncodePng(1, 1, PNG_COLOR_TYPE_RGBA, 8, {{0x11, 0x22, 0x33, 0x44}}), 0));
  EXPECT_EQ(0xff112233u, DecodedPixel(EncodePng(1, 1, PNG_COLOR_TYPE_RGB, 8, {{0x11, 0x22, 0x33}}), 0));
  EXPECT_EQ(0xff5a5a5au, DecodedPixel(EncodePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {{0x5a}}), 0));
  EXPECT_EQ(0x805a5a5au, DecodedPixel(EncodePng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{0x5a, 0x80}}), 0));
  // 16-bit samples keep their high byte.
  EXPECT_EQ(0xff1133ffu,
            DecodedPixel(EncodePng(1, 1, PNG_COLOR_TYPE_RGB, 16, {{0x11, 0x99, 0x33, 0x01, 0xff, 0x00}}), 0));
  // 2-bit greyscale 0b10 is 170 of 255; the second pixel 0b11 is white.
  EXPECT_EQ(0xffaaaaaau, DecodedPixel(EncodePng(2, 1, PNG_COLOR_TYPE_GRAY, 2, {{0xb0}}), 0));
  EXPECT_EQ(0xffffffffu, DecodedPixel(EncodePng(2, 1, PNG_COLOR_TYPE_GRAY, 2, {{0xb0}}), 1));
  // A palette with transparency: entry 1 is half transparent, entry 0 opaque.
  std::vector<png_color> palette = {{0x10, 0x20, 0x30}, {0xa0, 0xb0, 0xc0}};
  auto indexed = EncodePng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{1, 0}}, palette, {0xff, 0x80});
  EXPECT_EQ(0x80a0b0c0u, DecodedPixel(indexed, 0));
  EXPECT_EQ(0xff102030u, DecodedPixel(indexed, 1));
}

// Not a PNG, or cut short: no bitmap, and a bitmap made for the image is
// deleted again (the address sanitizer build reports a leak otherwise); a
// target the caller gave is kept, and used when the image decodes.
TEST(ImageResource, BadBytesGiveNoBitmap) {
  const unsigned char wrongSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, 0x0b};
  EXPECT_EQ(nullptr, LICE_LoadPNGFromMemory(wrongSignature, sizeof(wrongSignature)));

  const void* bytes = nullptr;
  std::size_t size = 0;
  ASSERT_TRUE(vrels::FindPngResource(103, &bytes, &size));
  std::vector<unsigned char> truncated(static_cast<const unsigned char*>(bytes),
                                       static_cast<const unsigned char*>(bytes) + size / 2);
  EXPECT_EQ(nullptr, LICE_LoadPNGFromMemory(truncated.data(), truncated.size()));
  // Only the signature and the first chunk's length: libpng reads zeros after.
  EXPECT_EQ(nullptr, LICE_LoadPNGFromMemory(truncated.data(), 12));

  LICE_MemBitmap target(3, 3);
  EXPECT_EQ(nullptr, LICE_LoadPNGFromMemory(truncated.data(), truncated.size(), &target));
  EXPECT_EQ(&target, LICE_LoadPNGFromMemory(bytes, size, &target));
  EXPECT_EQ(24, target.GetWidth());
  EXPECT_EQ(12000, target.GetHeight());
}

// A header is outside input: one that claims a picture larger than any
// editor needs (20000 x 20000, 1.6 GB of pixels) is refused before anything
// is sized for it, although its chunks are well formed: a given bitmap keeps
// its size.
TEST(ImageResource, AHeaderClaimingAHugeImageIsRefusedBeforeSizing) {
  std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  const auto chunk = [&png](std::vector<unsigned char> typeAndData) {
    const std::size_t length = typeAndData.size() - 4;
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<unsigned char>(length >> shift));
    png.insert(png.end(), typeAndData.begin(), typeAndData.end());
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), typeAndData.data(), static_cast<uInt>(typeAndData.size()));
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<unsigned char>(crc >> shift));
  };
  chunk({'I', 'H', 'D', 'R', 0, 0, 0x4e, 0x20, 0, 0, 0x4e, 0x20, 8, 6, 0, 0, 0});
  chunk({'I', 'D', 'A', 'T'});
  chunk({'I', 'E', 'N', 'D'});
  LICE_MemBitmap target(3, 3);
  EXPECT_EQ(nullptr, LICE_LoadPNGFromMemory(png.data(), png.size(), &target));
  EXPECT_EQ(3, target.GetWidth());
  EXPECT_EQ(3, target.GetHeight());
}

// Two editors loading id 103 share one bitmap; retained bitmaps are owned
// by the cache until released.
TEST(BitmapCache, SharesImagesAndOwnsRetainedBitmaps) {
  LICE_IBitmap* first = LoadCachedBitmap(103, "img/knob-24x24.png");
  ASSERT_NE(nullptr, first);
  int count = BitmapCache::Instance().Count();
  EXPECT_EQ(first, LoadCachedBitmap(103, "img/knob-24x24.png"));
  EXPECT_EQ(count, BitmapCache::Instance().Count());
  EXPECT_EQ(nullptr, LoadCachedBitmap(99, "img/none.png"));

  LICE_IBitmap* copy = new LICE_MemBitmap(4, 4);
  ASSERT_TRUE(RetainBitmap(copy));
  EXPECT_EQ(count + 1, BitmapCache::Instance().Count());
  EXPECT_TRUE(ReleaseBitmap(copy));
  EXPECT_FALSE(ReleaseBitmap(copy));
  EXPECT_EQ(count, BitmapCache::Instance().Count());
  EXPECT_EQ(first, BitmapCache::Instance().Find(103));
}
