// The fonts built into the plug-in library for drawing text where the
// platform has no font service of its own: Liberation Sans Regular and Bold
// (metrically compatible with Arial, under the SIL Open Font License; see
// resources/LiberationSans-LICENSE.txt). The build copies the files' bytes
// into a table (resources/EmbedFonts.cmake), so the same editor renders the
// same text on every machine, whatever fonts it has installed.
#pragma once

#include <cstddef>

namespace vrels {

struct EmbeddedFont {
  const char* mFamily;  // "Liberation Sans"
  bool mBold;
  const unsigned char* mpBytes;  // a TrueType file
  std::size_t mSize;
};

// The embedded font that serves a font name and weight. "Arial" and
// "Liberation Sans" name the one family there is; like a platform font
// service, any other name is served by it too. Null only when the table
// holds no font at all. Any thread; the bytes live as long as the library.
const EmbeddedFont* FindEmbeddedFont(const char* name, bool bold);

}  // namespace vrels
