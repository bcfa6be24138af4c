// Runs the built vrels-host as a user would, from a shell, and collects what
// it printed and its exit status.
#pragma once

#include <string>
#include <vector>

namespace tooltest {

struct ToolRun {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// `arguments` are passed as separate words (quoted for the shell).
ToolRun RunTool(const std::vector<std::string>& arguments);

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace tooltest
