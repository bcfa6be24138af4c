// Runs the interface tests against one plug-in binary, named by
// --plugin=PATH or, failing that, by the environment variable VRELS_PLUGIN.
//
// --render-reference=PATH renders the cross-target agreement scenario into
// PATH instead of running tests; --agreement-reference=PATH adds the test
// that compares this target's render with the one in PATH;
// --soak-seconds=N sets how much audio the soak test processes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AgreementScenario.h"
#include "PluginEnvironment.h"

namespace interfacetest {
void RegisterAgreementTest(const std::string& referencePath);
}

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
  // Before anything loads the plug-in, so that tests can compare against it.
  interfacetest::RecordInitialProcessState();
  testing::InitGoogleTest(&argc, argv);

  std::string path = Option(argc, argv, "--plugin=");
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
  const std::string renderPath = Option(argc, argv, "--render-reference=");
  if (!renderPath.empty()) {
    auto host = interfacetest::OpenInstance();
    const bool written =
        host && interfacetest::WriteRender(renderPath, interfacetest::RenderAgreementScenario(*host));
    host.reset();
    interfacetest::UnloadPlugin();
    if (!written) std::fprintf(stderr, "cannot render the reference into %s\n", renderPath.c_str());
    return written ? 0 : 1;
  }
  const std::string soak = Option(argc, argv, "--soak-seconds=");
  if (!soak.empty()) interfacetest::SetSoakSeconds(std::atof(soak.c_str()));
  const std::string referencePath = Option(argc, argv, "--agreement-reference=");
  if (!referencePath.empty()) interfacetest::RegisterAgreementTest(referencePath);

  const int result = RUN_ALL_TESTS();
  // Every instance is closed by now; unloading earlier would pull the code
  // from under them.
  interfacetest::UnloadPlugin();
  return result;
}
