// A picture of the editor for a host, without a window: every control
// drawn into the graphics object's off-screen buffer as it stands (values,
// texts, meters, the flock where it is) and the buffer written as a PNG
// file. Answers the vendor request kWriteEditorPicture (VendorRequests.h).
//
// Threads: a host's thread, never the audio thread, and without the
// instance mutex: the controls copy what they show under it while drawing,
// so the audio thread never waits on the drawing. The graphics object's
// paint mutex keeps an open window's paint pass out while the editor is
// painted and copied; the window's own redraw cycle is left as it was.
#pragma once

class IGraphics;

// False when there is no editor (or none with an off-screen buffer), the
// path is null or empty, or the file cannot be written completely.
bool WriteEditorPicture(IGraphics* graphics, const char* path);
