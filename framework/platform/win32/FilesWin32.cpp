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
  // a directory is refused by fopen already, and checked again here. Only
  // the file's basic information is asked for: the full record also asks
  // for its volume's serial number, which wine fetches from its mount
  // manager service, a round trip to another process for every preset.
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  FILE_BASIC_INFO information;
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
      !GetFileInformationByHandleEx(handle, FileBasicInfo, &information, sizeof information) ||
      (information.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

}  // namespace vrels
