// The desktop's file chooser as a separate program: zenity (GNOME and
// most others) or kdialog (KDE). The tool runs as a child process
// (posix_spawnp, since the host process has other threads) with stdin
// from /dev/null, stderr to /dev/null and stdout into a pipe, on which it
// prints the chosen path; an exit status of 0 with a path means chosen,
// anything else cancelled.
//
// Threads: one at a time (the editor's driving thread).
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

#include "FileChooser.h"

class DesktopFileChooser : public FileChooser {
 public:
  enum Tool { kZenity, kKdialog };

  // Starts the tool, looked up on PATH, in `folder` (an existing folder),
  // attached to `owner` when it is not 0. Null when the tool cannot be
  // started (not installed, no memory, no descriptors).
  static std::unique_ptr<DesktopFileChooser> Launch(Tool tool, Action action, const std::string& folder,
                                                    unsigned long owner);
  // An unfinished tool is sent SIGTERM and reaped (SIGKILL if it has not
  // ended after a short while), so no zombie stays behind.
  ~DesktopFileChooser() override;

  bool Poll() override;
  const std::string& Path() const override { return mPath; }

 private:
  DesktopFileChooser(pid_t child, int pipe) : mChild(child), mPipe(pipe) {}
  // Appends what the pipe holds now; true at its end.
  bool ReadPipe();
  void Finish(int status);

  pid_t mChild;
  int mPipe;
  bool mFinished = false;
  std::string mOutput;
  std::string mPath;
};
