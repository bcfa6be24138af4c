// Renders the editor without a window: makes a plug-in instance (whose
// constructor builds and attaches the editor), optionally sets parameters,
// paints every control into the off-screen buffer and writes it as a PNG.
//
//   vrels-editor-render OUT.png [--scale N] [--area L,T,R,B] [--set KEY=VALUE ...]
//
// KEY is a parameter's index or name, VALUE its normalised value (0..1),
// set as a host sets it. --area writes only that part of the editor,
// --scale enlarges every pixel N times for review.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "IGraphicsLice.h"
#include "LICE_PNGWrite.h"
#include "VrelsPlugin.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vrels-editor-render OUT.png [--scale N] [--area L,T,R,B] [--set KEY=VALUE ...]\n");
  return 2;
}

int FindParam(VrelsPlugin& plug, const std::string& key) {
  char* end = nullptr;
  long index = std::strtol(key.c_str(), &end, 10);
  if (!key.empty() && *end == '\0')
    return index >= 0 && index < plug.NParams() ? static_cast<int>(index) : -1;
  for (int i = 0; i < plug.NParams(); ++i) {
    if (key == plug.GetParam(i)->Name()) return i;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return Usage();
  VrelsPlugin plug(nullptr);
  IGraphicsLice* graphics = static_cast<IGraphicsLice*>(plug.GetGUI());
  if (!graphics) {
    std::fprintf(stderr, "vrels-editor-render: the plug-in has no editor on this platform\n");
    return 1;
  }
  AEffect* effect = plug.GetAEffect();
  LICE_PNGArea area = {0, 0, graphics->Width(), graphics->Height()};
  int scale = 1;
  for (int i = 2; i < argc; ++i) {
    if (i + 1 >= argc) return Usage();
    std::string option = argv[i], value = argv[++i];
    if (option == "--scale") {
      scale = std::atoi(value.c_str());
    } else if (option == "--area") {
      if (std::sscanf(value.c_str(), "%d,%d,%d,%d", &area.mL, &area.mT, &area.mR, &area.mB) != 4)
        return Usage();
    } else if (option == "--set") {
      std::size_t equals = value.find('=');
      int index = equals == std::string::npos ? -1 : FindParam(plug, value.substr(0, equals));
      if (index < 0 || index >= effect->numParams) {
        std::fprintf(stderr, "vrels-editor-render: no host parameter %s\n", value.c_str());
        return 2;
      }
      effect->setParameter(effect, index, std::strtof(value.c_str() + equals + 1, nullptr));
    } else {
      return Usage();
    }
  }
  graphics->Draw(IRect(0, 0, graphics->Width(), graphics->Height()));
  std::string error;
  if (!LICE_WritePNG(argv[1], graphics->GetDrawBitmap(), area, scale, &error)) {
    std::fprintf(stderr, "vrels-editor-render: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
