// Runs the GUI tests: the plug-in's editor opened in a window of our own
// and driven with real window messages. Windows only (under wine with a
// private X display, scripts/with-xvfb.sh).
//
//   gui_tests --plugin=PATH --artwork=DIR --presets=DIR --screenshots=DIR
//             [gtest options]
//
// --artwork names the committed images (resources/), the reference of what
// the editor shows; --presets the factory presets (presets/), which the
// preset dialog is given; screenshots read back from the window go to
// --screenshots for review.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "GuiEnvironment.h"

namespace {
// The value of --name=VALUE among the arguments; empty when absent.
std::string Option(int argc, char** argv, const char* prefix) {
  std::string value;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0) value = argv[i] + std::strlen(prefix);
  }
  return value;
}
}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!guitest::UseOwnDesktop()) {
    std::fprintf(stderr, "cannot make a desktop of this process's own\n");
    return 2;
  }
  const std::string path = Option(argc, argv, "--plugin=");
  if (path.empty()) {
    std::fprintf(stderr,
                 "usage: %s --plugin=PATH --artwork=DIR --presets=DIR --screenshots=DIR [gtest options]\n",
                 argv[0]);
    return 2;
  }
  std::string error;
  if (!guitest::LoadPlugin(path, &error)) {
    std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), error.c_str());
    return 2;
  }
  guitest::SetArtworkDir(Option(argc, argv, "--artwork="));
  guitest::SetPresetDir(Option(argc, argv, "--presets="));
  guitest::SetScreenshotDir(Option(argc, argv, "--screenshots="));

  const int result = RUN_ALL_TESTS();
  // Every instance is closed by now.
  guitest::UnloadPlugin();
  return result;
}
