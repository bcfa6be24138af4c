// Runs the interface tests against one plug-in binary, named by
// --plugin=PATH or, failing that, by the environment variable VRELS_PLUGIN.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PluginEnvironment.h"

int main(int argc, char** argv) {
  // Before anything loads the plug-in, so that tests can compare against it.
  interfacetest::RecordInitialProcessState();
  testing::InitGoogleTest(&argc, argv);

  std::string path;
  const char* prefix = "--plugin=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0) path = argv[i] + std::strlen(prefix);
  }
  if (path.empty()) {
    const char* fromEnvironment = std::getenv("VRELS_PLUGIN");
    if (fromEnvironment) path = fromEnvironment;
  }
  if (path.empty()) {
    std::fprintf(stderr, "usage: %s --plugin=PATH [gtest options] (or set VRELS_PLUGIN)\n", argv[0]);
    return 2;
  }

  std::string error;
  if (!interfacetest::LoadPlugin(path, &error)) {
    std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), error.c_str());
    return 2;
  }
  const int result = RUN_ALL_TESTS();
  // Every instance is closed by now; unloading earlier would pull the code
  // from under them.
  interfacetest::UnloadPlugin();
  return result;
}
