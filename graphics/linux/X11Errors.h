// Xlib's error handler is one per process, and its default ends the
// process. The editor's windows make requests that can fail through no
// fault of theirs (the host destroys its parent window, and the editor's
// with it, before effEditClose; a server refuses shared memory), so each
// editor connection registers here: while one is registered, a handler of
// ours is installed that records errors on the registered connections
// and hands every other error to the handler that was installed before
// (the host's own, or Xlib's default). When the last connection leaves,
// that handler is put back, unless someone installed another since.
//
// Threads: any; the registry has its own lock. Xlib calls the handler on
// the thread that reads the error, with that connection in use.
#pragma once

struct _XDisplay;

namespace x11errors {

// Adds a connection before its first request.
void Register(_XDisplay* display);
// Removes it after XCloseDisplay (which may still report errors).
void Unregister(_XDisplay* display);
// The error code of the last error on the connection since the previous
// call, 0 for none; clears it.
int TakeLastError(_XDisplay* display);

}  // namespace x11errors
