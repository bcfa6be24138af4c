#include "X11Errors.h"

#include <X11/Xlib.h>

#include <mutex>
#include <utility>
#include <vector>

namespace x11errors {
namespace {

struct Entry {
  Display* display;
  int lastError;
};

std::mutex sMutex;
std::vector<Entry> sEntries;
XErrorHandler sPrevious = nullptr;

int OnError(Display* display, XErrorEvent* error) {
  XErrorHandler previous = nullptr;
  {
    std::lock_guard<std::mutex> lock(sMutex);
    for (Entry& entry : sEntries) {
      if (entry.display == display) {
        entry.lastError = error->error_code;
        return 0;
      }
    }
    previous = sPrevious;
  }
  return previous ? previous(display, error) : 0;
}

}  // namespace

void Register(Display* display) {
  std::lock_guard<std::mutex> lock(sMutex);
  if (sEntries.empty()) sPrevious = XSetErrorHandler(OnError);
  sEntries.push_back({display, 0});
}

void Unregister(Display* display) {
  std::lock_guard<std::mutex> lock(sMutex);
  for (std::size_t i = 0; i < sEntries.size(); ++i) {
    if (sEntries[i].display == display) {
      sEntries.erase(sEntries.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  if (!sEntries.empty()) return;
  // Put the earlier handler back only where ours is still the one installed.
  XErrorHandler current = XSetErrorHandler(sPrevious);
  if (current != OnError) XSetErrorHandler(current);
  sPrevious = nullptr;
}

int TakeLastError(Display* display) {
  std::lock_guard<std::mutex> lock(sMutex);
  for (Entry& entry : sEntries) {
    if (entry.display == display) return std::exchange(entry.lastError, 0);
  }
  return 0;
}

}  // namespace x11errors
