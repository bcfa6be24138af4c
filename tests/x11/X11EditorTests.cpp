// The Linux editor window in a real X server (a private Xvfb), as a Linux
// host meets it: Vrels.so loaded by the test host, a top-level window of
// ours handed to effEditOpen, input made by the server itself (XTest), and
// what the window shows read back from the server. The host's idle calls
// (effEditIdle) drive the editor, or none do and the editor's own thread
// takes over.
//
//   x11_tests --plugin=PATH --screenshots=DIR
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Host.h"
#include "LICE_MemBitmap.h"
#include "LICE_PNG.h"
#include "LICE_PNGWrite.h"
#include "PluginModule.h"
#include "VendorRequests.h"
#include "editor/EditorLayout.h"

// Xlib last: its macros (None, Bool) would rename the test framework's own.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

std::unique_ptr<testhost::PluginModule> gPlugin;
std::string gScreenshots;
Display* gDisplay = nullptr;  // the host's connection
int gHostErrors = 0;          // errors on the host's connection

int CountHostError(Display*, XErrorEvent*) {
  ++gHostErrors;
  return 0;
}

// A tick is due 1000 / 24 ms after the last one.
const auto kTickPeriod = std::chrono::milliseconds(1000 / 24 + 2);
// A knob's drag: 12 pixels up on a 24-pixel knob with gearing 8 add 1/16.
const int kDragUp = 12;
const double kDragStep = 12.0 / 24.0 / 8.0;
const double kWheelStep = 0.01;
const double kFineWheelStep = 0.001;
const double kFloatTolerance = 1e-6;
// The screen and the window-less rendering agree to this per channel.
const int kPictureTolerance = 3;
const int kOpenCloseCycles = 100;

struct Point {
  int x, y;
};

const ControlDesc& KnobFor(int paramIdx) {
  for (const ControlDesc& control : kControls) {
    if (control.mParamIdx == paramIdx && control.mKind == kCtlKnob) return control;
  }
  ADD_FAILURE() << "no knob for parameter " << paramIdx;
  return kControls[0];
}

Point Centre(const ControlDesc& c) {
  return {(c.mRect.mL + c.mRect.mR) / 2, (c.mRect.mT + c.mRect.mB) / 2};
}

std::unique_ptr<testhost::Host> OpenInstance() {
  auto host = std::make_unique<testhost::Host>();
  if (!host->Instantiate(gPlugin->Entry())) return nullptr;
  host->Open();
  host->SetSampleRate(44100.0f);
  host->SetBlockSize(256);
  host->SetMainsChanged(true);
  return host;
}

// 0x00RRGGBB pixels, row by row.
struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Image Crop(const Image& image, const LayoutRect& r) {
  Image part{r.W(), r.H(), {}};
  for (int y = r.mT; y < r.mB; ++y)
    for (int x = r.mL; x < r.mR; ++x) part.pixels.push_back(image.At(x, y));
  return part;
}

// The largest difference of one channel; 256 for images of different sizes.
int LargestDifference(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height) return 256;
  int largest = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int d =
          static_cast<int>((a.pixels[i] >> shift) & 0xFF) - static_cast<int>((b.pixels[i] >> shift) & 0xFF);
      largest = std::max(largest, std::abs(d));
    }
  }
  return largest;
}

void WritePng(const Image& image, const std::string& name) {
  LICE_MemBitmap bitmap(image.width, image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      bitmap.GetBits()[y * bitmap.GetRowSpan() + x] = image.At(x, y) | 0xFF000000u;
  std::string error;
  EXPECT_TRUE(LICE_WritePNG((gScreenshots + "/" + name).c_str(), &bitmap, &error)) << error;
}

// A host's top-level window at (x, y) of the root, the editor's size, and
// the editor opened in it through the binary interface.
class HostEditor {
 public:
  HostEditor(testhost::Host& host, int x, int y) : mHost(host), mX(x), mY(y) {
    mParent = XCreateSimpleWindow(gDisplay, DefaultRootWindow(gDisplay), x, y, EDITOR_WIDTH, EDITOR_HEIGHT, 0,
                                  0, 0);
    XMapWindow(gDisplay, mParent);
    XSync(gDisplay, False);
  }
  ~HostEditor() {
    if (mOpen) Close();
    if (mParent) XDestroyWindow(gDisplay, mParent);
    XSync(gDisplay, False);
  }
  bool Open() {
    ERect* rect = nullptr;
    if (mHost.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect) return false;
    if (rect->right - rect->left != EDITOR_WIDTH || rect->bottom - rect->top != EDITOR_HEIGHT) return false;
    void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(mParent));
    mOpen = mHost.Dispatch(effEditOpen, 0, 0, parent) == 1;
    return mOpen && Editor() != 0;
  }
  intptr_t Close() {
    mOpen = false;
    return mHost.Dispatch(effEditClose);
  }
  void DestroyParent() {
    XDestroyWindow(gDisplay, mParent);
    XSync(gDisplay, False);
    mParent = 0;
  }
  // The editor's window: the parent's only child.
  Window Editor() const {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window editor = 0;
    if (XQueryTree(gDisplay, mParent, &root, &parent, &children, &count) && count == 1) editor = children[0];
    if (children) XFree(children);
    return editor;
  }
  // An idle call once a tick is due.
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      std::this_thread::sleep_for(kTickPeriod);
      mHost.Dispatch(effEditIdle);
    }
  }
  Image Screenshot(const std::string& name = "") const {
    Image image{EDITOR_WIDTH, EDITOR_HEIGHT, {}};
    XImage* shot = XGetImage(gDisplay, Editor(), 0, 0, EDITOR_WIDTH, EDITOR_HEIGHT, AllPlanes, ZPixmap);
    if (!shot) return Image();
    for (int y = 0; y < EDITOR_HEIGHT; ++y)
      for (int x = 0; x < EDITOR_WIDTH; ++x) image.pixels.push_back(XGetPixel(shot, x, y) & 0xFFFFFFu);
    XDestroyImage(shot);
    if (!name.empty()) WritePng(image, name);
    return image;
  }
  // The pointer at an editor point (which may lie outside the editor).
  void MoveTo(int x, int y) {
    XTestFakeMotionEvent(gDisplay, -1, mX + x, mY + y, CurrentTime);
    XSync(gDisplay, False);
  }
  void Button(unsigned button, bool down) {
    XTestFakeButtonEvent(gDisplay, button, down ? True : False, CurrentTime);
    XSync(gDisplay, False);
  }
  void Click(unsigned button = Button1) {
    Button(button, true);
    Button(button, false);
  }
  // Keys typed through the server: characters, or one key symbol.
  void Type(const std::string& text) {
    for (char c : text) Key(c == '.' ? XK_period : static_cast<KeySym>(c));
  }
  void Key(KeySym symbol) {
    const KeyCode code = XKeysymToKeycode(gDisplay, symbol);
    XTestFakeKeyEvent(gDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(gDisplay, code, False, CurrentTime);
    XSync(gDisplay, False);
  }
  // The windows inside the editor's (the text field).
  unsigned EditorChildren() const {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(gDisplay, Editor(), &root, &parent, &children, &count);
    if (children) XFree(children);
    return count;
  }

 private:
  testhost::Host& mHost;
  int mX, mY;
  Window mParent = 0;
  bool mOpen = false;
};

// Waits (at most 20 s) until the condition holds; whether it does.
bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 2000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

// Shared memory segments this process made that still exist.
int OwnSharedSegments() {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // the heading
  int count = 0;
  while (std::getline(table, line)) {
    long key, id, perms, size, creator;
    if (std::sscanf(line.c_str(), "%ld %ld %lo %ld %ld", &key, &id, &perms, &size, &creator) == 5 &&
        creator == getpid())
      ++count;
  }
  return count;
}

int OpenDescriptors() {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (dir && readdir(dir)) ++count;
  if (dir) closedir(dir);
  return count;
}

// A drag of the knob for parameter `param` by kDragUp, then far above the
// editor, released over another knob; the edit calls the host saw.
std::vector<testhost::EditCall> DragKnob(testhost::Host& host, HostEditor& editor, int param,
                                         const std::function<void()>& afterEachEvent) {
  const Point at = Centre(KnobFor(param));
  const Point elsewhere = Centre(KnobFor(kGIot));
  host.Log().Clear();
  editor.MoveTo(at.x, at.y);
  editor.Button(Button1, true);
  afterEachEvent();
  editor.MoveTo(at.x, at.y - kDragUp);
  afterEachEvent();
  // The top of the screen: far above the editor.
  editor.MoveTo(at.x, -at.y - 200);
  afterEachEvent();
  editor.MoveTo(elsewhere.x, elsewhere.y);
  editor.Button(Button1, false);
  afterEachEvent();
  return host.Log().EditCalls();
}

void ExpectOneGesture(const std::vector<testhost::EditCall>& calls, int param, double start) {
  ASSERT_EQ(5u, calls.size());
  EXPECT_EQ(testhost::EditCall::kBeginEdit, calls[0].kind);
  EXPECT_EQ(testhost::EditCall::kAutomate, calls[1].kind);
  EXPECT_NEAR(start + kDragStep, calls[1].value, kFloatTolerance);
  EXPECT_EQ(testhost::EditCall::kAutomate, calls[2].kind);
  EXPECT_EQ(1.0f, calls[2].value);
  // Moving back down over another knob while held still moves this one.
  EXPECT_EQ(testhost::EditCall::kAutomate, calls[3].kind);
  EXPECT_LT(calls[3].value, 1.0f);
  EXPECT_EQ(testhost::EditCall::kEndEdit, calls[4].kind);
  for (const testhost::EditCall& call : calls) EXPECT_EQ(param, call.index);
}

class X11Editor : public testing::Test {
 protected:
  void SetUp() override {
    mpHost = OpenInstance();
    ASSERT_TRUE(mpHost);
    mpEditor = std::make_unique<HostEditor>(*mpHost, 40, 300);
    ASSERT_TRUE(mpEditor->Open());
    // The first tick paints everything, the second finds nothing to do.
    mpEditor->Tick(2);
  }
  void TearDown() override {
    if (mpEditor) {
      EXPECT_EQ(1, mpEditor->Close());
    }
    mpEditor.reset();
    mpHost.reset();
    EXPECT_EQ(0, gHostErrors);
  }
  std::unique_ptr<testhost::Host> mpHost;
  std::unique_ptr<HostEditor> mpEditor;
};

TEST_F(X11Editor, KnobDragIsOneGestureOnTheIdlingHostsThreadAndKeepsGoingBeyondTheEditor) {
  const double start = mpHost->GetParameter(kGLen);
  const auto calls = DragKnob(*mpHost, *mpEditor, kGLen, [&] { mpEditor->Tick(); });
  ExpectOneGesture(calls, kGLen, start);
  for (const testhost::EditCall& call : calls) EXPECT_EQ(std::this_thread::get_id(), call.thread);
}

TEST_F(X11Editor, WheelNotchesShiftAndDoubleClickRestoringTheFirstValue) {
  const Point at = Centre(KnobFor(kGLen));
  const double first = mpHost->GetParameter(kGLen);
  mpEditor->MoveTo(at.x, at.y);
  mpEditor->Click(Button4);
  mpEditor->Tick();
  EXPECT_NEAR(first + kWheelStep, mpHost->GetParameter(kGLen), kFloatTolerance);
  mpEditor->Click(Button5);
  mpEditor->Click(Button5);
  mpEditor->Tick();
  EXPECT_NEAR(first - kWheelStep, mpHost->GetParameter(kGLen), kFloatTolerance);
  const KeyCode shift = XKeysymToKeycode(gDisplay, XK_Shift_L);
  XTestFakeKeyEvent(gDisplay, shift, True, CurrentTime);
  mpEditor->Click(Button4);
  XTestFakeKeyEvent(gDisplay, shift, False, CurrentTime);
  mpEditor->Tick();
  EXPECT_NEAR(first - kWheelStep + kFineWheelStep, mpHost->GetParameter(kGLen), kFloatTolerance);
  // The middle button does nothing.
  mpEditor->Click(Button2);
  mpEditor->Tick();
  EXPECT_NEAR(first - kWheelStep + kFineWheelStep, mpHost->GetParameter(kGLen), kFloatTolerance);

  // A value the host sets later is not the one a double-click restores.
  mpHost->SetParameter(kGLen, 0.9f);
  mpEditor->Click();
  mpEditor->Click();
  mpEditor->Tick();
  EXPECT_NEAR(first, mpHost->GetParameter(kGLen), kFloatTolerance);
}

// The mapped top-level window the window manager is told to leave alone:
// an open value menu, 0 when none is up.
Window OpenMenu() {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window menu = 0;
  XQueryTree(gDisplay, DefaultRootWindow(gDisplay), &root, &parent, &children, &count);
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (XGetWindowAttributes(gDisplay, children[i], &a) && a.override_redirect && a.map_state == IsViewable)
      menu = children[i];
  }
  if (children) XFree(children);
  return menu;
}

// Text typed into the field survives the repaints of a living editor and
// applies at the tick after Return; a right click in the editor cancels.
// A value menu lists the display texts; a click on one picks it, Escape
// or a click elsewhere picks none. Each right press is one gesture.
TEST_F(X11Editor, TypedValuesAndValueMenusReachTheParameter) {
  const Point knob = Centre(KnobFor(kGLen));
  mpEditor->MoveTo(knob.x, knob.y);
  mpEditor->Click(Button3);
  mpEditor->Tick();
  ASSERT_EQ(1u, mpEditor->EditorChildren());
  mpEditor->Type("6");
  // Another value moves: the editor repaints, and a tick later refreshes the field.
  mpHost->SetParameter(kGIot, 0.9f);
  mpEditor->Tick(2);
  mpEditor->Type("2.5");
  mpEditor->Screenshot("text-field.png");
  mpEditor->Key(XK_Return);
  mpEditor->Tick(2);
  EXPECT_EQ(0u, mpEditor->EditorChildren());
  EXPECT_EQ("62.5", mpHost->GetParamDisplay(kGLen).substr(0, 4));
  const float typed = mpHost->GetParameter(kGLen);

  // A few pixels away: a second right press this soon on the same spot
  // would be a double-click.
  mpEditor->MoveTo(knob.x + 3, knob.y);
  mpEditor->Click(Button3);
  mpEditor->Tick();
  ASSERT_EQ(1u, mpEditor->EditorChildren());
  mpEditor->Type("9");
  mpEditor->MoveTo(5, EDITOR_HEIGHT - 5);
  mpEditor->Click(Button3);
  mpEditor->Tick(2);
  EXPECT_EQ(0u, mpEditor->EditorChildren());
  EXPECT_EQ(typed, mpHost->GetParameter(kGLen));

  const LayoutRect& readout = [] {
    for (const ControlDesc& c : kControls)
      if (c.mParamIdx == kGEnvelop && c.mKind == kCtlReadout) return c.mRect;
    return kControls[0].mRect;
  }();
  mpHost->Log().Clear();
  mpEditor->MoveTo((readout.mL + readout.mR) / 2, (readout.mT + readout.mB) / 2);
  mpEditor->Click(Button3);
  mpEditor->Tick();
  Window menu = OpenMenu();
  ASSERT_NE(0u, menu);
  XWindowAttributes a;
  XGetWindowAttributes(gDisplay, menu, &a);
  // Nine rows of 20 pixels inside a 4-pixel margin; the fourth (value 3).
  EXPECT_EQ(4 + 9 * 20 + 4, a.height);
  XTestFakeMotionEvent(gDisplay, -1, a.x + 40, a.y + 4 + 3 * 20 + 10, CurrentTime);
  XSync(gDisplay, False);
  mpEditor->Tick();
  XImage* shot = XGetImage(gDisplay, menu, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  ASSERT_TRUE(shot);
  Image picture{a.width, a.height, {}};
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) picture.pixels.push_back(XGetPixel(shot, x, y) & 0xFFFFFFu);
  XDestroyImage(shot);
  WritePng(picture, "value-menu.png");
  mpEditor->Click();
  mpEditor->Tick();
  EXPECT_EQ(0u, OpenMenu());
  EXPECT_NEAR(3.0 / 8.0, mpHost->GetParameter(kGEnvelop), kFloatTolerance);
  const auto calls = mpHost->Log().EditCalls();
  ASSERT_EQ(3u, calls.size());
  EXPECT_EQ(testhost::EditCall::kBeginEdit, calls[0].kind);
  EXPECT_EQ(testhost::EditCall::kEndEdit, calls[1].kind);
  EXPECT_EQ(testhost::EditCall::kAutomate, calls[2].kind);

  for (const bool byKey : {true, false}) {
    mpEditor->MoveTo((readout.mL + readout.mR) / 2 + (byKey ? 3 : 6), (readout.mT + readout.mB) / 2);
    mpEditor->Click(Button3);
    mpEditor->Tick();
    ASSERT_NE(0u, OpenMenu());
    if (byKey) {
      mpEditor->Key(XK_Escape);
    } else {
      mpEditor->MoveTo(EDITOR_WIDTH - 5, EDITOR_HEIGHT - 5);
      mpEditor->Click();
    }
    mpEditor->Tick();
    EXPECT_EQ(0u, OpenMenu());
  }
  EXPECT_NEAR(3.0 / 8.0, mpHost->GetParameter(kGEnvelop), kFloatTolerance);
}

// One block of audio: a swarm update, which marks the swarm view for redraw.
void ProcessBlock(testhost::Host& host) {
  float input[2][256] = {}, output[2][256] = {};
  float* inputs[2] = {input[0], input[1]};
  float* outputs[2] = {output[0], output[1]};
  host.ProcessReplacing(inputs, outputs, 256);
}

// The swarm view under the pointer: the bounds box's right edge dragged
// far to the left stops 10 pixels right of its left edge (the frame's grey
// bars show where); the gather tool moves a standing leader only while
// held. The grain LED switches its section as its button does, and both
// show it.
TEST_F(X11Editor, SwarmViewToolsAndTheGrainLedAnswerThePointer) {
  const LayoutRect field = {221, 92, 521, 332};  // one pixel per field unit
  const LayoutRect& view = kControls[kCtlIdxSwarmCanvas].mRect;
  const uint32_t kFrameGrey = 0x7F7F7F;
  const int midY = (field.mT + field.mB) / 2;
  mpHost->SetParameter(kUpdTime, 1.0f);  // two swarm updates a block
  mpHost->SetParameter(kVrCount, 0.0f);
  const auto update = [&](int blocks) {
    for (int i = 0; i < blocks; ++i) ProcessBlock(*mpHost);
    mpEditor->Tick();
    return Crop(mpEditor->Screenshot(), view);
  };
  update(1);
  mpEditor->MoveTo((field.mL + field.mR) / 2, midY);
  mpEditor->Click();  // selects the box; its handles come with the next paint
  update(1);
  mpEditor->MoveTo(field.mR - 1, midY);
  mpEditor->Button(Button1, true);
  mpEditor->Tick();
  mpEditor->MoveTo(100, midY);
  mpEditor->Tick();
  mpEditor->Button(Button1, false);
  const Image narrowest = update(1);
  const auto at = [&](const Image& image, int x, int y) { return image.At(x - view.mL, y - view.mT); };
  EXPECT_EQ(kFrameGrey, at(narrowest, field.mL + 9, midY - 20));
  EXPECT_NE(kFrameGrey, at(narrowest, field.mL + 12, midY - 20));
  EXPECT_NE(kFrameGrey, at(narrowest, field.mR - 1, midY - 20));

  mpHost->SetParameter(kVrCount, 1.0f / 200.0f);
  mpHost->SetParameter(kVrSpeed, 0.0f);
  const Image standing = update(2);
  EXPECT_EQ(0, LargestDifference(standing, update(2))) << "a leader without speed stands still";
  const Point tool = Centre(kControls[kCtlIdxGatherImage]);
  mpEditor->MoveTo(tool.x, tool.y);
  mpEditor->Button(Button1, true);
  mpEditor->Tick();
  mpEditor->MoveTo(field.mL + 40, field.mT + 40);
  const Image held = update(5);
  EXPECT_GT(LargestDifference(standing, held), kPictureTolerance);
  mpEditor->Button(Button1, false);
  // Once it has coasted to a stop, the leader stays where it was left.
  const Image released = update(40);
  EXPECT_EQ(0, LargestDifference(released, update(5))) << "moved after the release";

  const ControlDesc& led = kControls[kCtlIdxGrainLed];
  const ControlDesc& button = kControls[kCtlIdxGrainButton];
  const float on = mpHost->GetParameter(led.mParamIdx);
  const Image before = mpEditor->Screenshot();
  mpEditor->MoveTo(Centre(led).x, Centre(led).y);
  mpEditor->Click();
  mpEditor->Tick();
  EXPECT_EQ(1.0f - on, mpHost->GetParameter(led.mParamIdx));
  EXPECT_EQ(button.mParamIdx, led.mParamIdx);
  const Image after = mpEditor->Screenshot("grain-led-switched.png");
  EXPECT_GT(LargestDifference(Crop(before, led.mRect), Crop(after, led.mRect)), kPictureTolerance);
  EXPECT_GT(LargestDifference(Crop(before, button.mRect), Crop(after, button.mRect)), kPictureTolerance);
}

// Save and Load through the chooser the editor draws (the desktop tools
// are not installed here, and the environment asks for it): it starts in
// the host's folder, takes a typed name, and the preset written and read
// back restores a value the host changed in between. The host's thread
// never waits for the user: every step is one idle call.
TEST_F(X11Editor, SaveAndLoadThroughTheDrawnChooserRestoreTheValues) {
  char self[4096] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof(self) - 1), 0);
  const std::string folder = std::string(self).substr(0, std::string(self).rfind('/') + 1);
  const std::string name = "x11-saved-preset";
  std::remove((folder + name).c_str());
  const float saved = mpHost->GetParameter(kGLen);
  const auto press = [&](int controlIdx) {
    const Point at = Centre(kControls[controlIdx]);
    mpEditor->MoveTo(at.x, at.y);
    mpEditor->Click();
    mpEditor->Tick();
  };
  for (const int controlIdx : {kCtlIdxSaveSelector, kCtlIdxLoadSelector}) {
    press(controlIdx);
    mpEditor->Tick();  // the chooser takes the keyboard once it is shown
    mpEditor->Type(name);
    mpEditor->Key(XK_Return);
    mpEditor->Tick(2);
    if (controlIdx == kCtlIdxSaveSelector) {
      EXPECT_EQ(0, access((folder + name).c_str(), R_OK)) << folder + name;
      mpHost->SetParameter(kGLen, 0.9f);
    }
  }
  EXPECT_EQ(saved, mpHost->GetParameter(kGLen));
  std::remove((folder + name).c_str());
}

TEST_F(X11Editor, ExposedAreasAndHostValuesShowAsTheWindowlessPictureShowsThem) {
  const LayoutRect& r = KnobFor(kGLen).mRect;
  // The picture travels through shared memory where the server offers it.
  EXPECT_EQ(XShmQueryExtension(gDisplay) ? 1 : 0, OwnSharedSegments());
  const Image before = mpEditor->Screenshot("editor-open.png");
  // Covered by another window, then uncovered: the next idle call, before a
  // tick is due, shows the area again.
  Window cover = XCreateSimpleWindow(gDisplay, DefaultRootWindow(gDisplay), 100, 400, 300, 200, 0, 0,
                                     WhitePixel(gDisplay, DefaultScreen(gDisplay)));
  XMapWindow(gDisplay, cover);
  XSync(gDisplay, False);
  EXPECT_GT(LargestDifference(before, mpEditor->Screenshot()), kPictureTolerance);
  XDestroyWindow(gDisplay, cover);
  XSync(gDisplay, False);
  mpHost->Dispatch(effEditIdle);
  EXPECT_EQ(0, LargestDifference(before, mpEditor->Screenshot()));

  // Just idled: the editor's own thread stays out while the screen is read.
  mpHost->Dispatch(effEditIdle);
  mpHost->SetParameter(kGLen, 0.75f);
  EXPECT_EQ(0, LargestDifference(Crop(before, r), Crop(mpEditor->Screenshot(), r)))
      << "repainted before the tick";
  mpEditor->Tick();
  const Image after = mpEditor->Screenshot("knob-set-by-host.png");
  EXPECT_GT(LargestDifference(Crop(before, r), Crop(after, r)), kPictureTolerance);

  // The same state drawn without a window, by the plug-in itself.
  std::string path = gScreenshots + "/windowless.png";
  ASSERT_EQ(1, mpHost->Dispatch(effVendorSpecific, vrelsvendor::kIndex, vrelsvendor::kWriteEditorPicture,
                                &path[0]));
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::unique_ptr<LICE_IBitmap> picture(LICE_LoadPNGFromMemory(bytes.data(), bytes.size()));
  ASSERT_TRUE(picture);
  Image expected{picture->GetWidth(), picture->GetHeight(), {}};
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x)
      expected.pixels.push_back(picture->GetBits()[y * picture->GetRowSpan() + x] & 0xFFFFFFu);
  EXPECT_LE(LargestDifference(expected, after), kPictureTolerance);
}

TEST(X11EditorWindows, TwoEditorsAtOnceEachWithItsOwnControls) {
  auto first = OpenInstance();
  auto second = OpenInstance();
  ASSERT_TRUE(first && second);
  HostEditor firstEditor(*first, 40, 300);
  HostEditor secondEditor(*second, 40 + EDITOR_WIDTH + 20, 300);
  ASSERT_TRUE(firstEditor.Open());
  ASSERT_TRUE(secondEditor.Open());
  const auto both = [&] {
    firstEditor.Tick();
    second->Dispatch(effEditIdle);
  };
  both();
  const LayoutRect& r = KnobFor(kGLen).mRect;
  const Image firstKnob = Crop(firstEditor.Screenshot(), r);
  const Image secondKnob = Crop(secondEditor.Screenshot(), r);
  EXPECT_EQ(0, LargestDifference(firstKnob, secondKnob));
  const double start = first->GetParameter(kGLen);
  ExpectOneGesture(DragKnob(*first, firstEditor, kGLen, both), kGLen, start);
  EXPECT_TRUE(second->Log().EditCalls().empty());
  EXPECT_EQ(start, second->GetParameter(kGLen));
  both();
  EXPECT_GT(LargestDifference(firstKnob, Crop(firstEditor.Screenshot(), r)), kPictureTolerance);
  EXPECT_EQ(0, LargestDifference(secondKnob, Crop(secondEditor.Screenshot(), r)));
  EXPECT_EQ(1, firstEditor.Close());
  second->SetParameter(kGLen, 0.75f);
  secondEditor.Tick();
  EXPECT_GT(LargestDifference(secondKnob, Crop(secondEditor.Screenshot(), r)), kPictureTolerance);
}

// A host that never calls effEditIdle: the editor's thread paints and takes
// the input; once idle calls come, they take it back.
TEST(X11EditorWindows, WithoutIdleCallsTheEditorsThreadDrivesUntilTheyCome) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  HostEditor editor(*host, 40, 300);
  ASSERT_TRUE(editor.Open());
  const LayoutRect& r = KnobFor(kGLen).mRect;
  const Image blank =
      Crop(Image{EDITOR_WIDTH, EDITOR_HEIGHT, std::vector<uint32_t>(EDITOR_WIDTH * EDITOR_HEIGHT)}, r);
  ASSERT_TRUE(Eventually([&] { return LargestDifference(blank, Crop(editor.Screenshot(), r)) > 0; }));
  const Image before = Crop(editor.Screenshot(), r);
  host->SetParameter(kGLen, 0.75f);
  EXPECT_TRUE(Eventually(
      [&] { return LargestDifference(before, Crop(editor.Screenshot(), r)) > kPictureTolerance; }));

  const double start = host->GetParameter(kGLen);
  const auto gestureEnded = [&] {
    const auto calls = host->Log().EditCalls();
    return !calls.empty() && calls.back().kind == testhost::EditCall::kEndEdit;
  };
  const auto waitForEvents = [] { std::this_thread::sleep_for(2 * kTickPeriod); };
  DragKnob(*host, editor, kGLen, waitForEvents);
  ASSERT_TRUE(Eventually(gestureEnded));
  ExpectOneGesture(host->Log().EditCalls(), kGLen, start);
  for (const testhost::EditCall& call : host->Log().EditCalls())
    EXPECT_NE(std::this_thread::get_id(), call.thread);

  // One idle call takes the window back. (Another knob: a press where the
  // last one was, this soon, would be a double-click.)
  const double other = host->GetParameter(kGLenD);
  host->Dispatch(effEditIdle);
  const auto gesture = DragKnob(*host, editor, kGLenD, [&] { editor.Tick(); });
  ExpectOneGesture(gesture, kGLenD, other);
  for (const testhost::EditCall& call : gesture) EXPECT_EQ(std::this_thread::get_id(), call.thread);
  EXPECT_EQ(1, editor.Close());
  EXPECT_EQ(0, gHostErrors);
}

// A host that closes the editor in its answer to the begin-edit of a
// drag, from its idle call and from the editor's own thread (a host that
// never idles): the close waits for no one, the window goes with the
// drive, and the editor opens and works again.
TEST(X11EditorWindows, AHostClosingTheEditorInsideItsAnswerToTheInput) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  for (const bool idling : {true, false}) {
    HostEditor editor(*host, 40, 300);
    ASSERT_TRUE(editor.Open());
    std::atomic<bool> closing{false}, closed{false};
    host->SetCallHook([&](int32_t opcode) {
      if (opcode != audioMasterBeginEdit || closing.exchange(true)) return;
      EXPECT_EQ(1, editor.Close());
      closed = true;
    });
    const Point at = Centre(KnobFor(kGLen));
    editor.MoveTo(at.x, at.y);
    if (idling) {
      editor.Tick();
      editor.Button(Button1, true);
      editor.Tick();
    } else {
      // Past the time after which the editor's thread drives.
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      editor.Button(Button1, true);
    }
    EXPECT_TRUE(Eventually([&] { return closed && editor.Editor() == 0; }))
        << (idling ? "idling" : "not idling");
    editor.Button(Button1, false);
    host->SetCallHook(nullptr);
    ASSERT_TRUE(closed);
    ASSERT_TRUE(editor.Open());
    ExpectOneGesture(DragKnob(*host, editor, kGLen, [&] { editor.Tick(); }), kGLen,
                     host->GetParameter(kGLen));
    EXPECT_EQ(1, editor.Close());
  }
  EXPECT_EQ(0, gHostErrors);
}

// Many open/close cycles while another thread processes audio, and hosts
// that destroy their window before effEditClose (with and without an idle
// call between): nothing stays behind, no error reaches the host's handler,
// and the host's handler is the one installed afterwards.
TEST(X11EditorWindows, OpenCloseCyclesAndDestroyedParentsLeaveNothingBehind) {
  auto host = OpenInstance();
  ASSERT_TRUE(host);
  // Each piece is made once before counting (the X connection's libraries,
  // the audio buffers).
  {
    HostEditor editor(*host, 40, 300);
    ASSERT_TRUE(editor.Open());
    editor.Tick();
  }
  const int descriptors = OpenDescriptors();
  const int segments = OwnSharedSegments();
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    float input[2][256] = {}, output[2][256] = {};
    float* inputs[2] = {input[0], input[1]};
    float* outputs[2] = {output[0], output[1]};
    while (!stop) {
      host->ProcessReplacing(inputs, outputs, 256);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  for (int i = 0; i < kOpenCloseCycles; ++i) {
    HostEditor editor(*host, 40, 300);
    ASSERT_TRUE(editor.Open()) << "cycle " << i;
    host->Dispatch(effEditIdle);
    if (i % 3 == 1) editor.DestroyParent();
    if (i % 3 == 2) {
      editor.DestroyParent();
      host->Dispatch(effEditIdle);
    }
    EXPECT_EQ(1, editor.Close()) << "cycle " << i;
  }
  stop = true;
  audio.join();
  EXPECT_EQ(descriptors, OpenDescriptors());
  EXPECT_EQ(segments, OwnSharedSegments());
  EXPECT_EQ(0, gHostErrors);
  const XErrorHandler installed = XSetErrorHandler(CountHostError);
  EXPECT_EQ(&CountHostError, installed);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string plugin;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--plugin=", 9) == 0) plugin = argv[i] + 9;
    if (std::strncmp(argv[i], "--screenshots=", 14) == 0) gScreenshots = argv[i] + 14;
  }
  std::string error;
  gPlugin = testhost::PluginModule::Load(plugin, &error);
  if (!gPlugin || gScreenshots.empty()) {
    std::fprintf(stderr, "usage: %s --plugin=PATH --screenshots=DIR (%s)\n", argv[0], error.c_str());
    return 2;
  }
  gDisplay = XOpenDisplay(nullptr);
  int event, errorBase, major, minor;
  if (!gDisplay || !XTestQueryExtension(gDisplay, &event, &errorBase, &major, &minor)) {
    std::fprintf(stderr, "%s: needs an X display with XTest (scripts/with-xvfb.sh)\n", argv[0]);
    return 2;
  }
  XSetErrorHandler(CountHostError);
  // The editor's own chooser, whatever desktop tools the machine has.
  setenv("VRELS_FILE_CHOOSER", "drawn", 1);
  const int result = RUN_ALL_TESTS();
  XCloseDisplay(gDisplay);
  gPlugin.reset();
  return result;
}
