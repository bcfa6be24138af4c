// Writes a cairo image surface as a PNG file: 8-bit RGB (the background) or
// 8-bit RGBA with straight alpha (every other image). The file holds only
// the header, the pixels and the end chunk, compressed at a fixed level, so
// the same pixels always give the same bytes.
#pragma once

#include <cairo.h>

#include <string>

bool WritePng(cairo_surface_t* surface, const std::string& path, bool rgba, std::string* error);
