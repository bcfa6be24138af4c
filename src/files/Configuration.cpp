#include "files/Configuration.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "files/TextFileReader.h"
#include "platform/Module.h"

namespace {
#if defined(_WIN32)
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif
}  // namespace

const char* const Configuration::FILE_NAME = "Vrels.ini";

void Configurable::SetFromText(const char* text) {
  mValue = text ? text : "";
  // The leading decimal integer, as atoi reads it but held inside int.
  long long number = 0;
  const char* p = mValue.c_str();
  while (*p == ' ' || *p == '\t') ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + (*p - '0');
    if (number > static_cast<long long>(INT_MAX) + 1) number = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) number = -number;
  if (number > INT_MAX) number = INT_MAX;
  mIntValue = static_cast<int>(number);
}

Configuration::Configuration() {
  const char* const names[NUM_CONFIGURABLES] = {"PresetFolder", "MidiMap", "LowestOctave"};
  const char* const values[NUM_CONFIGURABLES] = {"", "MidiMap.txt", "0"};
  for (int i = 0; i < NUM_CONFIGURABLES; ++i) {
    mConfigurables[i].mName = names[i];
    mConfigurables[i].mValue = values[i];
  }
}

void Configuration::Read(const char* path) {
  ConfigurationFileReader reader(path);
  ReadLines(reader);
}

void Configuration::Read(std::FILE* file) {
  ConfigurationFileReader reader(file);
  ReadLines(reader);
}

void Configuration::ReadLines(ConfigurationFileReader& reader) {
  while (reader.ReadLine()) {
    if (Configurable* configurable = FindConfigurable(reader.Key()))
      configurable->SetFromText(reader.Value());
  }
}

Configurable* Configuration::FindConfigurable(const char* key) {
  for (Configurable& configurable : mConfigurables) {
    if (configurable.mName == key) return &configurable;
  }
  return nullptr;
}

std::string Configuration::FilePathBeside(const char* moduleFileName) {
  if (!moduleFileName) return std::string();
  const char* end = std::strrchr(moduleFileName, kSeparator);
  if (!end) return std::string();
  const std::size_t directory = static_cast<std::size_t>(end - moduleFileName);
  if (directory + 1 + std::strlen(FILE_NAME) > static_cast<std::size_t>(MAX_PATH_LENGTH))
    return std::string();
  std::string path(moduleFileName, directory);
  path += kSeparator;
  path += FILE_NAME;
  return path;
}

std::string Configuration::OwnFilePath() {
  char name[MAX_PATH_LENGTH + 1];
  if (!vrels::ModuleFileName(name, sizeof name)) return std::string();
  return FilePathBeside(name);
}
