// The command line after the command word, read front to back: positional
// words and "--option value" pairs, with checked number conversion.
#pragma once

#include <string>
#include <vector>

namespace vrelshost {

class Arguments {
 public:
  Arguments(int argc, char** argv, int first);
  explicit Arguments(std::vector<std::string> words) : mWords(std::move(words)) {}

  bool Done() const { return mNext >= mWords.size(); }
  // The next word is an option ("--name").
  bool AtOption() const;
  // The next word, consumed; a UsageError naming `what` when there is none.
  std::string Take(const char* what);
  // The value that must follow `option`.
  std::string TakeValue(const std::string& option) { return Take(option.c_str()); }

 private:
  std::vector<std::string> mWords;
  size_t mNext = 0;
};

// Whole-word conversions; a UsageError naming the option otherwise. The
// decimal point is always '.', whatever the locale.
double ParseNumber(const std::string& text, const std::string& option);
int ParseInteger(const std::string& text, const std::string& option, int lowest, int highest);
double ParseNumberIn(const std::string& text, const std::string& option, double lowest, double highest);

}  // namespace vrelshost
