// The image resources bound into the plug-in library: the editor's PNG
// files under numeric ids (resource type "PNG"). On Windows they are
// resources of the module, compiled from resources/Vrels.rc; elsewhere the
// build embeds the same files in a table (resources/EmbedResources.cmake).
#pragma once

#include <cstddef>

namespace vrels {

// The bytes of the PNG resource with this id, which stay valid as long as
// the library is loaded. False when there is no such resource. Any thread.
bool FindPngResource(int id, const void** bytes, std::size_t* size);

// The table the build generates for platforms without native resources.
struct EmbeddedResource {
  int mId;
  const unsigned char* mpBytes;
  std::size_t mSize;
};

}  // namespace vrels
