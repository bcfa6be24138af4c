#include "../Resources.h"

namespace vrels {

// Generated from resources/Vrels.rc and the files it names (linked in
// through the vrels_resources library).
extern const EmbeddedResource EMBEDDED_PNG_RESOURCES[];
extern const std::size_t EMBEDDED_PNG_RESOURCE_COUNT;

bool FindPngResource(int id, const void** bytes, std::size_t* size) {
  if (!bytes || !size) return false;
  for (std::size_t i = 0; i < EMBEDDED_PNG_RESOURCE_COUNT; ++i) {
    if (EMBEDDED_PNG_RESOURCES[i].mId == id) {
      *bytes = EMBEDDED_PNG_RESOURCES[i].mpBytes;
      *size = EMBEDDED_PNG_RESOURCES[i].mSize;
      return true;
    }
  }
  return false;
}

}  // namespace vrels
