// What every GUI test shares: the plug-in binary under test, loaded once for
// the whole run; the folder screenshots are written to; the folder of the
// committed artwork (the reference for what the editor must show); the
// folder of the factory presets; and
// instances ready to process audio.
//
// Thread use: set up by main before the tests run; read from the test thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Host.h"
#include "PluginModule.h"

namespace guitest {

// The editor's window class, as the host-visible interface names it.
const char* const kEditorClass = "IPlugWndClass";
// The editor's 24-per-second timer.
const UINT_PTR kTickTimerId = 2;

// Moves this thread to a desktop of its own, before it makes any window.
// Under wine a desktop's window is made by the first process that needs it,
// with that process's display; a desktop of our own is made with ours,
// whatever other wine processes of the prefix (without a display) did.
bool UseOwnDesktop();

bool LoadPlugin(const std::string& path, std::string* error);
void UnloadPlugin();
const testhost::PluginModule& Plugin();
// The loaded library's module handle, under which the editor registers its
// window class.
HINSTANCE PluginInstance();

void SetScreenshotDir(const std::string& dir);
// A file in the screenshot folder, as a native path.
std::string ScreenshotPath(const std::string& name);

void SetArtworkDir(const std::string& dir);
// An image under the committed artwork folder (resources/), as a native path.
std::string ArtworkPath(const std::string& file);

// An instance made through VSTPluginMain and opened (effOpen), at 44.1 kHz
// with blocks of kBlockFrames and processing switched on; null on failure.
// From the plug-in loaded for the run, or from the entry point given.
const int kBlockFrames = 256;
std::unique_ptr<testhost::Host> OpenInstance();
std::unique_ptr<testhost::Host> OpenInstance(VstPluginMainProc entry);

void SetPresetDir(const std::string& dir);
// A factory preset file under the committed presets folder, as a native
// path.
std::string PresetPath(const std::string& file);

// Whether the editor's window class is registered in the process now.
bool EditorClassRegistered();

}  // namespace guitest
