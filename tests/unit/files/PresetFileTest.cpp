// Preset text files: what a save writes, what a load does with complete,
// short, odd and broken files, the preset name and its mark, the Save and
// Load triggers, and numbers under a host's comma locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <direct.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "IFileSelectorControl.h"
#include "VrelsPlugin.h"
#include "dsp/MwcRandom.h"
#include "files/PresetText.h"
#include "params/ParameterTable.h"

namespace {

bool MakeDirectory(const std::string& path) {
#if defined(_WIN32)
  return _mkdir(path.c_str()) == 0;
#else
  return mkdir(path.c_str(), 0700) == 0;
#endif
}

void RemoveDirectory(const std::string& path) {
#if defined(_WIN32)
  _rmdir(path.c_str());
#else
  rmdir(path.c_str());
#endif
}

struct Presets : ::testing::Test {
  Presets() {
    for (int i = 0; i < plug.NParams(); ++i) plug.OnParamChanged(i);
  }
  ~Presets() override {
    for (const std::string& path : mFiles) std::remove(path.c_str());
  }
  // A file name for this test, removed afterwards.
  std::string File(const std::string& name) {
    mFiles.push_back(name);
    return name;
  }
  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  static std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  void Change(int index, double value) {
    plug.GetParam(index)->Set(value);
    plug.OnParamChanged(index);
  }
  double Value(int index) const { return const_cast<VrelsPlugin&>(plug).GetParam(index)->Value(); }

  VrelsPlugin plug{nullptr};
  std::vector<std::string> mFiles;
};

TEST_F(Presets, SaveWritesEveryNamedParameterInIndexOrder) {
  Change(kVrCount, 17);
  const std::string path = File("saved preset.txt");
  ASSERT_TRUE(plug.WritePreset(path.c_str()));
  const std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(125u, lines.size());
  EXPECT_EQ("V1.0", lines[0]);
  EXPECT_EQ("VrCount 17.000000000000", lines[1]);
  size_t line = 1;
  for (int i = 0; i < plug.NParams(); ++i) {
    const char* name = plug.GetParam(i)->Name();
    if (!name[0]) continue;
    ASSERT_LT(line, lines.size());
    EXPECT_EQ(0u, lines[line].find(std::string(name) + " ")) << lines[line];
    ++line;
  }
  EXPECT_STREQ("saved preset", plug.PresetName());
  EXPECT_FALSE(plug.PresetModified());
  EXPECT_EQ(std::string::npos, Lines(path).back().find(','));
}

TEST_F(Presets, VersionLineAloneSetsEveryParameterToItsMinimum) {
  Change(kDTime, 300);
  Change(kGrainOn, 1);
  const std::string path = Write("Slow Swirl.old.txt", "V1.0\n");
  ASSERT_TRUE(plug.ReadPreset(path.c_str()));
  EXPECT_EQ(10.0, Value(kDTime));
  EXPECT_EQ(0.1, Value(kGLen));
  EXPECT_EQ(0.0, Value(kGrainOn));
  EXPECT_EQ(0.0, Value(kDelayOn));
  EXPECT_STREQ("Slow Swirl.old", plug.PresetName());
  EXPECT_FALSE(plug.PresetModified());

  const std::string hidden = Write(".hidden", "V2.7\n");  // any version numbers
  ASSERT_TRUE(plug.ReadPreset(hidden.c_str()));
  EXPECT_STREQ(".hidden", plug.PresetName());
}

TEST_F(Presets, ValuesAreLimitedAndKeysMatchExactly) {
  const std::string tooLong(200, 'K');
  const std::string path = Write("limits.txt",
                                 "V1.0\n"
                                 "VrCount 500\n"
                                 "vrcount 7\n"
                                 "DTime -4\n" +
                                     tooLong +
                                     " 3\n"
                                     "  GLen\t\t+42.5  \n"
                                     "UpdTime 1e-1");
  ASSERT_TRUE(plug.ReadPreset(path.c_str()));
  EXPECT_EQ(200.0, Value(kVrCount));
  EXPECT_EQ(10.0, Value(kDTime));
  EXPECT_EQ(42.5, Value(kGLen));
  EXPECT_EQ(0.1, Value(kUpdTime));
  EXPECT_STREQ("limits", plug.PresetName());
  EXPECT_FALSE(plug.PresetModified());
}

TEST_F(Presets, BrokenFilesKeepTheMark) {
  Change(kVrCount, 33);
  // A wrong first line: nothing is read, everything is dispatched again.
  const std::string wrong = Write("wrong.txt", "Vx\nVrCount 5\n");
  ASSERT_TRUE(plug.ReadPreset(wrong.c_str()));
  EXPECT_EQ(33.0, Value(kVrCount));
  EXPECT_TRUE(plug.PresetModified());
  // A value that is not a number ends the reading: what came before stays,
  // the rest is at its minimum, and the preset keeps its mark.
  const std::string broken = Write("broken.txt", "V1.0\nVrCount 5\nVrSpeed fast\nVrComf 60\n");
  ASSERT_TRUE(plug.ReadPreset(broken.c_str()));
  EXPECT_EQ(5.0, Value(kVrCount));
  EXPECT_EQ(1.0, Value(kVrComf));
  EXPECT_TRUE(plug.PresetModified());
  EXPECT_EQ(std::string::npos, std::string(plug.PresetName()).find("broken"));
  // A missing file changes nothing at all.
  EXPECT_FALSE(plug.ReadPreset("no-such-file.txt"));
  EXPECT_EQ(5.0, Value(kVrCount));
}

// Hand-edited and foreign files: a byte-order mark before the version line
// (Windows editors write one), numbers beyond the range of doubles, and
// valid numbers written with more digits than a buffer holds. Each is read,
// and so is every line after it, to the end of the file.
TEST_F(Presets, HandEditedFilesAreReadToTheEnd) {
  const std::string zeros(900, '0');
  const std::string path = Write("hand edited.txt",
                                 "\xEF\xBB\xBFV1.0\n"
                                 "VrCount 1e400\n"                // beyond the largest double: the maximum
                                 "DelayOut 6\nDelayOut -1e400\n"  // below the lowest: the minimum
                                 "DryOut 1e-400\n"                // closer to 0 than any double: 0
                                 "DTime 300\nDTime 1e-400\n"      // 0 limited to 10..500
                                 "GLen 33." +
                                     std::string(100, '3') +
                                     "\n"
                                     // 1 + 2^-53, halfway between 1 and the next double, and
                                     // a 1 after 900 more digits: above the half, so the next.
                                     "UpdTime 1.00000000000000011102230246251565404236316680908203125" +
                                     zeros +
                                     "1\n"
                                     "VrSpeed " +
                                     zeros + "7.5" + zeros +
                                     "\n"
                                     "GrainOut 3\n");
  ASSERT_TRUE(plug.ReadPreset(path.c_str()));
  EXPECT_EQ(200.0, Value(kVrCount));
  EXPECT_EQ(-120.0, Value(kDelayOut));
  EXPECT_EQ(0.0, Value(kDryOut));
  EXPECT_EQ(10.0, Value(kDTime));
  EXPECT_EQ(100.0 / 3.0, Value(kGLen));
  EXPECT_EQ(std::nextafter(1.0, 2.0), Value(kUpdTime));
  EXPECT_EQ(7.5, Value(kVrSpeed));
  EXPECT_EQ(3.0, Value(kGrainOut));
  EXPECT_STREQ("hand edited", plug.PresetName());
  EXPECT_FALSE(plug.PresetModified());
}

// Only a regular file loads. A directory (which Linux opens and reads as an
// empty file) or a device changes nothing and reports failure, as a
// missing file does.
TEST_F(Presets, OnlyRegularFilesLoad) {
  const std::string saved = File("regular.txt");
  ASSERT_TRUE(plug.WritePreset(saved.c_str()));
  Change(kVrCount, 34);
  const std::string directory = "a preset folder.txt";
  ASSERT_TRUE(MakeDirectory(directory));
  EXPECT_FALSE(plug.ReadPreset(directory.c_str()));
  RemoveDirectory(directory);
#if defined(_WIN32)
  EXPECT_FALSE(plug.ReadPreset("NUL"));
#else
  EXPECT_FALSE(plug.ReadPreset("/dev/null"));
#endif
  EXPECT_EQ(34.0, Value(kVrCount));
  EXPECT_STREQ("regular*", plug.PresetName());
}

// A load starts from a matrix with no slot in use. Without that, a slot
// that was active before the load stays attached to a target whose use
// count the load cleared: the count ends at 0 with the slot active (the
// matrix then divides by it and locks the target at its maximum) or below 0.
TEST_F(Presets, ALoadOverAnActiveMatrixSlotCountsItsUseOnce) {
  Change(kLfo1Rate, 5);
  Change(kMxTgt1, 3);  // the third modulated parameter
  Change(kMxMod1, 1);  // LFO 1
  Change(kMxDph1, 0.5);
  ASSERT_TRUE(plug.GetMatrix().Slot(0).mActive);
  const int target = plug.GetMatrix().Slot(0).mTarget;
  const std::string active = File("matrix on.txt");
  ASSERT_TRUE(plug.WritePreset(active.c_str()));

  // The same slot loaded over itself: one use, and the target moves inside
  // its range with the LFO.
  ASSERT_TRUE(plug.ReadPreset(active.c_str()));
  ASSERT_TRUE(plug.GetMatrix().Slot(0).mActive);
  EXPECT_EQ(1, plug.GetModParam(target).mMatrixUsers);
  for (int tick = 0; tick < 100; ++tick) {
    plug.ModulationTick();
    ASSERT_LT(plug.GetModParam(target).mBase, plug.GetModParam(target).mMax) << tick;
  }
  // A file without the matrix, loaded over the active slot: no use left.
  const std::string inactive = Write("matrix off.txt", "V1.0\n");
  ASSERT_TRUE(plug.ReadPreset(inactive.c_str()));
  EXPECT_FALSE(plug.GetMatrix().Slot(0).mActive);
  EXPECT_EQ(0, plug.GetModParam(target).mMatrixUsers);
}

TEST_F(Presets, TriggersSaveAndLoadAndASecondLoadClearsTheMark) {
  const std::string path = File("triggered.txt");
  plug.GetEditorControls().mpSaveSelector->SetLastSelectedFile(path.c_str());
  Change(kGLen, 55.5);
  Change(kSavePreset, 1);
  EXPECT_EQ(0.0, Value(kSavePreset));  // the trigger springs back
  EXPECT_STREQ("triggered", plug.PresetName());

  Change(kGLen, 12);
  EXPECT_STREQ("triggered*", plug.PresetName());
  Change(kLoadPreset, 1);
  EXPECT_EQ(0.0, Value(kLoadPreset));
  EXPECT_EQ(55.5, Value(kGLen));
  EXPECT_STREQ("triggered", plug.PresetName());
  Change(kGLen, 13);
  Change(kLoadPreset, 1);
  EXPECT_STREQ("triggered", plug.PresetName());
  EXPECT_STREQ("", plug.CurrentMessage());
}

TEST_F(Presets, FailedWritesLeaveFileAndNameAlone) {
  const std::string path = File("kept.txt");
  ASSERT_TRUE(plug.WritePreset(path.c_str()));
  const std::vector<std::string> before = Lines(path);
  Change(kVrCount, 99);
  // The temporary file cannot be made: a directory of its name is in the way.
  const std::string blocker = path + ".tmp";
  ASSERT_TRUE(MakeDirectory(blocker));
  EXPECT_FALSE(plug.WritePreset(path.c_str()));
  RemoveDirectory(blocker);
  EXPECT_EQ(before, Lines(path));
  EXPECT_STREQ("kept*", plug.PresetName());
  // A target that cannot be replaced (a directory) stays, with no leftover.
  const std::string directory = "a folder.txt";
  ASSERT_TRUE(MakeDirectory(directory));
  EXPECT_FALSE(plug.WritePreset(directory.c_str()));
  EXPECT_EQ(nullptr, std::fopen((directory + ".tmp").c_str(), "rb"));
  RemoveDirectory(directory);
  EXPECT_STREQ("kept*", plug.PresetName());
}

// Random states whose reals have at most six decimals, so that the
// twelve-decimal text holds them exactly.
void Randomize(VrelsPlugin& plug, MwcRandom& random) {
  for (int i = 0; i < plug.NParams(); ++i) {
    IParameter* param = plug.GetParam(i);
    if (!param->Name()[0]) continue;
    double value;
    if (param->Type() == ParamDouble) {
      // An integer number of millionths divided once: the nearest double to
      // a six-decimal number.
      value = std::round((param->Min() + random.Next() * (param->Max() - param->Min())) * 1e6) / 1e6;
      if (value < param->Min()) value = param->Min();
    } else {
      value = param->Min() + std::floor(random.Next() * (param->Max() - param->Min() + 0.999));
    }
    param->Set(value > param->Max() ? param->Max() : value);
  }
}

void ExpectRoundTrip(VrelsPlugin& plug, const std::string& path, int seed) {
  MwcRandom random;
  for (int i = 0; i < seed; ++i) random.Next();
  Randomize(plug, random);
  ASSERT_TRUE(plug.WritePreset(path.c_str()));
  VrelsPlugin other(nullptr);
  ASSERT_TRUE(other.ReadPreset(path.c_str()));
  for (int i = 0; i < plug.NParams(); ++i) {
    if (!plug.GetParam(i)->Name()[0]) continue;
    ASSERT_EQ(plug.GetParam(i)->Value(), other.GetParam(i)->Value()) << plug.GetParam(i)->Name();
  }
}

TEST_F(Presets, RandomStatesComeBackExactlyWhateverTheLocale) {
  const std::string path = File("round trip.txt");
  for (int seed = 0; seed < 20; ++seed) ExpectRoundTrip(plug, path, seed);

  // A host that runs with a comma as decimal separator.
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "deu"}) {
    if ((comma = std::setlocale(LC_ALL, name))) break;
  }
  for (int seed = 20; seed < 30; ++seed) ExpectRoundTrip(plug, path, seed);
  for (const std::string& line : Lines(path)) EXPECT_EQ(std::string::npos, line.find(',')) << line;
  std::setlocale(LC_ALL, previous.c_str());
#if !defined(_WIN32)
  EXPECT_NE(nullptr, comma) << "no comma locale installed";
#endif
}

// A time parameter synced before the load keeps tempo-derived limits unless
// the load gives back its own: then GLen's modulation would span
// 31.25 .. 2000 ms instead of its knob's 0.1 .. 100, and the same preset
// would sound different depending on what it was loaded over.
TEST_F(Presets, ALoadSoundsTheSameWhateverSyncStateItFinds) {
  Change(kGLenS, 0);
  Change(kGLen, 100);
  Change(kGLenM, 6);
  Change(kGLenD, 0.3);
  const std::string path = File("free grains.txt");
  ASSERT_TRUE(plug.WritePreset(path.c_str()));

  std::vector<ModParam> loaded;
  for (double syncedBefore : {0.0, 1.0}) {
    VrelsPlugin other(nullptr);
    for (int i = 0; i < other.NParams(); ++i) other.OnParamChanged(i);
    other.GetParam(kGLenS)->Set(syncedBefore);
    other.OnParamChanged(kGLenS);
    ASSERT_TRUE(other.ReadPreset(path.c_str()));
    loaded.push_back(other.GetModParam(kSlotGLen));
  }
  for (const ModParam& glen : loaded) {
    EXPECT_FALSE(glen.mSynced);
    EXPECT_EQ(plug.GetParam(kGLen)->Min(), glen.mMin);
    EXPECT_EQ(plug.GetParam(kGLen)->Max(), glen.mMax);
    EXPECT_EQ(100.0, glen.mBase);
  }
  EXPECT_EQ(loaded[0].mLow, loaded[1].mLow);
  EXPECT_EQ(loaded[0].mWidth, loaded[1].mWidth);
  EXPECT_EQ(loaded[0].mHalfWidth, loaded[1].mHalfWidth);
}

TEST(PresetText, NamesFromPaths) {
  char name[16];
  const char* const cases[][2] = {{"/presets/Slow Swirl.old.txt", "Slow Swirl.old"},
                                  {"C:\\Presets\\Dense.txt", "Dense"},
                                  {"D:plain", "plain"},
                                  {".hidden", ".hidden"},
                                  {"dir/.hidden.txt", ".hidden"},
                                  {"", ""},
                                  {"a/very long preset name.txt", "very long prese"}};
  for (const auto& c : cases) {
    PresetNameFromPath(c[0], name, sizeof name);
    EXPECT_STREQ(c[1], name) << c[0];
  }
}

}  // namespace
