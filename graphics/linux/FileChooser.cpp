#include "FileChooser.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "DesktopFileChooser.h"
#include "X11FileChooser.h"

namespace filechooser {
namespace {

bool IsFolder(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Named(const char* name) {
  return name && *name;
}

}  // namespace

std::string StartingFolder(const std::string& directory) {
  std::string folder = directory;
  if (!IsFolder(folder)) {
    const char* home = std::getenv("HOME");
    folder = home && IsFolder(home) ? home : "/";
  }
  if (char* resolved = realpath(folder.c_str(), nullptr)) {
    folder = resolved;
    std::free(resolved);
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace filechooser

std::unique_ptr<FileChooser> FileChooser::Start(Action action, const std::string& directory,
                                                unsigned long owner) {
  enum Kind { kZenity, kKdialog, kDrawn };
  static const char* const kNames[] = {"zenity", "kdialog", "drawn"};
  std::vector<Kind> order = {kZenity, kKdialog, kDrawn};
  if (const char* forced = std::getenv("VRELS_FILE_CHOOSER")) {
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (std::strcmp(forced, kNames[order[i]]) == 0) {
        const Kind first = order[i];
        order.erase(order.begin() + static_cast<std::ptrdiff_t>(i));
        order.insert(order.begin(), first);
        break;
      }
    }
  }
  const std::string folder = filechooser::StartingFolder(directory);
  const bool desktop =
      filechooser::Named(std::getenv("DISPLAY")) || filechooser::Named(std::getenv("WAYLAND_DISPLAY"));
  for (Kind kind : order) {
    std::unique_ptr<FileChooser> chooser;
    if (kind == kDrawn) {
      chooser = X11FileChooser::Open(action, folder, owner);
    } else if (desktop) {
      chooser = DesktopFileChooser::Launch(
          kind == kZenity ? DesktopFileChooser::kZenity : DesktopFileChooser::kKdialog, action, folder,
          owner);
    }
    if (chooser) return chooser;
  }
  return nullptr;
}
