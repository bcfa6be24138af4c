#include "GuiEnvironment.h"

#include "NativePath.h"

namespace guitest {

namespace {
std::unique_ptr<testhost::PluginModule>& Module() {
  static std::unique_ptr<testhost::PluginModule> module;
  return module;
}
std::string gScreenshotDir = ".";
std::string gArtworkDir = ".";
std::string gPresetDir = ".";
}  // namespace

bool UseOwnDesktop() {
  const std::string name = "VrelsGuiTests" + std::to_string(GetCurrentProcessId());
  HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  return desktop && SetThreadDesktop(desktop);
}

bool LoadPlugin(const std::string& path, std::string* error) {
  Module() = testhost::PluginModule::Load(path, error);
  return Module() != nullptr;
}

void UnloadPlugin() {
  Module().reset();
}

const testhost::PluginModule& Plugin() {
  return *Module();
}

HINSTANCE PluginInstance() {
  return static_cast<HINSTANCE>(Module()->Handle());
}

void SetScreenshotDir(const std::string& dir) {
  gScreenshotDir = testhost::ToNativePath(dir);
  CreateDirectoryA(gScreenshotDir.c_str(), nullptr);
}

std::string ScreenshotPath(const std::string& name) {
  return gScreenshotDir + "\\" + name;
}

void SetArtworkDir(const std::string& dir) {
  gArtworkDir = testhost::ToNativePath(dir);
}

std::string ArtworkPath(const std::string& file) {
  return gArtworkDir + "\\" + file;
}

void SetPresetDir(const std::string& dir) {
  gPresetDir = testhost::ToNativePath(dir);
}

std::string PresetPath(const std::string& file) {
  return gPresetDir + "\\" + file;
}

std::unique_ptr<testhost::Host> OpenInstance() {
  return OpenInstance(Plugin().Entry());
}

std::unique_ptr<testhost::Host> OpenInstance(VstPluginMainProc entry) {
  auto host = std::make_unique<testhost::Host>();
  if (!host->Instantiate(entry)) return nullptr;
  host->Open();
  host->SetSampleRate(44100.0f);
  host->SetBlockSize(kBlockFrames);
  host->SetMainsChanged(true);
  return host;
}

bool EditorClassRegistered() {
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  return GetClassInfoExA(PluginInstance(), kEditorClass, &info) != 0;
}

}  // namespace guitest
