// The window layer's dialogs: the file and colour choosers and the opening
// of a web link. Each is modal, owned by the editor window, and reports a
// cancel or a failure by its result alone.
#include "IGraphicsWin32.h"
#include "WindowsApi.h"
// After windows.h, which these need.
#include <commdlg.h>
#include <shellapi.h>
#include <wininet.h>

namespace {

// The file dialog's buffer: 256 characters, one kept for the terminator.
const int FILE_NAME_LEN = 256;
// The colour dialog keeps 16 custom colours.
const int NUM_CUSTOM_COLOURS = 16;
// ShellExecute's results above 32 mean success.
const INT_PTR SHELL_EXECUTE_OK_ABOVE = 32;

HWND AsWindow(void* handle) {
  return static_cast<HWND>(handle);
}

// Sets the colour dialog's title to the caption handed in lCustData.
UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const CHOOSECOLORA* choose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    const char* caption = reinterpret_cast<const char*>(choose->lCustData);
    if (caption) SetWindowTextA(dialog, caption);
  }
  return 0;
}

// Whether a dialog can start in the folder: it exists, is a folder and can
// be listed. A preset folder named in the configuration file may be none of
// these (moved, unplugged, no permission).
bool IsListableFolder(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  std::string pattern = folder;
  if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

}  // namespace

void IGraphicsWin32::PromptForFile(std::string* path, int action, const char* directory,
                                   const char* /*extension*/) {
  if (!path) return;
  path->clear();
  if (!WindowIsOpen()) return;
  // The given folder, or the host's when there is none it can start in.
  std::string initial = directory ? directory : "";
  if (initial.empty() || !IsListableFolder(initial)) HostPath(&initial);
  char fileName[FILE_NAME_LEN] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = AsWindow(mPlugWnd);
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = FILE_NAME_LEN - 1;
  dialog.lpstrInitialDir = initial.c_str();
  BOOL chosen;
  if (action == 1) {
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    chosen = GetSaveFileNameA(&dialog);
  } else {
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameA(&dialog);
  }
  if (chosen) *path = fileName;
}

bool IGraphicsWin32::PromptForColour(IColour* colour, const char* caption) {
  if (!colour || !mPlugWnd) return false;
  if (!mCustomColours) mCustomColours = new unsigned long[NUM_CUSTOM_COLOURS]();
  static_assert(sizeof(COLORREF) == sizeof(unsigned long), "COLORREF is an unsigned long");
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = AsWindow(mPlugWnd);
  choose.rgbResult = RGB(colour->mR, colour->mG, colour->mB);
  choose.lpCustColors = reinterpret_cast<COLORREF*>(mCustomColours);
  choose.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR | CC_SOLIDCOLOR | CC_ENABLEHOOK;
  choose.lpfnHook = ColourDialogHook;
  choose.lCustData = reinterpret_cast<LPARAM>(caption);
  if (!ChooseColorA(&choose)) return false;
  colour->mR = GetRValue(choose.rgbResult);
  colour->mG = GetGValue(choose.rgbResult);
  colour->mB = GetBValue(choose.rgbResult);
  return true;
}

bool IGraphicsWin32::OpenURL(const char* url, const char* caption, const char* confirmation,
                             const char* error) {
  HWND owner = AsWindow(mPlugWnd);
  if (confirmation && MessageBoxA(owner, confirmation, caption, MB_YESNO) != IDYES) return false;
  DWORD connection = 0;
  if (url && InternetGetConnectedState(&connection, 0)) {
    const INT_PTR result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > SHELL_EXECUTE_OK_ABOVE) return true;
  }
  if (error) MessageBoxA(owner, error, caption, MB_OK);
  return false;
}
