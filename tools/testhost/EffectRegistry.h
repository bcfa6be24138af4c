// Finds the Host that owns an AEffect. The host callback carries no user
// pointer, only the AEffect, so every Host registers its instance here; and
// because a plug-in may call its host from inside the entry point, before the
// host has seen the AEffect, the Host being created on the current thread is
// remembered as well.
//
// Thread use: any thread; the map is guarded by a mutex of its own.
#pragma once

#include "VstInterface.h"

namespace testhost {

class Host;

namespace registry {

void Register(AEffect* effect, Host* host);
void Unregister(AEffect* effect);

// The host that registered `effect`; otherwise the host whose entry-point
// call is running on this thread; otherwise null.
Host* Find(AEffect* effect);

// Marks `host` as the one creating an instance on this thread while it lives.
class CreationScope {
 public:
  explicit CreationScope(Host* host);
  ~CreationScope();
  CreationScope(const CreationScope&) = delete;
  CreationScope& operator=(const CreationScope&) = delete;

 private:
  Host* mpPrevious;
};

}  // namespace registry
}  // namespace testhost
