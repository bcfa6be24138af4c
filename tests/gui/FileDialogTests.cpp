// The preset buttons' file dialog: a real open-file dialog, owned by the
// host's window. Cancelled, it changes nothing. Answered with a factory
// preset, the preset loads and its name shows; and where the configured
// preset folder is missing, the dialog opens in the host's folder.
#include <windows.h>
// After windows.h, which these need.
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "PluginModule.h"
#include "ReferenceImage.h"
#include "WindowInput.h"

namespace guitest {
namespace {

const int kPathBuffer = 1024;
// A state chunk: an 8-byte header, then one little-endian double per
// host-visible parameter.
const size_t kChunkHeaderSize = 8;
const int kHostParams = 175;
// Keys a preset file holds for parameters the host does not see: the swarm
// view's bounds.
const size_t kHiddenKeys = 4;

// The dialog as it was found while it was open, and the answer to give.
struct DialogVisit {
  std::string answer;  // a file to choose; empty to cancel
  bool seen = false;
  HWND owner = nullptr;
  std::string folder;  // where the dialog started
};
DialogVisit gDialogVisit;

// A thread timer's procedure, run by the dialog's own message loop: notes
// the dialog, then chooses the answer's file (typed into the file-name
// field, then OK) or cancels, as a user does.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", nullptr);
  if (!dialog || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  gDialogVisit.seen = true;
  gDialogVisit.owner = GetWindow(dialog, GW_OWNER);
  char folder[kPathBuffer] = {};
  if (SendMessageA(dialog, CDM_GETFOLDERPATH, kPathBuffer, reinterpret_cast<LPARAM>(folder)) > 0) {
    gDialogVisit.folder = folder;
  }
  if (gDialogVisit.answer.empty()) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  // The file-name field: a combo box in the explorer-style dialog, an edit
  // field in older ones.
  const BOOL typed = SetDlgItemTextA(dialog, cmb13, gDialogVisit.answer.c_str()) ||
                     SetDlgItemTextA(dialog, edt1, gDialogVisit.answer.c_str());
  PostMessageA(dialog, WM_COMMAND, typed ? IDOK : IDCANCEL, 0);
}

// Presses the button of a file selector; the dialog it opens is answered
// with `answer` (empty: cancelled) and has closed when this returns.
void UseFileButton(HWND editor, int selector, const std::string& answer) {
  const Point at = Centre(kControls[selector]);
  gDialogVisit = DialogVisit();
  gDialogVisit.answer = answer;
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, AnswerDialog);
  // The dialog runs inside the button press.
  SendMouse(editor, WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  KillTimer(nullptr, timer);
  SendMouse(editor, WM_LBUTTONUP, at.x, at.y, 0);
}

// A folder in the form the dialog reports it: lower case, no trailing
// separator.
std::string FolderKey(std::string folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  std::transform(folder.begin(), folder.end(), folder.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folder;
}

std::string FolderOf(const std::string& file) {
  return file.substr(0, file.find_last_of('\\'));
}

std::string HostFolder() {
  char path[kPathBuffer] = {};
  GetModuleFileNameA(nullptr, path, kPathBuffer);
  return FolderOf(path);
}

// The key and value of every line of a preset file after its version line.
std::map<std::string, double> ReadPresetValues(const std::string& path) {
  std::map<std::string, double> values;
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return values;
  char key[64];
  double value;
  if (std::fscanf(file, "V%*d.%*d ") == 0) {
    while (std::fscanf(file, "%63s %lf ", key, &value) == 2) values[key] = value;
  }
  std::fclose(file);
  return values;
}

std::vector<double> ChunkValues(const std::vector<uint8_t>& chunk) {
  std::vector<double> values;
  if (chunk.size() < kChunkHeaderSize) return values;
  values.resize((chunk.size() - kChunkHeaderSize) / sizeof(double));
  std::memcpy(values.data(), &chunk[kChunkHeaderSize], values.size() * sizeof(double));
  return values;
}

using FileDialog = EditorFixture;

TEST_F(FileDialog, CancelledLoadChangesNothing) {
  const std::vector<uint8_t> before = PluginHost().GetChunk(false);
  UseFileButton(Editor(), kCtlIdxLoadSelector, "");
  ASSERT_EQ(1, Tick());

  ASSERT_TRUE(gDialogVisit.seen);
  // A dialog's owner is the top-level window of the window it was given.
  EXPECT_EQ(mpWindow->Handle(), gDialogVisit.owner);
  EXPECT_EQ(before, PluginHost().GetChunk(false));
}

// A copy of the plug-in in a folder of its own, loaded beside the one
// under test, with a configuration file that names a preset folder which
// does not exist. The copy and its folder go with the object.
class ConfiguredCopy {
 public:
  ConfiguredCopy() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    mFolder = std::string(temp) + "VrelsGuiTests" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(mFolder.c_str(), nullptr);
    char plugin[kPathBuffer] = {};
    GetModuleFileNameA(PluginInstance(), plugin, kPathBuffer);
    mPlugin = mFolder + "\\" + std::string(plugin).substr(std::string(plugin).find_last_of('\\') + 1);
    mConfiguration = mFolder + "\\Vrels.ini";
    if (!CopyFileA(plugin, mPlugin.c_str(), FALSE)) return;
    std::FILE* file = std::fopen(mConfiguration.c_str(), "w");
    if (!file) return;
    std::fprintf(file, "; the preset folder was moved away\nPresetFolder \"%s\\missing presets\"\n",
                 mFolder.c_str());
    std::fclose(file);
    mModule = testhost::PluginModule::Load(mPlugin);
  }
  ~ConfiguredCopy() {
    mModule.reset();
    DeleteFileA(mPlugin.c_str());
    DeleteFileA(mConfiguration.c_str());
    RemoveDirectoryA(mFolder.c_str());
  }
  ConfiguredCopy(const ConfiguredCopy&) = delete;
  ConfiguredCopy& operator=(const ConfiguredCopy&) = delete;

  VstPluginMainProc Entry() const { return mModule ? mModule->Entry() : nullptr; }

 private:
  std::string mFolder, mPlugin, mConfiguration;
  std::unique_ptr<testhost::PluginModule> mModule;
};

class PresetDialog : public EditorFixture {
 protected:
  std::unique_ptr<testhost::Host> MakeInstance() override {
    mpCopy = std::make_unique<ConfiguredCopy>();
    if (!mpCopy->Entry()) return nullptr;
    return OpenInstance(mpCopy->Entry());
  }
  void TearDown() override {
    EditorFixture::TearDown();
    // Every instance of the copy is closed now.
    mpCopy.reset();
  }

  std::unique_ptr<ConfiguredCopy> mpCopy;
};

TEST_F(PresetDialog, LoadStartsInTheHostsFolderForAMissingPresetFolderAndShowsTheChosenPreset) {
  const char* const name = "Swept Taps";
  const std::string preset = PresetPath(std::string(name) + ".txt");
  const std::map<std::string, double> file = ReadPresetValues(preset);
  ASSERT_FALSE(file.empty()) << preset;
  const ControlDesc& nameText = kControls[kCtlIdxPresetName];
  const LayoutRect& r = nameText.mRect;
  const Image under = BackgroundUnder(r);
  const TextStyleDesc& style = kTextStyles[nameText.mStyle];
  // The reference text drawing agrees with the editor's on the text before:
  // effOpen dispatched every parameter, so the unnamed settings show as
  // modified, the mark alone.
  EXPECT_EQ(0, LargestDifference(TextOver(under, style, "*"), Crop(Screenshot(), r.mL, r.mT, r.W(), r.H())));

  UseFileButton(Editor(), kCtlIdxLoadSelector, preset);
  ASSERT_TRUE(gDialogVisit.seen);
  EXPECT_EQ(FolderKey(HostFolder()), FolderKey(gDialogVisit.folder));
  ASSERT_EQ(1, Tick());

  // Every value the file names, in plain units.
  const std::vector<double> values = ChunkValues(PluginHost().GetChunk(false));
  ASSERT_EQ(static_cast<size_t>(kHostParams), values.size());
  int compared = 0;
  for (int i = 0; i < kHostParams; ++i) {
    const auto found = file.find(PluginHost().GetParamName(i));
    if (found == file.end()) continue;
    EXPECT_NEAR(found->second, values[i], 1e-9) << found->first;
    ++compared;
  }
  // All but the swarm view's four bounds, which the host does not see.
  EXPECT_EQ(file.size() - kHiddenKeys, static_cast<size_t>(compared));

  const Image shown = Crop(Screenshot("preset-loaded.png"), r.mL, r.mT, r.W(), r.H());
  EXPECT_EQ(0, LargestDifference(TextOver(under, style, name), shown));
}

}  // namespace
}  // namespace guitest
