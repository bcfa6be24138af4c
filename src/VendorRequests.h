// Requests a host may send Vrels through the interface's vendor-specific
// opcode (effVendorSpecific). Hosts of our own (the command-line host) use
// them; other hosts never send this index, so ordinary hosts see nothing.
#pragma once

#include <cstdint>

namespace vrelsvendor {

// The plug-in's unique ID, 'qlVr', which a host reads from the effect record.
const int32_t kPluginUniqueId = 0x716C5672;

// The opcode's index: the unique ID.
const int32_t kIndex = kPluginUniqueId;

// value: kLoadPresetFile; ptr: the path of a preset text file (a C string).
// Loads it exactly as the editor's Load button does. Answers 1 when the file
// was read, 0 when it could not be opened.
const intptr_t kLoadPresetFile = 1;

// value: kWriteEditorPicture; ptr: the path of a PNG file to write (a C
// string). Draws the whole editor into its off-screen buffer as it stands
// (every control's value, the flock where it is) and writes it, without a
// window; an open editor window goes on as before. Answers 1 when the file
// was written, 0 when there is no editor or the file could not be written
// completely (a partial file is removed, an older one left as it was).
const intptr_t kWriteEditorPicture = 2;

}  // namespace vrelsvendor
