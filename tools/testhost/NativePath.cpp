#include "NativePath.h"

namespace testhost {

std::string ToNativePath(const std::string& path) {
#if defined(_WIN32)
  std::string native = path;
  for (char& c : native) {
    if (c == '/') c = '\\';
  }
  // Only a rooted Unix path gets the drive letter; "C:/x" or "x/y" already
  // mean something to Windows.
  if (!path.empty() && path[0] == '/' && !(path.size() > 1 && path[1] == '/')) {
    native = "Z:" + native;
  }
  return native;
#else
  return path;
#endif
}

}  // namespace testhost
