#include "EffectRegistry.h"

#include <map>
#include <mutex>

namespace testhost {
namespace registry {

namespace {

std::mutex& MapMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<AEffect*, Host*>& Map() {
  static std::map<AEffect*, Host*> map;
  return map;
}

thread_local Host* tpCreating = nullptr;

}  // namespace

void Register(AEffect* effect, Host* host) {
  std::lock_guard<std::mutex> lock(MapMutex());
  Map()[effect] = host;
}

void Unregister(AEffect* effect) {
  std::lock_guard<std::mutex> lock(MapMutex());
  Map().erase(effect);
}

Host* Find(AEffect* effect) {
  {
    std::lock_guard<std::mutex> lock(MapMutex());
    const auto found = Map().find(effect);
    if (found != Map().end()) return found->second;
  }
  return tpCreating;
}

CreationScope::CreationScope(Host* host) : mpPrevious(tpCreating) {
  tpCreating = host;
}

CreationScope::~CreationScope() {
  tpCreating = mpPrevious;
}

}  // namespace registry
}  // namespace testhost
