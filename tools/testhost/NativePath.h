// Path spelling for the module loader of the running platform.
#pragma once

#include <string>

namespace testhost {

// Returns `path` in the form the platform's loader accepts. On Windows a Unix
// absolute path such as /work/x/Vrels64.dll becomes Z:\work\x\Vrels64.dll
// (wine maps the Unix root to drive Z:), and forward slashes become
// backslashes; elsewhere the path is returned unchanged.
std::string ToNativePath(const std::string& path);

}  // namespace testhost
