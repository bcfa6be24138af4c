#include "IGraphicsLinux.h"

#include <unistd.h>

#include "LICE_IBitmap.h"
#include "platform/Module.h"

namespace {

const std::size_t MAX_PATH_LENGTH = 4096;
const int MILLISECONDS_PER_SECOND = 1000;

// The directory part of a path, with its trailing '/'; empty without one.
std::string DirectoryOf(const char* path) {
  std::string text(path);
  std::size_t slash = text.rfind('/');
  return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

}  // namespace

IGraphicsLinux::IGraphicsLinux(IPlugBase* plug, int width, int height, int fps)
    : IGraphicsLice(plug, width, height, fps) {}

IGraphicsLinux::~IGraphicsLinux() {
  CloseWindow();
  // Deleted on the window's own thread (from a host's answer to it): the
  // thread returns into nothing of this object's once its drive is done.
  if (mThread.joinable()) {
    if (mThread.get_id() == std::this_thread::get_id()) {
      mThread.detach();
    } else {
      mThread.join();
    }
  }
}

bool IGraphicsLinux::DrawScreen(const IRect& rect) {
  // Inside a drive's paint pass: the drive lock is held.
  if (!mWindow.IsOpen()) return true;
  LICE_IBitmap* buffer = GetDrawBitmap();
  if (!buffer) return false;
  return mWindow.Show(buffer->GetBits(), buffer->GetRowSpan(), rect.mL, rect.mT, rect.mR, rect.mB);
}

bool IGraphicsLinux::DrawText(ITextStyle* style, const char* text, const IRect& rect) {
  if (!text || !*text) return true;
  if (!style) return false;
  LICE_IBitmap* buffer = GetDrawBitmap();
  if (!buffer) return false;
  FreeTypeText::Font font = {style->mFont, style->mSize, style->mStyle, style->mOrientation};
  const IRect& clip = GetDrawRect();
  return mText.Draw(buffer, font, style->mColour.Packed(), style->mAlign, text,
                    {rect.mL, rect.mT, rect.mR, rect.mB}, {clip.mL, clip.mT, clip.mR, clip.mB});
}

bool IGraphicsLinux::MeasureText(ITextStyle* style, const char* text, int* width) {
  if (!style || !text || !width) return false;
  FreeTypeText::Font font = {style->mFont, style->mSize, style->mStyle, style->mOrientation};
  int height = 0;
  return mText.Measure(font, text, width, &height);
}

void IGraphicsLinux::HostPath(std::string* path) {
  if (!path) return;
  path->clear();
  char buffer[MAX_PATH_LENGTH];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (n <= 0) return;
  buffer[n] = '\0';
  *path = DirectoryOf(buffer);
}

void IGraphicsLinux::PluginPath(std::string* path) {
  if (!path) return;
  path->clear();
  char buffer[MAX_PATH_LENGTH];
  if (vrels::ModuleFileName(buffer, sizeof(buffer))) *path = DirectoryOf(buffer);
}

void IGraphicsLinux::PromptForFile(std::string* path, int /*action*/, const char* /*directory*/,
                                   const char* /*extension*/) {
  if (path) path->clear();
}

bool IGraphicsLinux::PromptForColour(IColour* /*colour*/, const char* /*caption*/) {
  return false;
}

bool IGraphicsLinux::OpenURL(const char* /*url*/, const char* /*caption*/, const char* /*confirmation*/,
                             const char* /*error*/) {
  return false;
}

void* IGraphicsLinux::OpenWindow(void* parent) {
  CloseWindow();
  // A thread that closed its own window has ended, or is about to.
  if (mThread.joinable()) mThread.join();
  if (!parent) return nullptr;
  {
    std::lock_guard<std::mutex> drive(mDriveMutex);
    if (!mWindow.Open(static_cast<unsigned long>(reinterpret_cast<uintptr_t>(parent)), Width(), Height()))
      return nullptr;
    mInput.Reset();
    mLastTick = Clock::time_point();
    mWindowId = mWindow.Id();
  }
  // A host that idles shows it within the timeout; until then the thread waits.
  mLastHostIdle = Clock::now().time_since_epoch().count();
  SetAllControlsDirty();
  {
    std::lock_guard<std::mutex> lock(mThreadMutex);
    mStop = false;
  }
  mThread = std::thread(&IGraphicsLinux::Run, this);
  return reinterpret_cast<void*>(mWindowId.load());
}

void IGraphicsLinux::CloseWindow() {
  // Asked from inside a drive (a host closing the editor in its answer to
  // the input's begin-edit or automate call): the drive lock is this
  // thread's, so the drive closes the window when it is done.
  if (mDrivingThread.load() == std::this_thread::get_id()) {
    mCloseAfterDrive = true;
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mThreadMutex);
    mStop = true;
  }
  mWake.notify_all();
  // The window's own thread, closing after its own drive, cannot wait for
  // itself; it ends when this returns, and is joined by the next open or close.
  if (mThread.joinable() && mThread.get_id() != std::this_thread::get_id()) mThread.join();
  std::lock_guard<std::mutex> drive(mDriveMutex);
  EndOverlays();
  mWindow.Close();
  mInput.Reset();
  mWindowId = 0;
}

void IGraphicsLinux::Resize(int width, int height) {
  IGraphicsLice::Resize(width, height);
  // From a control's handler the drive lock is this thread's already.
  std::unique_lock<std::mutex> drive(mDriveMutex, std::defer_lock);
  if (mDrivingThread.load() != std::this_thread::get_id()) drive.lock();
  if (!mWindow.IsOpen()) return;
  mWindow.Resize(width, height);
  SetAllControlsDirty();
}

void* IGraphicsLinux::GetWindow() {
  return reinterpret_cast<void*>(mWindowId.load());
}

void IGraphicsLinux::OnHostIdle() {
  mLastHostIdle = Clock::now().time_since_epoch().count();
  Drive(true);
  // A long paint pass counts as the host's time, not as silence.
  mLastHostIdle = Clock::now().time_since_epoch().count();
}

bool IGraphicsLinux::HostIdleRecent() const {
  const Clock::duration since = Clock::now().time_since_epoch() - Clock::duration(mLastHostIdle.load());
  return since < std::chrono::milliseconds(kHostIdleTimeoutMs);
}

void IGraphicsLinux::Run() {
  const std::chrono::milliseconds period(MILLISECONDS_PER_SECOND / FPS());
  std::unique_lock<std::mutex> lock(mThreadMutex);
  while (!mStop) {
    if (mWake.wait_for(lock, period, [this] { return mStop; })) break;
    lock.unlock();
    if (!HostIdleRecent()) Drive(false);
    lock.lock();
  }
}

void IGraphicsLinux::Drive(bool fromHost) {
  // An idle call made from inside a drive (a host answering the plug-in's
  // call by idling) returns at once. One that meets the window's thread
  // driving waits for it (one paint at most): from its return on, input
  // goes to the host's thread.
  if (mDrivingThread.load() == std::this_thread::get_id()) return;
  {
    std::lock_guard<std::mutex> drive(mDriveMutex);
    // Idle calls that came again while this thread waited for the lock win.
    if (!fromHost && HostIdleRecent()) return;
    mDrivingThread = std::this_thread::get_id();
    DriveLocked();
    mDrivingThread = std::thread::id();
  }
  if (mCloseAfterDrive) {
    mCloseAfterDrive = false;
    CloseWindow();
  }
}

void IGraphicsLinux::DriveLocked() {
  if (!mWindow.Alive()) return;
  X11Window::Events events;
  mWindow.ReadEvents(&events);
  if (events.destroyed) {
    // Gone with the host's window: nothing to show or read any more, and
    // forgotten as the Windows layer forgets it (CloseWindow still frees).
    EndOverlays();
    mInput.Reset();
    mWindowId = 0;
    return;
  }
  for (const X11InputEvent& event : events.input) {
    if (HandleOverlayInput(event) || !PassEditorInput(event)) continue;
    // A click takes the keyboard focus, unless it opened the text field.
    if (mInput.Handle(event) && !mFieldWindow.IsOpen()) mWindow.Focus(event.time);
    // A menu the press opened has the pointer now: the press ends here.
    if (mMenuEndsPress) {
      mMenuEndsPress = false;
      mInput.EndPress();
    }
    // The host closed the editor in its answer to this input.
    if (mCloseAfterDrive) return;
  }
  RedrawOverlays(events.exposedOthers);
  PollChooser();
  if (events.exposed) {
    // The buffer holds the picture of the last paint; a picture asked for
    // meanwhile (DrawAll) holds the paint mutex while it draws into it.
    vrels::ScopedLock paint(PaintMutex());
    DrawScreen(IRect(events.left, events.top, events.right, events.bottom));
  }
  // A tick is due a period after the last; a quarter early counts, so an
  // idle call as frequent as the ticks is not missed by a hair.
  const Clock::time_point now = Clock::now();
  const Clock::duration period = std::chrono::milliseconds(MILLISECONDS_PER_SECOND / FPS());
  if (now - mLastTick < period - period / 4) return;
  mLastTick = now;
  if (TickTextEntry()) return;
  IRect dirty;
  if (IsDirty(&dirty)) {
    Draw(dirty);
    if (mFieldWindow.IsOpen()) mEditState = kEditRefresh;
  }
}
