#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Files.h"

namespace vrels {

bool MoveReplacing(const char* from, const char* to) {
  return std::rename(from, to) == 0;
}

std::FILE* OpenRegularFileForReading(const char* path) {
  if (!path || !*path) return nullptr;
  // Not blocking, so that opening a pipe with no writer returns at once; the
  // type is checked on what was opened, not on the path before opening.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status;
  const int flags = fcntl(fd, F_GETFL);
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
      fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(fd);
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

}  // namespace vrels
