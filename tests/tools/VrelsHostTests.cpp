// vrels-host run as a user runs it: its commands, options and errors, the
// files it writes, and the state and transport it hands to plug-ins (Vrels
// and a third-party delay).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ToolRun.h"

namespace {

using tooltest::ReadFile;
using tooltest::RunTool;
using tooltest::ToolRun;

const std::string kVrels = VRELS_PLUGIN;
const std::string kPeerDelay = std::string(VRELS_PEER_DIR) + "/ZamDelay-vst.so";
const std::string kDir = VRELS_TOOL_TEST_DIR;

std::string Preset(const std::string& name) {
  return std::string(VRELS_PRESET_DIR) + "/" + name + ".txt";
}
std::string Work(const std::string& name) {
  return kDir + "/" + name;
}

// The demo phrase as raw float, written once for the whole suite.
class VrelsHost : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(0, RunTool({"phrase", Work("phrase.f32"), "--seconds", "2"}).status);
    ASSERT_EQ(0, RunTool({"phrase", Work("long.f32"), "--seconds", "6"}).status);
  }
  static std::string Phrase() { return Work("phrase.f32"); }

  // Renders the phrase through Vrels into `out` with further options.
  static ToolRun Render(const std::string& out, std::vector<std::string> options = {}) {
    std::vector<std::string> words = {"render", kVrels, Phrase(), Work(out), "--quiet"};
    words.insert(words.end(), options.begin(), options.end());
    return RunTool(words);
  }
  static bool Identical(const std::string& a, const std::string& b) {
    const std::string first = ReadFile(Work(a));
    return !first.empty() && first == ReadFile(Work(b));
  }
};

TEST_F(VrelsHost, InfoListsIdentityProgramsAndEveryParameter) {
  const ToolRun vrels = RunTool({"info", kVrels});
  ASSERT_EQ(0, vrels.status) << vrels.err;
  EXPECT_NE(std::string::npos, vrels.out.find("name:       Vrels"));
  EXPECT_NE(std::string::npos, vrels.out.find("175 parameters, 6 programs, 2 inputs, 2 outputs"));
  EXPECT_NE(std::string::npos, vrels.out.find("(editor, replacing, chunks, double, mono)"));
  // One line per parameter after the heading, in index order.
  std::istringstream listing(vrels.out.substr(vrels.out.find("\nparameters (") + 1));
  std::string line;
  std::getline(listing, line);
  int lines = 0;
  while (std::getline(listing, line)) {
    std::istringstream fields(line);
    int index = -1;
    std::string name;
    fields >> index >> name;
    EXPECT_EQ(lines, index) << line;
    EXPECT_FALSE(name.empty()) << line;
    ++lines;
  }
  EXPECT_EQ(175, lines);
  EXPECT_NE(std::string::npos, vrels.out.find("  47  GLen"));
  EXPECT_NE(std::string::npos, vrels.out.find("    5  - 6 -")) << "the sixth program by name";

  const ToolRun peer = RunTool({"info", kPeerDelay});
  ASSERT_EQ(0, peer.status) << peer.err;
  EXPECT_NE(std::string::npos, peer.out.find("vendor:     Damien Zammit"));
}

TEST_F(VrelsHost, MistakesGiveAClearMessageAndAFailingStatus) {
  const struct {
    std::vector<std::string> words;
    int status;
    const char* message;
  } kCases[] = {
      {{}, 2, "usage"},
      {{"play", kVrels}, 2, "unknown command 'play'"},
      {{"info"}, 2, "missing PLUGIN"},
      {{"info", Work("nothing.so")}, 1, "cannot load"},
      {{"info", Preset("Dense Swarm")}, 1, "cannot load"},
      {{"info", "/lib/x86_64-linux-gnu/libz.so.1"}, 1, "exports neither VSTPluginMain nor main"},
      {{"render", kVrels, Phrase()}, 2, "missing OUT"},
      {{"render", kVrels, Work("missing.wav"), Work("x.wav")}, 1, "cannot read"},
      {{"render", kVrels, Phrase(), Work("x.mp9")}, 2, "cannot tell the format"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--set", "Nope=0.5"}, 1, "no parameter named 'Nope'"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--set", "175=0.5"}, 1, "there is no parameter 175"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--set", "GLen"}, 2, "--set takes KEY=VALUE"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--set", "GLen=1.5"}, 2, "between 0 and 1"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--value", "GLen=5000"}, 1, "GLen cannot be set to 5000"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--value", "Lfo1Shap=Wobble"},
       1,
       "never displays 'Wobble'"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--block", "12x"}, 2, "--block takes a number"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--block", "0"},
       2,
       "--block must lie between 1 and 65536"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--loud"}, 2, "render has no option '--loud'"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--preset", Work("none.txt")},
       1,
       "cannot read the preset file"},
      {{"render", kPeerDelay, Phrase(), Work("x.f32"), "--preset", Preset("Dense Swarm")}, 1, "is not Vrels"},
      {{"render", kPeerDelay, Phrase(), Work("x.f32"), "--chunk-out", Work("x.chunk")},
       1,
       "does not give state chunks"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--chunk-in", Work("none.chunk")}, 1, "cannot open"},
      {{"render", kVrels, Phrase(), Work("no/such/folder/x.f32")}, 1, "cannot create"},
      {{"render", kVrels, Phrase(), Work("x.f32"), "--editor-png", Work("no/such/folder/x.png")},
       1,
       "could not write a picture of its editor"},
      {{"render", kPeerDelay, Phrase(), Work("x.f32"), "--editor-png", Work("x.png")}, 1, "is not Vrels"},
      {{"bench"}, 2, "bench needs at least one PLUGIN"},
      {{"bench", "--loud", kVrels}, 2, "bench has no option '--loud' before the first plug-in"},
      {{"compare", Phrase()}, 2, "missing the second audio file"},
  };
  for (const auto& c : kCases) {
    std::string shown;
    for (const std::string& word : c.words) shown += " " + word;
    const ToolRun run = RunTool(c.words);
    EXPECT_EQ(c.status, run.status) << shown << "\n" << run.err;
    EXPECT_NE(std::string::npos, run.err.find(c.message)) << shown << "\nprinted: " << run.err;
  }
}

TEST_F(VrelsHost, ParametersByNameIndexOrDisplayedValue) {
  ASSERT_EQ(0, Render("byname.f32", {"--set", "GLen=0.25", "--set", "VrCount=0.1"}).status);
  ASSERT_EQ(0, Render("byindex.f32", {"--set", "47=0.25", "--set", "0=0.1"}).status);
  ASSERT_EQ(0, Render("bycase.f32", {"--set", "glen=0.25", "--set", "VRCOUNT=0.1"}).status);
  ASSERT_EQ(0, Render("plain.f32").status);
  EXPECT_TRUE(Identical("byname.f32", "byindex.f32"));
  EXPECT_TRUE(Identical("byname.f32", "bycase.f32"));
  EXPECT_FALSE(Identical("byname.f32", "plain.f32")) << "the settings reach the plug-in";

  // Displayed values: a number between steps, a stepped count, a choice.
  const ToolRun displayed =
      Render("displayed.f32", {"--value", "GLen=33.3", "--value", "VrCount=24", "--value", "Lfo1Shap=sine"});
  ASSERT_EQ(0, displayed.status) << displayed.err;
  EXPECT_NE(std::string::npos, displayed.out.find("set GLen (47) to 0.332")) << displayed.out;
  EXPECT_NE(std::string::npos, displayed.out.find(": 33.3\n")) << displayed.out;
  EXPECT_NE(std::string::npos, displayed.out.find("set VrCount (0) to 0.120000: 24\n")) << displayed.out;
  EXPECT_NE(std::string::npos, displayed.out.find(": Sine\n")) << displayed.out;
}

TEST_F(VrelsHost, PresetsAndStateChunksCarryTheState) {
  ASSERT_EQ(
      0, Render("preset.f32", {"--preset", Preset("Chaser Scatter"), "--chunk-out", Work("a.chunk")}).status);
  ASSERT_EQ(0, Render("chunk.f32", {"--chunk-in", Work("a.chunk"), "--chunk-out", Work("b.chunk")}).status);
  EXPECT_EQ(8 + 175 * 8, static_cast<int>(ReadFile(Work("a.chunk")).size()));
  EXPECT_TRUE(Identical("a.chunk", "b.chunk")) << "a chunk restored and saved again is unchanged";
  ASSERT_EQ(0, Render("plain.f32").status);
  EXPECT_FALSE(Identical("preset.f32", "plain.f32"));
  // Settings after the preset change it further.
  ASSERT_EQ(0, Render("preset2.f32", {"--preset", Preset("Chaser Scatter"), "--set", "DryOut=0"}).status);
  EXPECT_FALSE(Identical("preset.f32", "preset2.f32"));
  // The same command twice gives the same audio.
  ASSERT_EQ(
      0,
      Render("preset3.f32", {"--preset", Preset("Chaser Scatter"), "--chunk-out", Work("c.chunk")}).status);
  EXPECT_TRUE(Identical("preset.f32", "preset3.f32"));
}

TEST_F(VrelsHost, FormatsLengthsAndChannels) {
  const ToolRun raw = Render("tail.f32", {"--tail", "0.5"});
  ASSERT_EQ(0, raw.status) << raw.err;
  EXPECT_NE(std::string::npos, raw.out.find("tail.f32: 2.50 s, 2 channels at 44100 Hz, peak")) << raw.out;
  EXPECT_EQ(static_cast<size_t>(2.5 * 44100) * 2 * 4, ReadFile(Work("tail.f32")).size());
  for (const char* file : {"tail.wav", "tail.aiff", "tail.flac"}) {
    ASSERT_EQ(0, Render(file, {"--tail", "0.5"}).status) << file;
    const ToolRun same = RunTool({"compare", Work("tail.f32"), Work(file), "--tolerance", "1e-6"});
    EXPECT_EQ(0, same.status) << file << ": " << same.out;
  }
  // A WAV file goes in as well as raw float, at its own rate.
  ASSERT_EQ(0, RunTool({"render", kVrels, Work("tail.wav"), Work("again.wav"), "--quiet"}).status);
  EXPECT_EQ(2, RunTool({"render", kVrels, Work("tail.wav"), Work("x.wav"), "--rate", "48000"}).status);

  // Mono into the stereo plug-in feeds both inputs; stereo into the mono
  // delay uses the first channel and says so.
  ASSERT_EQ(0, RunTool({"render", kVrels, Phrase(), Work("mono.f32"), "--channels", "1", "--quiet"}).status);
  const ToolRun toMono = RunTool({"render", kPeerDelay, Phrase(), Work("delay.wav"), "--quiet"});
  ASSERT_EQ(0, toMono.status) << toMono.err;
  EXPECT_NE(std::string::npos, toMono.out.find("2.00 s, 1 channel at 44100 Hz")) << toMono.out;
  EXPECT_NE(std::string::npos, toMono.err.find("has 1 inputs; channels beyond them are not used"));
}

TEST_F(VrelsHost, TransportReachesThePlugin) {
  const std::string stutter = Preset("Synced Stutter");
  ASSERT_EQ(0, Render("t60.f32", {"--preset", stutter, "--tempo", "60"}).status);
  ASSERT_EQ(0, Render("t180.f32", {"--preset", stutter, "--tempo", "180"}).status);
  ASSERT_EQ(0, Render("t60b.f32", {"--preset", stutter, "--tempo", "60", "--block", "97"}).status);
  EXPECT_FALSE(Identical("t60.f32", "t180.f32")) << "synced times follow the tempo";
  EXPECT_EQ(1, RunTool({"compare", Work("t60.f32"), Work("t180.f32")}).status);
  ASSERT_EQ(0, Render("t60c.f32", {"--preset", stutter, "--tempo", "60", "--block", "97"}).status);
  EXPECT_TRUE(Identical("t60b.f32", "t60c.f32")) << "the same command gives the same audio";
  ASSERT_EQ(0, Render("stopped.f32", {"--preset", stutter, "--stopped", "--time-signature", "3/4"}).status);
  ASSERT_EQ(0, Render("untimed.f32", {"--preset", stutter, "--no-transport"}).status);
}

TEST_F(VrelsHost, ProgressIsShownOnLongRendersOnly) {
  const ToolRun longRender =
      RunTool({"render", kVrels, Work("long.f32"), Work("long-out.f32"), "--tail", "1"});
  ASSERT_EQ(0, longRender.status);
  EXPECT_NE(std::string::npos, longRender.err.find("rendering 100%  (7.0 of 7.0 s)")) << longRender.err;
  const ToolRun quiet = RunTool({"render", kVrels, Work("long.f32"), Work("long-out.f32"), "--quiet"});
  EXPECT_EQ("", quiet.err);
  const ToolRun shortRender = RunTool({"render", kVrels, Phrase(), Work("short.f32")});
  EXPECT_EQ("", shortRender.err);
}

TEST_F(VrelsHost, BenchMeasuresSettingsAndPeersInOneRun) {
  const ToolRun bench =
      RunTool({"bench", "--seconds", "1", "--block", "256", kVrels, "--label", "Vrels plain", kVrels,
               "--label", "Vrels busy", "--set", "VrCount=0.5", kPeerDelay});
  ASSERT_EQ(0, bench.status) << bench.err;
  EXPECT_NE(std::string::npos, bench.out.find("1 s of the demo phrase at 44100 Hz in blocks of 256 frames"));
  for (const char* row : {"\nVrels plain ", "\nVrels busy ", "\nZamDelay "}) {
    EXPECT_NE(std::string::npos, bench.out.find(row)) << row << " in\n" << bench.out;
  }
  EXPECT_NE(std::string::npos, bench.out.find("Vrels plain / ZamDelay: "));
  EXPECT_NE(std::string::npos, bench.out.find("Vrels busy / ZamDelay: "));
  EXPECT_EQ(std::string::npos, bench.out.find("Vrels plain / Vrels busy"))
      << "one binary is not its own peer";
}

TEST_F(VrelsHost, CompareReportsTheLargestDifference) {
  ASSERT_EQ(0, RunTool({"phrase", Work("three.f32"), "--seconds", "3"}).status);
  const ToolRun shapes = RunTool({"compare", Phrase(), Work("three.f32")});
  EXPECT_EQ(1, shapes.status);
  EXPECT_NE(std::string::npos, shapes.out.find("different shapes"));
  const ToolRun same = RunTool({"compare", Phrase(), Phrase()});
  EXPECT_EQ(0, same.status);
  EXPECT_NE(std::string::npos, same.out.find("largest difference 0 "));
  ASSERT_EQ(0, Render("a.f32").status);
  const ToolRun apart = RunTool({"compare", Phrase(), Work("a.f32"), "--tolerance", "1e-3"});
  EXPECT_EQ(1, apart.status) << apart.out;
  EXPECT_EQ(0, RunTool({"compare", Phrase(), Work("a.f32"), "--tolerance", "2"}).status);
}

}  // namespace
