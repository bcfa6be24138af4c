// Image resources by id: the lookup in the plug-in module and the decoding.
#pragma once

#include "LICE_IBitmap.h"

// Whether a name ends in the extension "png", in any case: the text after
// the last '.' (or, without a '.', after the first character) is compared.
bool HasPngExtension(const char* name);

// Decodes the PNG resource with this id. The name counts only for its
// extension (HasPngExtension). Null for another extension, a missing
// resource, one of 7 bytes or fewer, or bytes that do not decode. The
// caller owns the bitmap. Any thread.
LICE_IBitmap* LoadBitmapResource(int id, const char* name);
