// Asking the user for a file on Linux, for the editor's Save and Load
// buttons. The desktop's own chooser is a separate program (zenity or
// kdialog, DesktopFileChooser.h); where neither is available the editor
// draws one in a window of its own (X11FileChooser.h).
//
// Which one: VRELS_FILE_CHOOSER = zenity, kdialog or drawn is tried first
// (for the tests, and for users whose desktop tool misbehaves); then
// zenity, kdialog and the drawn chooser in that order. The desktop tools
// are tried only when the environment names a display (DISPLAY or
// WAYLAND_DISPLAY); one that cannot be started is passed over.
#pragma once

#include <memory>
#include <string>

// Asks the user for a file without blocking the caller: Start shows a
// chooser, Poll (called by the editor every tick, about 24 times a second,
// on the editor's driving thread) reports when the user has chosen or
// cancelled. Destroying an unfinished chooser cancels it at once (closes
// its window, ends its process) without waiting on the user.
class FileChooser {
 public:
  enum Action { kOpen, kSave };
  virtual ~FileChooser() = default;
  // The desktop's chooser when one is reachable, else the drawn one.
  // directory: where it starts (an existing folder; falls back to $HOME,
  // then "/"). owner: the editor's X11 window (0 if none), for dialogs to
  // stay above the host. Null only when nothing at all can be shown.
  static std::unique_ptr<FileChooser> Start(Action action, const std::string& directory, unsigned long owner);
  // Non-blocking. True once finished; then Path() is the chosen absolute
  // path, empty when cancelled.
  virtual bool Poll() = 0;
  virtual const std::string& Path() const = 0;
};

namespace filechooser {

// The folder a chooser starts in: `directory` when it is an existing
// folder, else $HOME when that is one, else "/". Absolute, without a
// trailing slash (except "/").
std::string StartingFolder(const std::string& directory);

}  // namespace filechooser
