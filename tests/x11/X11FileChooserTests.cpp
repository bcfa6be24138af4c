// The file chooser the editor draws, in a real X server (a private Xvfb),
// driven with input the server makes (XTest) in a temporary folder tree:
//   top/  Beta/ (inner.txt)  zeta/  many/ (f00..f29)  alpha.txt  Gamma.txt  .hidden
// whose list reads "..", Beta, many, zeta, alpha.txt, Gamma.txt.
// Screenshots are written to VRELS_SCREENSHOT_DIR for review.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "LICE_MemBitmap.h"
#include "LICE_PNGWrite.h"
#include "linux/X11FileChooser.h"

// Xlib last: its macros (None, Bool) would rename the test framework's own.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using Chooser = X11FileChooser;
enum Row { kUp, kBeta, kMany, kZeta, kAlpha, kGamma };

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

class X11FileChooserTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vrels-drawn-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    mTop = pattern;
    for (const char* folder : {"/Beta", "/zeta", "/many"}) mkdir((mTop + folder).c_str(), 0700);
    for (const char* file : {"/Beta/inner.txt", "/alpha.txt", "/Gamma.txt", "/.hidden"}) {
      std::ofstream(mTop + file) << "x";
    }
    for (int i = 0; i < 30; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "/many/f%02d", i);
      std::ofstream(mTop + name) << "x";
    }
    setenv("VRELS_FILE_CHOOSER", "drawn", 1);
    mDisplay = XOpenDisplay(nullptr);
    ASSERT_NE(mDisplay, nullptr);
  }
  void TearDown() override {
    if (mDisplay) XCloseDisplay(mDisplay);
    std::system(("rm -rf '" + mTop + "'").c_str());
  }

  // The drawn chooser, shown (its first events read and its first picture
  // put on the window).
  std::unique_ptr<Chooser> Open(FileChooser::Action action, const std::string& folder,
                                unsigned long owner = 0) {
    std::unique_ptr<FileChooser> started = FileChooser::Start(action, folder, owner);
    Chooser* drawn = dynamic_cast<Chooser*>(started.get());
    EXPECT_NE(drawn, nullptr);
    if (!drawn) return nullptr;
    started.release();
    std::unique_ptr<Chooser> chooser(drawn);
    EXPECT_FALSE(Drive(chooser.get()));
    return chooser;
  }
  // The server has done what was sent; the chooser reads it.
  bool Drive(Chooser* chooser) {
    XSync(mDisplay, False);
    return chooser->Poll();
  }
  bool Click(Chooser* chooser, int x, int y, int clicks = 1, unsigned button = Button1) {
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(mDisplay, chooser->WindowId(), DefaultRootWindow(mDisplay), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(mDisplay, -1, rootX, rootY, CurrentTime);
    for (int i = 0; i < clicks; ++i) {
      XTestFakeButtonEvent(mDisplay, button, True, CurrentTime);
      XTestFakeButtonEvent(mDisplay, button, False, CurrentTime);
    }
    return Drive(chooser);
  }
  bool ClickRow(Chooser* chooser, int row, int clicks = 1) {
    return Click(chooser, Chooser::kList.l + 120, Chooser::RowTop(row) + Chooser::kRowHeight / 2, clicks);
  }
  bool ClickOn(Chooser* chooser, const Chooser::Rect& r) {
    return Click(chooser, (r.l + r.r) / 2, (r.t + r.b) / 2);
  }
  bool Keys(Chooser* chooser, std::initializer_list<KeySym> keys) {
    for (KeySym key : keys) {
      const KeyCode code = XKeysymToKeycode(mDisplay, key);
      XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
      XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
    }
    return Drive(chooser);
  }
  bool RootHasChild(unsigned long window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    bool found = false;
    if (XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count; ++i) found = found || children[i] == window;
      XFree(children);
    }
    return found;
  }
  void Screenshot(Chooser* chooser, const std::string& name) {
    XImage* image =
        XGetImage(mDisplay, chooser->WindowId(), 0, 0, Chooser::kWidth, Chooser::kHeight, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    LICE_MemBitmap bitmap(Chooser::kWidth, Chooser::kHeight);
    for (int y = 0; y < Chooser::kHeight; ++y) {
      for (int x = 0; x < Chooser::kWidth; ++x) {
        bitmap.GetBits()[y * bitmap.GetRowSpan() + x] =
            0xFF000000u | static_cast<LICE_pixel>(XGetPixel(image, x, y) & 0xFFFFFFu);
      }
    }
    XDestroyImage(image);
    std::string error;
    EXPECT_TRUE(LICE_WritePNG((std::string(VRELS_SCREENSHOT_DIR) + "/" + name).c_str(), &bitmap, &error))
        << error;
  }

  std::string mTop;
  Display* mDisplay = nullptr;
};

TEST_F(X11FileChooserTest, OpensAFileAfterVisitingASubFolderAndComingBack) {
  // The host's top-level window with the editor's window inside.
  const Window host = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 100, 100, 729, 650, 0, 0, 0);
  const Window editor = XCreateSimpleWindow(mDisplay, host, 0, 0, 729, 650, 0, 0, 0);
  XMapWindow(mDisplay, host);
  XMapWindow(mDisplay, editor);
  XSync(mDisplay, False);
  auto chooser = Open(FileChooser::kOpen, mTop + "/", editor);
  ASSERT_NE(chooser, nullptr);

  // A dialog above the host's top-level window, named for what it does.
  Window transientFor = 0;
  EXPECT_TRUE(XGetTransientForHint(mDisplay, chooser->WindowId(), &transientFor));
  EXPECT_EQ(host, transientFor);
  char* title = nullptr;
  ASSERT_TRUE(XFetchName(mDisplay, chooser->WindowId(), &title));
  EXPECT_STREQ("Open file", title);
  XFree(title);
  Atom type = 0, *types = nullptr;
  int format = 0;
  unsigned long count = 0, after = 0;
  XGetWindowProperty(mDisplay, chooser->WindowId(), XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE", False), 0, 1,
                     False, XA_ATOM, &type, &format, &count, &after,
                     reinterpret_cast<unsigned char**>(&types));
  ASSERT_EQ(1u, count);
  EXPECT_EQ(XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE_DIALOG", False), types[0]);
  XFree(types);

  // Into Beta and up again: had Beta not opened, ".." would lead out of
  // the tree. A single click only selects; a folder is no file to open.
  EXPECT_FALSE(ClickRow(chooser.get(), kBeta, 2));
  EXPECT_FALSE(ClickRow(chooser.get(), kUp, 2));
  EXPECT_FALSE(ClickRow(chooser.get(), kZeta));
  EXPECT_FALSE(ClickRow(chooser.get(), kGamma));
  Screenshot(chooser.get(), "file-chooser-open.png");
  EXPECT_FALSE(ClickRow(chooser.get(), kGamma + 1, 2));  // no row there
  const unsigned long window = chooser->WindowId();
  EXPECT_TRUE(ClickRow(chooser.get(), kGamma, 2));
  EXPECT_EQ(mTop + "/Gamma.txt", chooser->Path());
  // Finished, the window is gone at once.
  EXPECT_FALSE(RootHasChild(window));
  XDestroyWindow(mDisplay, host);
}

TEST_F(X11FileChooserTest, ScrollsWithTheWheelAndTheKeys) {
  // ".." and f00..f29: the wheel moves three rows a notch.
  auto chooser = Open(FileChooser::kOpen, mTop + "/many");
  ASSERT_NE(chooser, nullptr);
  EXPECT_FALSE(Click(chooser.get(), 200, Chooser::RowTop(3), 2, Button5));
  EXPECT_TRUE(ClickRow(chooser.get(), 0, 2));
  EXPECT_EQ(mTop + "/many/f05", chooser->Path());

  chooser = Open(FileChooser::kOpen, mTop + "/many");
  ASSERT_NE(chooser, nullptr);
  EXPECT_FALSE(Keys(chooser.get(), {XK_End, XK_Page_Up, XK_Up, XK_Page_Down, XK_Page_Down, XK_Up}));
  EXPECT_TRUE(Keys(chooser.get(), {XK_Return}));
  EXPECT_EQ(mTop + "/many/f28", chooser->Path());
}

TEST_F(X11FileChooserTest, SavesATypedNameWithReturn) {
  auto chooser = Open(FileChooser::kSave, mTop);
  ASSERT_NE(chooser, nullptr);
  // Return on a selected folder opens it; the typed name stays.
  EXPECT_FALSE(Keys(chooser.get(), {XK_t, XK_a, XK_k, XK_x, XK_BackSpace, XK_e, XK_1}));
  EXPECT_FALSE(ClickRow(chooser.get(), kBeta));
  EXPECT_FALSE(Keys(chooser.get(), {XK_Return}));
  EXPECT_TRUE(Keys(chooser.get(), {XK_Return}));
  EXPECT_EQ(mTop + "/Beta/take1", chooser->Path());
}

TEST_F(X11FileChooserTest, SavingOverAFileAsksFirst) {
  auto chooser = Open(FileChooser::kSave, mTop);
  ASSERT_NE(chooser, nullptr);
  EXPECT_FALSE(ClickRow(chooser.get(), kAlpha));
  EXPECT_FALSE(ClickOn(chooser.get(), Chooser::kOkButton));
  Screenshot(chooser.get(), "file-chooser-replace.png");
  EXPECT_FALSE(ClickOn(chooser.get(), Chooser::kNoButton));
  // The question is gone: where Yes was is an empty part of the list.
  EXPECT_FALSE(ClickOn(chooser.get(), Chooser::kYesButton));
  EXPECT_FALSE(Keys(chooser.get(), {XK_Return}));
  EXPECT_TRUE(ClickOn(chooser.get(), Chooser::kYesButton));
  EXPECT_EQ(mTop + "/alpha.txt", chooser->Path());
}

TEST_F(X11FileChooserTest, EscapeAndTheWindowManagersCloseCancel) {
  auto chooser = Open(FileChooser::kOpen, mTop);
  ASSERT_NE(chooser, nullptr);
  EXPECT_FALSE(ClickRow(chooser.get(), kAlpha));
  EXPECT_TRUE(Keys(chooser.get(), {XK_Escape}));
  EXPECT_EQ("", chooser->Path());

  chooser = Open(FileChooser::kSave, mTop);
  ASSERT_NE(chooser, nullptr);
  EXPECT_FALSE(ClickRow(chooser.get(), kAlpha));
  XEvent close = {};
  close.xclient.type = ClientMessage;
  close.xclient.window = chooser->WindowId();
  close.xclient.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(mDisplay, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(mDisplay, chooser->WindowId(), False, NoEventMask, &close);
  EXPECT_TRUE(Drive(chooser.get()));
  EXPECT_EQ("", chooser->Path());
}

TEST_F(X11FileChooserTest, DestroyingAnUnfinishedChooserLeavesNoWindowAndNoDescriptor) {
  const int descriptors = OpenDescriptors();
  auto chooser = Open(FileChooser::kOpen, mTop);
  ASSERT_NE(chooser, nullptr);
  const unsigned long window = chooser->WindowId();
  EXPECT_TRUE(RootHasChild(window));
  EXPECT_GT(OpenDescriptors(), descriptors);
  chooser.reset();
  XSync(mDisplay, False);
  EXPECT_FALSE(RootHasChild(window));
  EXPECT_EQ(descriptors, OpenDescriptors());
}

}  // namespace
