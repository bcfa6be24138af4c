// The file chooser the editor draws itself, for desktops without zenity or
// kdialog: a dialog window of its own on its own X connection, kept above
// the owner's top-level window (WM_TRANSIENT_FOR), drawn into a memory
// bitmap with the raster operations and FreeType text in the editor's
// palette, and put on the window with XPutImage.
//
// It shows the current folder's path, a list of its sub-folders (first,
// with a folder mark) and files, sorted without regard to case, hidden
// ones left out, with ".." to go up; a name field; and the buttons
// "Save"/"Open" and "Cancel". A click selects, a double-click or Return
// opens a folder or confirms a file; the wheel and Up/Down/PageUp/PageDown/
// Home/End move through the list; typing and Backspace edit the name;
// Escape and the window manager's close cancel. Saving over an existing
// file asks "Replace <name>?" (Yes/No) inside the window first; opening
// needs an existing regular file.
//
// Repaints only after an event changed something. Errors on its connection
// are recorded (X11Errors.h), never fatal.
//
// Threads: one at a time (the editor's driving thread); Xlib types stay out
// of this header.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FileChooser.h"
#include "FreeTypeText.h"
#include "LICE_MemBitmap.h"

struct _XDisplay;
struct _XImage;
union _XEvent;

class X11FileChooser : public FileChooser {
 public:
  // The layout in window pixels (right and bottom exclusive); the tests aim
  // their input with it.
  struct Rect {
    int l, t, r, b;
    bool Contains(int x, int y) const { return x >= l && x < r && y >= t && y < b; }
  };
  static constexpr int kWidth = 520, kHeight = 380;
  static constexpr Rect kPathWell = {12, 12, 508, 38};
  static constexpr int kRowHeight = 22, kVisibleRows = 10;
  static constexpr Rect kList = {12, 48, 508, 48 + 2 + kVisibleRows* kRowHeight + 2};
  static constexpr Rect kNameField = {64, 284, 508, 310};
  static constexpr Rect kCancelButton = {316, 338, 404, 366};
  static constexpr Rect kOkButton = {412, 338, 508, 366};
  static constexpr Rect kQuestion = {100, 112, 420, 264};
  static constexpr Rect kNoButton = {236, 220, 320, 248};
  static constexpr Rect kYesButton = {328, 220, 412, 248};
  // The top of the list's row `row` (0 = the first visible one).
  static constexpr int RowTop(int row) { return kList.t + 2 + row * kRowHeight; }

  // Shows the chooser in `folder` (as FileChooser::Start takes it) above the
  // owner's top-level window (none when owner is 0). Null when there is no
  // display or the window cannot be made.
  static std::unique_ptr<X11FileChooser> Open(Action action, const std::string& folder, unsigned long owner);
  // Closes the window and the connection (at once when unfinished).
  ~X11FileChooser() override;

  bool Poll() override;
  const std::string& Path() const override { return mPath; }

  // The window's id, 0 once finished.
  unsigned long WindowId() const { return mWindow; }

 private:
  struct Entry {
    std::string name;
    bool folder;
  };

  X11FileChooser(Action action, const std::string& folder) : mAction(action), mFolder(folder) {}
  bool MakeWindow(unsigned long owner);
  void CloseWindow();
  void Finish(const std::string& path);

  void Handle(const _XEvent& event);
  void Click(int x, int y, unsigned long time);
  void Key(unsigned long keysym, unsigned state);
  void Scroll(int rows);
  void Select(int index);
  // Return, the OK button or a double-click on the list.
  void Confirm();
  void Enter(const std::string& folder, const std::string& cameFrom);
  void List();

  void Paint();
  void Show();
  void DrawText(const std::string& text, int size, int style, unsigned colour, int align, const Rect& box,
                bool elideStart = false);
  void DrawButton(const Rect& r, const char* label, bool primary, bool enabled);

  Action mAction;
  std::string mFolder;
  std::vector<Entry> mEntries;
  bool mUnreadable = false;
  int mSelected = -1;
  int mTop = 0;
  std::string mName;
  // Whether Return acts on the selected row (the list was used last) or on
  // the name field (typed in last).
  bool mListActive = false;
  std::string mMessage;
  std::string mReplacing;  // the path a "Replace" question is about
  int mLastClickRow = -1;
  unsigned long mLastClickTime = 0;

  bool mFinished = false;
  std::string mPath;

  _XDisplay* mDisplay = nullptr;
  unsigned long mWindow = 0;
  unsigned long mDeleteWindow = 0;  // the WM_DELETE_WINDOW atom
  void* mGC = nullptr;              // GC
  _XImage* mImage = nullptr;
  bool mDirty = true;  // the bitmap needs painting
  LICE_MemBitmap mBitmap{kWidth, kHeight};
  FreeTypeText mText;
};
