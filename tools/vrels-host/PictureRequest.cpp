#include "PictureRequest.h"

#include "NativePath.h"
#include "ToolError.h"
#include "VendorRequests.h"

namespace vrelshost {

void RequestEditorPicture(PluginInstance& plugin, const std::string& path) {
  if (!plugin.IsVrels())
    throw ToolError("--editor-png asks Vrels for a picture of its editor; " + plugin.Path() +
                    " is not Vrels");
  std::string native = testhost::ToNativePath(path);
  if (plugin.Host().Dispatch(effVendorSpecific, vrelsvendor::kIndex, vrelsvendor::kWriteEditorPicture,
                             &native[0]) != 1) {
    throw ToolError("the plug-in could not write a picture of its editor to " + path);
  }
}

}  // namespace vrelshost
