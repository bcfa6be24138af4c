// The configuration file beside the module: its line format, its three
// settings, the path it is read from, and the read at construction.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "VrelsPlugin.h"
#include "files/Configuration.h"
#include "files/TextFileReader.h"

namespace {

// A file in the working directory, removed when the test ends.
struct TemporaryFile {
  explicit TemporaryFile(const std::string& path, const std::string& content) : mPath(path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
      std::fwrite(content.data(), 1, content.size(), file);
      std::fclose(file);
    }
  }
  ~TemporaryFile() { std::remove(mPath.c_str()); }
  std::string mPath;
};

Configuration ReadFrom(const std::string& content) {
  TemporaryFile file("configuration-test.ini", content);
  Configuration configuration;
  configuration.Read(file.mPath.c_str());
  return configuration;
}

TEST(Configuration, DefaultsStayWithoutAFile) {
  Configuration configuration;
  configuration.Read("no-such-directory/Vrels.ini");
  configuration.Read("");
  configuration.Read(static_cast<const char*>(nullptr));
  EXPECT_EQ("", configuration.Get(Configuration::kPresetFolder).mValue);
  EXPECT_EQ("MidiMap.txt", configuration.Get(Configuration::kMidiMap).mValue);
  EXPECT_EQ("0", configuration.Get(Configuration::kLowestOctave).mValue);
  EXPECT_EQ(0, configuration.Get(Configuration::kLowestOctave).mIntValue);
}

TEST(Configuration, LinesKeysValuesAndComments) {
  const Configuration configuration = ReadFrom(
      "; a comment line\r\n"
      "\n"
      "   PresetFolder \"C:\\My Presets\\Flocks\" trailing words\r\n"
      "LowestOctave 2 ; the second octave\n"
      "lowestoctave 5\n"  // keys differ in case: ignored
      "Unknown value\n"
      "MidiMap\n");  // a key without value
  EXPECT_EQ("C:\\My Presets\\Flocks", configuration.Get(Configuration::kPresetFolder).mValue);
  EXPECT_EQ("2", configuration.Get(Configuration::kLowestOctave).mValue);
  EXPECT_EQ(2, configuration.Get(Configuration::kLowestOctave).mIntValue);
  EXPECT_EQ("", configuration.Get(Configuration::kMidiMap).mValue);
  EXPECT_EQ(0, configuration.Get(Configuration::kMidiMap).mIntValue);
}

TEST(Configuration, LettersBeyondAsciiAndLongLinesStayInTheirLine) {
  // "José" in UTF-8 and "Renée" in Latin-1: the bytes above 127 belong to
  // the path, which must not be cut there.
  const Configuration utf8 = ReadFrom("PresetFolder '/home/Jos\xC3\xA9/Presets' \nLowestOctave -3\n");
  EXPECT_EQ("/home/Jos\xC3\xA9/Presets", utf8.Get(Configuration::kPresetFolder).mValue);
  EXPECT_EQ(-3, utf8.Get(Configuration::kLowestOctave).mIntValue);
  const Configuration latin1 = ReadFrom(
      "PresetFolder /home/Ren\xE9"
      "e/Presets\nLowestOctave 4x\n");
  EXPECT_EQ(
      "/home/Ren\xE9"
      "e/Presets",
      latin1.Get(Configuration::kPresetFolder).mValue);
  EXPECT_EQ(4, latin1.Get(Configuration::kLowestOctave).mIntValue);

  // A line beyond 128 characters is cut there; the next line is read whole.
  const std::string longValue(200, 'x');
  const Configuration cut = ReadFrom("MidiMap " + longValue + "\nLowestOctave 7\n");
  EXPECT_EQ(std::string(128 - 8, 'x'), cut.Get(Configuration::kMidiMap).mValue);
  EXPECT_EQ(7, cut.Get(Configuration::kLowestOctave).mIntValue);
  // A repeated key overrides; a huge number is held inside int.
  const Configuration repeated = ReadFrom("LowestOctave 1\nLowestOctave 99999999999999\n");
  EXPECT_EQ(2147483647, repeated.Get(Configuration::kLowestOctave).mIntValue);
}

// Files as other programs leave them: a UTF-8 byte-order mark before the
// first key (Windows editors write one) is not part of the key, while the
// same bytes further on are; a directory named Vrels.ini beside the module
// is no file, and the defaults stay.
TEST(Configuration, AByteOrderMarkIsSkippedAndADirectoryIsNoFile) {
  const Configuration marked = ReadFrom(
      "\xEF\xBB\xBFLowestOctave 2\r\n"
      "MidiMap map.txt\r\n"
      "\xEF\xBB\xBFPresetFolder presets\r\n");
  EXPECT_EQ("2", marked.Get(Configuration::kLowestOctave).mValue);
  EXPECT_EQ(2, marked.Get(Configuration::kLowestOctave).mIntValue);
  EXPECT_EQ("map.txt", marked.Get(Configuration::kMidiMap).mValue);
  EXPECT_EQ("", marked.Get(Configuration::kPresetFolder).mValue);

  // In this test program the module is the program itself.
  const std::string path = Configuration::OwnFilePath();
  ASSERT_FALSE(path.empty());
  std::error_code error;
  ASSERT_TRUE(std::filesystem::create_directory(path, error)) << error.message();
  struct RemovedAfterwards {
    ~RemovedAfterwards() { std::filesystem::remove(mPath, mError); }
    std::string mPath;
    std::error_code mError;
  } directory{path, {}};
  VrelsPlugin plug(nullptr);
  EXPECT_EQ("", plug.GetConfiguration().Get(Configuration::kPresetFolder).mValue);
  EXPECT_EQ("MidiMap.txt", plug.GetConfiguration().Get(Configuration::kMidiMap).mValue);
  EXPECT_EQ("0", plug.GetConfiguration().Get(Configuration::kLowestOctave).mValue);
}

TEST(Configuration, TokensAreBounded) {
  char buffer[6];
  const char* rest = ParseToken("  \"a quoted token\" next", buffer, 5);
  EXPECT_STREQ("a quo", buffer);
  EXPECT_STREQ(" next", rest);
  rest = ParseToken("'unterminated", buffer, 5);
  EXPECT_STREQ("unter", buffer);
  EXPECT_STREQ("", rest);
  rest = ParseToken("\tplain\tnext", buffer, 5);
  EXPECT_STREQ("plain", buffer);
  EXPECT_STREQ("\tnext", rest);
}

TEST(Configuration, FileLiesBesideTheModule) {
#if defined(_WIN32)
  EXPECT_EQ("C:\\Plugins\\Vrels.ini", Configuration::FilePathBeside("C:\\Plugins\\Vrels64.dll"));
#else
  EXPECT_EQ("/usr/lib/vst/Vrels.ini", Configuration::FilePathBeside("/usr/lib/vst/Vrels.so"));
#endif
  EXPECT_EQ("", Configuration::FilePathBeside("Vrels.so"));
  EXPECT_EQ("", Configuration::FilePathBeside(nullptr));
  std::string deep = std::string(1015, 'd');
#if defined(_WIN32)
  deep = "C:\\" + deep + "\\V.dll";
#else
  deep = "/" + deep + "/V.so";
#endif
  EXPECT_EQ("", Configuration::FilePathBeside(deep.c_str()));  // 1016 + 10 > 1024
}

TEST(Configuration, PluginReadsTheFileBesideItsModuleWhenItIsMade) {
  // In this test program the module is the program itself.
  const std::string path = Configuration::OwnFilePath();
  ASSERT_FALSE(path.empty());
  TemporaryFile file(path, "PresetFolder \"my presets\"\nLowestOctave 3\n");
  VrelsPlugin plug(nullptr);
  EXPECT_EQ("my presets", plug.GetConfiguration().Get(Configuration::kPresetFolder).mValue);
  EXPECT_EQ(3, plug.GetConfiguration().Get(Configuration::kLowestOctave).mIntValue);
}

}  // namespace
