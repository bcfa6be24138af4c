// The per-installation settings read from "Vrels.ini" beside the plug-in's
// own module file: where the preset dialogs start ("PresetFolder") and the
// two MIDI map settings ("MidiMap", "LowestOctave"), which are kept but not
// used.
//
// Owned by the plug-in; filled once while it is constructed and read-only
// afterwards. Every failure (no module name, no file, unreadable lines)
// keeps the defaults silently.
#pragma once

#include <cstdio>
#include <string>

class ConfigurationFileReader;

// One named setting: its text, and the leading decimal integer of the text.
struct Configurable {
  std::string mName;
  std::string mValue;
  int mIntValue = 0;

  // The text and, from it, the integer value (0 when it starts with none).
  void SetFromText(const char* text);
};

class Configuration {
 public:
  static const int NUM_CONFIGURABLES = 3;
  enum Key { kPresetFolder = 0, kMidiMap, kLowestOctave };
  static const char* const FILE_NAME;  // "Vrels.ini"
  // The longest module path the file name is built from.
  static const int MAX_PATH_LENGTH = 1024;

  // The three settings with their defaults: "", "MidiMap.txt" and "0" (the
  // integer values 0).
  Configuration();

  // Reads a configuration file; known keys take their values (a repeated key
  // overrides the earlier one), anything else is ignored.
  void Read(const char* path);
  // The same from an open file (or none), which is closed afterwards.
  void Read(std::FILE* file);
  // The setting of exactly that name (case-sensitive), or null.
  Configurable* FindConfigurable(const char* key);
  const Configurable& Get(Key key) const { return mConfigurables[key]; }

  // The configuration file beside a module: the module's directory, the
  // platform's separator and FILE_NAME. Empty when the directory cannot be
  // found or the path would be longer than MAX_PATH_LENGTH.
  static std::string FilePathBeside(const char* moduleFileName);
  // FilePathBeside for this plug-in's own module.
  static std::string OwnFilePath();

 private:
  void ReadLines(ConfigurationFileReader& reader);

  Configurable mConfigurables[NUM_CONFIGURABLES];
};
