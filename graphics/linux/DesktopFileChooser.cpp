#include "DesktopFileChooser.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace {

// How long the destructor lets a tool end after SIGTERM before SIGKILL.
const int kTerminateSteps = 50;
const long kTerminateStepNs = 2 * 1000 * 1000;

std::vector<std::string> Arguments(DesktopFileChooser::Tool tool, FileChooser::Action action,
                                   const std::string& folder, unsigned long owner) {
  const bool save = action == FileChooser::kSave;
  const char* title = save ? "Save file" : "Open file";
  std::vector<std::string> args;
  if (tool == DesktopFileChooser::kZenity) {
    args = {"zenity", "--file-selection"};
    if (save) {
      args.push_back("--save");
      args.push_back("--confirm-overwrite");
    }
    // The trailing slash makes zenity start inside the folder with no name.
    args.push_back("--filename=" + (folder == "/" ? folder : folder + "/"));
    args.push_back(std::string("--title=") + title);
    if (owner) args.push_back("--attach=" + std::to_string(owner));
  } else {
    args = {"kdialog", save ? "--getsavefilename" : "--getopenfilename", folder, "--title", title};
    if (owner) {
      args.push_back("--attach");
      args.push_back(std::to_string(owner));
    }
  }
  return args;
}

}  // namespace

std::unique_ptr<DesktopFileChooser> DesktopFileChooser::Launch(Tool tool, Action action,
                                                               const std::string& folder,
                                                               unsigned long owner) {
  const std::vector<std::string> args = Arguments(tool, action, folder, owner);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return nullptr;
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  bool ready = posix_spawn_file_actions_init(&actions) == 0;
  if (!ready) {
    close(fds[0]);
    close(fds[1]);
    return nullptr;
  }
  ready = posix_spawnattr_init(&attributes) == 0;
  if (ready) {
    ready = posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
            posix_spawn_file_actions_adddup2(&actions, fds[1], 1) == 0 &&
            posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0;
    // The host's threads may block or catch signals; the tool starts with
    // none blocked and every one at its default.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ready = ready && posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
            posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
            posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
  }
  pid_t child = -1;
  // glibc reports a program that cannot be executed (not found on PATH)
  // as posix_spawnp's own error.
  const bool spawned =
      ready && posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ) == 0;
  if (ready) posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (!spawned) {
    close(fds[0]);
    return nullptr;
  }
  return std::unique_ptr<DesktopFileChooser>(new DesktopFileChooser(child, fds[0]));
}

DesktopFileChooser::~DesktopFileChooser() {
  if (mPipe >= 0) close(mPipe);
  if (mFinished) return;
  kill(mChild, SIGTERM);
  for (int i = 0; i < kTerminateSteps; ++i) {
    const pid_t reaped = waitpid(mChild, nullptr, WNOHANG);
    if (reaped == mChild || (reaped < 0 && errno != EINTR)) return;
    const timespec step = {0, kTerminateStepNs};
    nanosleep(&step, nullptr);
  }
  kill(mChild, SIGKILL);
  while (waitpid(mChild, nullptr, 0) < 0 && errno == EINTR) {
  }
}

bool DesktopFileChooser::ReadPipe() {
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(mPipe, buffer, sizeof buffer);
    if (got > 0) {
      mOutput.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0) {
      return true;
    } else if (errno != EINTR) {
      return errno != EAGAIN;
    }
  }
}

bool DesktopFileChooser::Poll() {
  if (mFinished) return true;
  ReadPipe();
  int status = 0;
  const pid_t reaped = waitpid(mChild, &status, WNOHANG);
  if (reaped == 0 || (reaped < 0 && errno == EINTR)) return false;
  // Ended (or reaped by someone else: then cancelled). What it wrote
  // before ending is in the pipe now.
  ReadPipe();
  Finish(reaped == mChild ? status : -1);
  return true;
}

void DesktopFileChooser::Finish(int status) {
  mFinished = true;
  close(mPipe);
  mPipe = -1;
  // The path is the first line. A host that reaps every child itself
  // (a SIGCHLD handler) leaves no status: a whole line, which the tools
  // print only for a choice, counts then.
  const std::size_t end = mOutput.find('\n');
  std::string path = mOutput.substr(0, end);
  const bool chosen = status == -1 ? end != std::string::npos : WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (chosen && !path.empty() && path[0] == '/') mPath = path;
}
