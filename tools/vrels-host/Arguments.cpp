#include "Arguments.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "ToolError.h"

namespace vrelshost {

Arguments::Arguments(int argc, char** argv, int first) {
  for (int i = first; i < argc; ++i) mWords.push_back(argv[i]);
}

bool Arguments::AtOption() const {
  return !Done() && mWords[mNext].size() > 2 && mWords[mNext].compare(0, 2, "--") == 0;
}

std::string Arguments::Take(const char* what) {
  if (Done()) throw UsageError(std::string("missing ") + what);
  return mWords[mNext++];
}

double ParseNumber(const std::string& text, const std::string& option) {
  // The classic locale's stream: a point, never a comma.
  std::istringstream stream(text);
  stream.imbue(std::locale::classic());
  double value = 0;
  stream >> value;
  if (text.empty() || stream.fail() || !stream.eof() || !std::isfinite(value)) {
    throw UsageError(option + " takes a number, not '" + text + "'");
  }
  return value;
}

double ParseNumberIn(const std::string& text, const std::string& option, double lowest, double highest) {
  const double value = ParseNumber(text, option);
  if (value < lowest || value > highest) {
    std::ostringstream message;
    message.imbue(std::locale::classic());
    message << option << " must lie between " << lowest << " and " << highest << ", not " << text;
    throw UsageError(message.str());
  }
  return value;
}

int ParseInteger(const std::string& text, const std::string& option, int lowest, int highest) {
  const double value = ParseNumberIn(text, option, lowest, highest);
  if (value != std::floor(value)) throw UsageError(option + " takes a whole number, not '" + text + "'");
  return static_cast<int>(value);
}

}  // namespace vrelshost
