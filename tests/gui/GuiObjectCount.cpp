#include "GuiObjectCount.h"

#include <winternl.h>

#include <cstdint>

namespace guitest {

namespace {

// Where the process environment block keeps the GDI handle table's address.
#ifdef _WIN64
const size_t kGdiTableOffset = 0xF8;
#else
const size_t kGdiTableOffset = 0x94;
#endif

// One entry of wine's GDI handle table (wine's include/ntgdi.h,
// GDI_HANDLE_ENTRY): the type is 0 for a free entry.
struct WineGdiEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user;
};
static_assert(sizeof(WineGdiEntry) == 24, "wine's handle entries are 24 bytes on both bitnesses");
const int kWineGdiEntries = 0x10000;

long CountWineGdiObjects() {
  PROCESS_BASIC_INFORMATION process = {};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process,
                                nullptr) != 0) {
    return -1;
  }
  const char* peb = reinterpret_cast<const char*>(process.PebBaseAddress);
  const WineGdiEntry* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + kGdiTableOffset);
  if (!table) return -1;
  long used = 0;
  for (int i = 0; i < kWineGdiEntries; ++i) used += table[i].type != 0 ? 1 : 0;
  return used;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// Counts a top-level window of this process and every window inside it.
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

}  // namespace

GuiObjectCount CountGuiObjects() {
  GuiObjectCount count;
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  count.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  count.gdiObjects = gdi > 0 ? static_cast<long>(gdi) : CountWineGdiObjects();
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count.windows));
  return count;
}

}  // namespace guitest
