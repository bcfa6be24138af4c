#include "ImageResource.h"

#include <cctype>
#include <cstring>

#include "LICE_PNG.h"
#include "platform/Resources.h"

namespace {
// A resource this short cannot even hold the PNG signature.
const std::size_t MIN_RESOURCE_BYTES = 8;
}  // namespace

bool HasPngExtension(const char* name) {
  if (!name || !*name) return false;
  const char* p = name + std::strlen(name) - 1;
  while (p > name && *p != '.') --p;
  const char* extension = p + 1;
  const char* png = "png";
  for (; *extension && *png; ++extension, ++png) {
    if (std::tolower(static_cast<unsigned char>(*extension)) != *png) return false;
  }
  return *extension == '\0' && *png == '\0';
}

LICE_IBitmap* LoadBitmapResource(int id, const char* name) {
  if (!HasPngExtension(name)) return nullptr;
  const void* bytes = nullptr;
  std::size_t size = 0;
  if (!vrels::FindPngResource(id, &bytes, &size) || size < MIN_RESOURCE_BYTES) return nullptr;
  return LICE_LoadPNGFromMemory(bytes, size);
}
