#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/Files.h"

namespace vrels {

bool MoveReplacing(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::FILE* OpenRegularFileForReading(const char* path) {
  if (!path || !*path) return nullptr;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return nullptr;
  // Devices (NUL, CON, COM1) open like files but are not of the disk type;
  // a directory is refused by fopen already, and checked again here.
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  BY_HANDLE_FILE_INFORMATION information;
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(handle, &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

}  // namespace vrels
