#include "WindowImage.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

namespace guitest {

namespace {
const int kBitsPerPixel = 32;
const uint32_t kOpaque = 0xFF000000u;
const int kMaxChannelDifference = 256;

int Channel(uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

// Opens a file for libpng; closed when the holder goes.
struct File {
  explicit File(const std::string& path, const char* mode) : handle(std::fopen(path.c_str(), mode)) {}
  ~File() {
    if (handle) std::fclose(handle);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  FILE* handle;
};
}  // namespace

Image CaptureWindow(HWND window) {
  Image image;
  RECT client;
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return image;
  const int width = client.right;
  const int height = client.bottom;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;

  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memoryDc && bitmap && bits) {
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    if (BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY)) {
      GdiFlush();
      const uint32_t* source = static_cast<const uint32_t*>(bits);
      image.width = width;
      image.height = height;
      image.pixels.resize(static_cast<size_t>(width) * height);
      for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = source[i] | kOpaque;
    }
    SelectObject(memoryDc, previous);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memoryDc) DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  return image;
}

Image Crop(const Image& image, int x, int y, int width, int height) {
  Image part;
  part.width = width;
  part.height = height;
  part.pixels.reserve(static_cast<size_t>(width) * height);
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) part.pixels.push_back(image.At(column, row));
  }
  return part;
}

bool WritePng(const Image& image, const std::string& path) {
  if (image.Empty()) return false;
  File file(path, "wb");
  if (!file.handle) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(static_cast<size_t>(image.width) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.handle);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t pixel = image.At(x, y);
      row[x * 3 + 0] = static_cast<png_byte>(Channel(pixel, 16));
      row[x * 3 + 1] = static_cast<png_byte>(Channel(pixel, 8));
      row[x * 3 + 2] = static_cast<png_byte>(Channel(pixel, 0));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

Image ReadPng(const std::string& path) {
  Image image;
  png_image reader = {};
  reader.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&reader, path.c_str())) return image;
  reader.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(reader));
  if (!png_image_finish_read(&reader, nullptr, bytes.data(), 0, nullptr)) {
    png_image_free(&reader);
    return image;
  }
  image.width = static_cast<int>(reader.width);
  image.height = static_cast<int>(reader.height);
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const png_byte* p = &bytes[i * 4];
    image.pixels[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
  }
  return image;
}

int LargestDifference(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height) return kMaxChannelDifference;
  int largest = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift = 0; shift <= 16; shift += 8) {
      const int d = std::abs(Channel(a.pixels[i], shift) - Channel(b.pixels[i], shift));
      if (d > largest) largest = d;
    }
  }
  return largest;
}

}  // namespace guitest
