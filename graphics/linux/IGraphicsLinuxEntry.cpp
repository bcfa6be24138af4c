// The Linux layer's value entry: the text field, the value menus and the
// file chooser, each in a window of the editor's own beside the editor's
// window, driven with it.
#include <X11/X.h>
#include <X11/keysym.h>

#include <algorithm>
#include <utility>

#include "IControl.h"
#include "IGraphicsLinux.h"
#include "IParameter.h"
#include "IPopupMenu.h"

namespace {

// The display text of the control's parameter at its current value.
std::string CurrentDisplayText(IControl* control, IParameter* param) {
  char text[MAX_PARAM_DISPLAY_LEN] = "";
  double value = 0.0;
  if (control->CopyParamValue(&value)) param->FormatForHost(value, false, text);
  return text;
}

}  // namespace

// ---- The text field --------------------------------------------------------------------

void IGraphicsLinux::CreateTextEntry(IControl* control, IParameter* param, bool useControlText) {
  if (!control || mFieldWindow.IsOpen() || mMenu || (!param && !useControlText) || !mWindow.Alive()) return;
  if (IPopupMenu* menu = control->GetPopupMenu()) {
    std::unique_ptr<OpenMenu> open(new OpenMenu());
    int nextId = 1;
    BuildPopupMenu(&open->panel, &nextId, menu);
    open->control = control;
    open->controlMenu = menu;
    OpenMenuAtPointer(std::move(open));
    return;
  }
  const IRect& r = control->GetRect();
  const int x = (r.mL + r.mR) / 2 - TextField::kWidth / 2;
  const int y = (r.mT + r.mB) / 2 - TextField::kHeight / 2;
  if (!mFieldWindow.Open(mWindow.Connection(), X11Overlay::kField, mWindow.Id(), x, y, TextField::kWidth,
                         TextField::kHeight)) {
    return;
  }
  mFieldShownText = param ? CurrentDisplayText(control, param) : std::string();
  mField.SetText(mFieldShownText);
  mEditState = kEditIdle;
  SetEditControl(control, param);
  mFieldWindow.Focus(CurrentTime);
  ShowField();
}

void IGraphicsLinux::ShowField() {
  if (!mFieldWindow.IsOpen()) return;
  if (mOverlayPixels.GetWidth() < TextField::kWidth || mOverlayPixels.GetHeight() < TextField::kHeight) {
    mOverlayPixels.Resize(TextField::kWidth, TextField::kHeight);
  }
  mField.Draw(&mOverlayPixels, mOverlayText, mFieldFocused);
  mFieldWindow.Show(&mOverlayPixels);
}

void IGraphicsLinux::CommitTextEntry() {
  IControl* control = GetEditControl();
  IParameter* param = GetEditParam();
  if (!control || !param) return;
  // The same reading whatever the process locale; not a number reads as 0,
  // and the control clamps what is out of range.
  vrels::ScopedLock input(PaintMutex());
  control->SetValueFromUserInput(param->ToNormalized(param->ValueFromText(mField.Text().c_str())));
}

void IGraphicsLinux::RefreshTextEntry() {
  IControl* control = GetEditControl();
  IParameter* param = GetEditParam();
  if (!control || !param) return;
  const std::string current = CurrentDisplayText(control, param);
  if (current == mFieldShownText) return;
  mFieldShownText = current;
  mField.SetText(current);
  ShowField();
}

void IGraphicsLinux::CloseTextEntry() {
  const bool hadFocus = mFieldFocused;
  mFieldWindow.Close();
  mFieldFocused = false;
  SetEditControl(nullptr, nullptr);
  mEditState = kEditIdle;
  // Keys go to the editor again.
  if (hadFocus) mWindow.Focus(CurrentTime);
}

bool IGraphicsLinux::TickTextEntry() {
  if (!mFieldWindow.IsOpen()) return false;
  switch (mEditState) {
    case kEditIdle:
      return false;
    case kEditRefresh:
      RefreshTextEntry();
      mEditState = kEditIdle;
      return true;
    case kEditCommit:
      CommitTextEntry();
      CloseTextEntry();
      return true;
    case kEditCancel:
      CloseTextEntry();
      return true;
    default:
      mEditState = kEditIdle;
      return true;
  }
}

bool IGraphicsLinux::PassEditorInput(const X11InputEvent& event) {
  if (!mFieldWindow.IsOpen()) return true;
  const bool press = event.kind == X11InputEvent::kPress;
  if (mEditState == kEditFocused) {
    // Until the tick after the field took the focus only a right click
    // counts (it cancels); releases still end the press that opened it.
    if (press && event.button == Button3) mEditState = kEditCancel;
    return event.kind == X11InputEvent::kRelease;
  }
  if (press && event.button == Button3) {
    mEditState = kEditCancel;
    return false;
  }
  // A left click commits, and goes on to the editor.
  if (press && event.button == Button1) mEditState = kEditCommit;
  return true;
}

// ---- Value menus ---------------------------------------------------------------------------

bool IGraphicsLinux::BuildPopupMenu(void* nativeMenu, int* nextId, IPopupMenu* menu) {
  if (!nativeMenu || !nextId || !menu) return false;
  return static_cast<MenuPanel*>(nativeMenu)->AddMenu(menu, nextId);
}

void IGraphicsLinux::PromptParamMenu(IControl* control, IParameter* param, int itemsPerColumn) {
  if (!control || !param || mMenu || !mWindow.Alive()) return;
  double value = 0.0;
  control->CopyParamValue(&value);
  const int current = static_cast<int>(value);
  std::unique_ptr<OpenMenu> open(new OpenMenu());
  for (int v = 0; v < param->DisplayTextCount(); ++v) {
    MenuPanel::Item item;
    item.text = param->DisplayTextFor(v);
    item.checked = v == current;
    item.newColumn = itemsPerColumn > 0 && v > 0 && v % itemsPerColumn == 0;
    open->panel.Add(item);
  }
  open->control = control;
  open->param = param;
  OpenMenuAtPointer(std::move(open));
}

bool IGraphicsLinux::OpenMenuAtPointer(std::unique_ptr<OpenMenu> menu) {
  _XDisplay* display = mWindow.Connection();
  menu->panel.Layout(mOverlayText);
  int pointerX = 0, pointerY = 0, screenW = 0, screenH = 0;
  X11Overlay::PointerOnScreen(display, &pointerX, &pointerY);
  X11Overlay::ScreenSize(display, &screenW, &screenH);
  const int w = menu->panel.Width(), h = menu->panel.Height();
  // At the pointer, its top left corner there, flipped where the screen ends.
  int x = pointerX + w <= screenW ? pointerX : pointerX - w;
  int y = pointerY + h <= screenH ? pointerY : pointerY - h;
  x = std::max(0, x);
  y = std::max(0, y);
  mMenu = std::move(menu);
  if (mMenu->panel.Empty() || !mMenu->window.Open(display, X11Overlay::kPopup, 0, x, y, w, h) ||
      !mMenu->window.Grab(CurrentTime)) {
    CloseMenu(0);
    return false;
  }
  mMenuEndsPress = true;
  if (mOverlayPixels.GetWidth() < w || mOverlayPixels.GetHeight() < h) mOverlayPixels.Resize(w, h);
  mMenu->panel.Draw(&mOverlayPixels, mOverlayText);
  mMenu->window.Show(&mOverlayPixels);
  return true;
}

void IGraphicsLinux::CloseMenu(int chosenId) {
  if (!mMenu) return;
  std::unique_ptr<OpenMenu> menu = std::move(mMenu);
  menu->window.Close();
  vrels::ScopedLock input(PaintMutex());
  if (menu->controlMenu) {
    if (chosenId > 0) menu->control->OnPopupMenuSelection(menu->controlMenu, chosenId - 1);
    menu->control->FreePopupMenu(menu->controlMenu);
  } else if (chosenId > 0 && menu->param) {
    int picked = 0;
    menu->param->LookUpDisplayText(menu->param->DisplayTextFor(chosenId - 1), &picked);
    menu->control->SetValueFromUserInput(menu->param->ToNormalized(picked));
  }
}

// ---- Input of the field and the menu -----------------------------------------------------

bool IGraphicsLinux::HandleOverlayInput(const X11InputEvent& event) {
  if (mMenu && event.window == mMenu->window.Id()) {
    MenuPanel& panel = mMenu->panel;
    const bool inside = event.x >= 0 && event.y >= 0 && event.x < panel.Width() && event.y < panel.Height();
    bool redraw = false;
    switch (event.kind) {
      case X11InputEvent::kMotion:
        redraw = panel.Highlight(inside ? panel.ItemAt(event.x, event.y) : -1);
        break;
      case X11InputEvent::kPress:
        // A click elsewhere closes the menu and goes no further.
        if (!inside && event.button <= Button3) CloseMenu(0);
        break;
      case X11InputEvent::kRelease: {
        // Releasing over an item chooses it: a click on it, or the press
        // that opened the menu dragged onto it.
        const int id = inside ? panel.IdOf(panel.ItemAt(event.x, event.y)) : 0;
        if (id > 0 && (event.button == Button1 || event.button == Button3)) CloseMenu(id);
        break;
      }
      case X11InputEvent::kKey:
        switch (event.keysym) {
          case XK_Escape:
            CloseMenu(0);
            break;
          case XK_Up:
          case XK_KP_Up:
            panel.Step(-1);
            redraw = true;
            break;
          case XK_Down:
          case XK_KP_Down:
            panel.Step(1);
            redraw = true;
            break;
          case XK_Return:
          case XK_KP_Enter:
            CloseMenu(panel.IdOf(panel.Highlighted()));
            break;
          default:
            break;
        }
        break;
      default:
        break;
    }
    if (redraw && mMenu) {
      mMenu->panel.Draw(&mOverlayPixels, mOverlayText);
      mMenu->window.Show(&mOverlayPixels);
    }
    return true;
  }
  if (mFieldWindow.IsOpen() && event.window == mFieldWindow.Id()) {
    switch (event.kind) {
      case X11InputEvent::kFocusIn:
        mFieldFocused = true;
        if (mEditState == kEditIdle) mEditState = kEditFocused;
        ShowField();
        break;
      case X11InputEvent::kFocusOut:
        mFieldFocused = false;
        if (mEditState == kEditFocused) mEditState = kEditIdle;
        ShowField();
        break;
      case X11InputEvent::kPress:
        if (event.button == Button3) {
          mEditState = kEditCancel;
        } else if (event.button == Button1) {
          mField.ClickAt(event.x, mOverlayText);
          mFieldWindow.Focus(event.time);
          ShowField();
        }
        break;
      case X11InputEvent::kKey:
        switch (mField.Key(event.keysym, event.text, (event.state & ShiftMask) != 0,
                           (event.state & ControlMask) != 0)) {
          case TextField::kCommit:
            mEditState = kEditCommit;
            break;
          case TextField::kCancel:
            mEditState = kEditCancel;
            break;
          case TextField::kEdited:
            ShowField();
            break;
          case TextField::kIgnored:
            break;
        }
        break;
      default:
        break;
    }
    return true;
  }
  return false;
}

void IGraphicsLinux::RedrawOverlays(const std::vector<unsigned long>& exposed) {
  for (unsigned long window : exposed) {
    if (mMenu && window == mMenu->window.Id()) {
      mMenu->panel.Draw(&mOverlayPixels, mOverlayText);
      mMenu->window.Show(&mOverlayPixels);
    } else if (window == mFieldWindow.Id()) {
      ShowField();
    }
  }
}

// ---- Files ---------------------------------------------------------------------------------

bool IGraphicsLinux::PromptForFileLater(int action, const char* directory, FileChosen done) {
  if (!mWindow.Alive() || !done) return false;
  if (mChooser) {
    // One chooser at a time; the other button stays as it was.
    done(nullptr);
    return true;
  }
  std::string start = directory ? directory : "";
  if (start.empty()) HostPath(&start);
  mChooser = FileChooser::Start(action == 1 ? FileChooser::kSave : FileChooser::kOpen, start, mWindow.Id());
  if (!mChooser) return false;
  mChooserDone = std::move(done);
  return true;
}

void IGraphicsLinux::PollChooser() {
  if (!mChooser || !mChooser->Poll()) return;
  const std::string path = mChooser->Path();
  mChooser.reset();
  FileChosen done = std::move(mChooserDone);
  mChooserDone = nullptr;
  vrels::ScopedLock input(PaintMutex());
  if (done) done(&path);
}

void IGraphicsLinux::EndOverlays() {
  CloseMenu(0);
  mFieldWindow.Close();
  mFieldFocused = false;
  SetEditControl(nullptr, nullptr);
  mEditState = kEditIdle;
  mChooser.reset();
  FileChosen done = std::move(mChooserDone);
  mChooserDone = nullptr;
  if (done) {
    vrels::ScopedLock input(PaintMutex());
    done(nullptr);
  }
}
