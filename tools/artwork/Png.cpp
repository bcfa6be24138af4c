#include "Png.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool WritePng(cairo_surface_t* surface, const std::string& path, bool rgba, std::string* error) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int channels = rgba ? 4 : 3;

  // Cairo keeps native-endian 32-bit words with premultiplied alpha; PNG
  // wants bytes in R, G, B(, A) order with straight alpha.
  std::vector<unsigned char> rows(static_cast<size_t>(width) * height * channels);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    unsigned char* dst = &rows[static_cast<size_t>(y) * width * channels];
    for (int x = 0; x < width; ++x) {
      uint32_t p = src[x];
      unsigned a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (rgba && a != 0 && a != 255) {
        r = (r * 255 + a / 2) / a;
        g = (g * 255 + a / 2) / a;
        b = (b * 255 + a / 2) / a;
      } else if (rgba && a == 0) {
        r = g = b = 0;
      }
      *dst++ = static_cast<unsigned char>(r);
      *dst++ = static_cast<unsigned char>(g);
      *dst++ = static_cast<unsigned char>(b);
      if (rgba) *dst++ = static_cast<unsigned char>(a);
    }
  }

  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    *error = "cannot write " + path;
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    std::fclose(file);
    *error = "libpng failed writing " + path;
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, rgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rows[static_cast<size_t>(y) * width * channels]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
