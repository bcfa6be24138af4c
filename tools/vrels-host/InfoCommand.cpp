#include "InfoCommand.h"

#include <cstdio>

#include "Host.h"
#include "PluginModule.h"

namespace vrelshost {

namespace {
std::string FourCharacterCode(int32_t id) {
  std::string code;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>((id >> shift) & 0xFF);
    code += (c >= 32 && c < 127) ? c : '?';
  }
  return code;
}
}  // namespace

int RunInfo(const std::string& pluginPath) {
  std::string error;
  std::unique_ptr<testhost::PluginModule> module = testhost::PluginModule::Load(pluginPath, &error);
  if (!module) {
    std::fprintf(stderr, "vrels-host: cannot load %s: %s\n", pluginPath.c_str(), error.c_str());
    return 1;
  }
  VstPluginMainProc entry = module->Entry();
  if (!entry) {
    std::fprintf(stderr, "vrels-host: %s exports neither VSTPluginMain nor main\n", pluginPath.c_str());
    return 1;
  }
  testhost::Host host;
  if (!host.Instantiate(entry)) {
    std::fprintf(stderr, "vrels-host: %s did not create an instance\n", pluginPath.c_str());
    return 1;
  }
  host.Open();
  const AEffect* effect = host.Effect();
  std::printf("plug-in:   %s\n", pluginPath.c_str());
  std::printf("name:      %s\n", host.GetEffectName().c_str());
  std::printf("vendor:    %s\n", host.GetVendorString().c_str());
  std::printf("product:   %s\n", host.GetProductString().c_str());
  std::printf("unique ID: '%s' (0x%08X)\n", FourCharacterCode(effect->uniqueID).c_str(),
              static_cast<unsigned>(effect->uniqueID));
  std::printf("version:   %d\n", effect->version);
  std::printf("category:  %d\n", static_cast<int>(host.Dispatch(effGetPlugCategory)));
  std::printf("counts:    %d parameters, %d programs, %d inputs, %d outputs\n", effect->numParams,
              effect->numPrograms, effect->numInputs, effect->numOutputs);
  std::printf("flags:     0x%X\n", static_cast<unsigned>(effect->flags));
  host.Close();
  return 0;
}

}  // namespace vrelshost
