// Module state set by the library's load and unload notification.
#pragma once

namespace vrels {
void RecordModuleHandle(void* module);
// Destroys the creation lock; called when the library is unloaded.
void ReleaseModuleState();
}  // namespace vrels
