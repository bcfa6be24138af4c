// `--editor-png FILE`: asks Vrels for a picture of its editor as it stands
// (after a render: the flock where the render left it) and to write it as
// a PNG file itself, without a window (VendorRequests.h).
#pragma once

#include <string>

#include "PluginInstance.h"

namespace vrelshost {

// Throws ToolError when the plug-in is not Vrels or answers that it could
// not write the file.
void RequestEditorPicture(PluginInstance& plugin, const std::string& path);

}  // namespace vrelshost
