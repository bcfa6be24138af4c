// vrels-host: a command-line VST 2.4 host for Vrels and other plug-ins.
#include <cstdio>
#include <cstring>
#include <string>

#include "InfoCommand.h"

namespace {
void PrintUsage() {
  std::fprintf(stderr,
               "usage: vrels-host info PLUGIN\n"
               "  info PLUGIN   identity, counts and flags of a VST 2.4 plug-in binary\n");
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "info") == 0) return vrelshost::RunInfo(argv[2]);
  PrintUsage();
  return 2;
}
