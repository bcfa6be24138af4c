#include "IGraphicsLinux.h"

#include <unistd.h>

#include "platform/Module.h"

namespace {

const std::size_t MAX_PATH_LENGTH = 4096;

// The directory part of a path, with its trailing '/'; empty without one.
std::string DirectoryOf(const char* path) {
  std::string text(path);
  std::size_t slash = text.rfind('/');
  return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

}  // namespace

IGraphicsLinux::IGraphicsLinux(IPlugBase* plug, int width, int height, int fps)
    : IGraphicsLice(plug, width, height, fps) {}

IGraphicsLinux::~IGraphicsLinux() {}

bool IGraphicsLinux::DrawScreen(const IRect& /*rect*/) {
  return true;
}

bool IGraphicsLinux::DrawText(ITextStyle* style, const char* text, const IRect& rect) {
  if (!text || !*text) return true;
  if (!style) return false;
  LICE_IBitmap* buffer = GetDrawBitmap();
  if (!buffer) return false;
  FreeTypeText::Font font = {style->mFont, style->mSize, style->mStyle, style->mOrientation};
  const IRect& clip = GetDrawRect();
  return mText.Draw(buffer, font, style->mColour.Packed(), style->mAlign, text,
                    {rect.mL, rect.mT, rect.mR, rect.mB}, {clip.mL, clip.mT, clip.mR, clip.mB});
}

bool IGraphicsLinux::MeasureText(ITextStyle* style, const char* text, int* width) {
  if (!style || !text || !width) return false;
  FreeTypeText::Font font = {style->mFont, style->mSize, style->mStyle, style->mOrientation};
  int height = 0;
  return mText.Measure(font, text, width, &height);
}

bool IGraphicsLinux::BuildPopupMenu(void* /*nativeMenu*/, int* /*nextId*/, IPopupMenu* /*menu*/) {
  return false;
}

void IGraphicsLinux::CreateTextEntry(IControl* /*control*/, IParameter* /*param*/, bool /*useControlText*/) {}

void IGraphicsLinux::HostPath(std::string* path) {
  if (!path) return;
  path->clear();
  char buffer[MAX_PATH_LENGTH];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (n <= 0) return;
  buffer[n] = '\0';
  *path = DirectoryOf(buffer);
}

void IGraphicsLinux::PluginPath(std::string* path) {
  if (!path) return;
  path->clear();
  char buffer[MAX_PATH_LENGTH];
  if (vrels::ModuleFileName(buffer, sizeof(buffer))) *path = DirectoryOf(buffer);
}

void IGraphicsLinux::PromptForFile(std::string* path, int /*action*/, const char* /*directory*/,
                                   const char* /*extension*/) {
  if (path) path->clear();
}

bool IGraphicsLinux::PromptForColour(IColour* /*colour*/, const char* /*caption*/) {
  return false;
}

bool IGraphicsLinux::OpenURL(const char* /*url*/, const char* /*caption*/, const char* /*confirmation*/,
                             const char* /*error*/) {
  return false;
}

void* IGraphicsLinux::OpenWindow(void* /*parent*/) {
  return nullptr;
}

void IGraphicsLinux::CloseWindow() {}

void* IGraphicsLinux::GetWindow() {
  return nullptr;
}

void IGraphicsLinux::PromptParamMenu(IControl* /*control*/, IParameter* /*param*/, int /*itemsPerColumn*/) {}
