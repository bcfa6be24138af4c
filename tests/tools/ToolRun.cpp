#include "ToolRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tooltest {

namespace {

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

ToolRun RunTool(const std::vector<std::string>& arguments) {
  const std::string outPath = std::string(VRELS_TOOL_TEST_DIR) + "/stdout.txt";
  const std::string errPath = std::string(VRELS_TOOL_TEST_DIR) + "/stderr.txt";
  std::string command = Quoted(VRELS_HOST_PROGRAM);
  for (const std::string& word : arguments) command += " " + Quoted(word);
  command += " >" + Quoted(outPath) + " 2>" + Quoted(errPath);
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

}  // namespace tooltest
