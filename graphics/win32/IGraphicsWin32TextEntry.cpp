// The window layer's value entry: the in-place text field with its
// subclassed procedure and the tick's handling of its states, and the value
// menus.
#include <string>

#include "IControl.h"
#include "IGraphicsWin32.h"
#include "IParameter.h"
#include "IPopupMenu.h"
#include "Win32WindowProcs.h"

namespace {

// The text field: 36 x 16 pixels centred on the control, its text in Arial
// 14 pixels high, child id 99.
const int FIELD_WIDTH = 36;
const int FIELD_HEIGHT = 16;
const int FIELD_FONT_HEIGHT = 14;
const char* const FIELD_FONT = "Arial";
const int FIELD_CONTROL_ID = 99;
// The field's text is read up to this many characters.
const int MAX_FIELD_TEXT = 1000;
// A command whose notification code is 1 comes from an accelerator: a host
// that translates Return into a command commits the entry that way.
const WORD ACCELERATOR_NOTIFICATION = 1;

HWND AsWindow(void* handle) {
  return static_cast<HWND>(handle);
}

// The display text of the control's parameter at its current value (read
// under the instance mutex).
void CurrentDisplayText(IControl* control, IParameter* param, char (&text)[MAX_PARAM_DISPLAY_LEN]) {
  text[0] = '\0';
  double value = 0.0;
  if (control->CopyParamValue(&value)) param->FormatForHost(value, false, text);
}

// Shows a menu at the mouse cursor and waits for the user's choice: the
// chosen id, or 0 when none.
int TrackMenuAtCursor(HMENU menu, HWND owner) {
  POINT p;
  GetCursorPos(&p);
  return TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, p.x, p.y, 0, owner, nullptr);
}

}  // namespace

// ---- The text field ------------------------------------------------------------------

void IGraphicsWin32::CreateTextEntry(IControl* control, IParameter* param, bool useControlText) {
  if (!control || mParamEditWnd || (!param && !useControlText) || !mPlugWnd) return;
  char text[MAX_PARAM_DISPLAY_LEN] = "";
  if (param) CurrentDisplayText(control, param, text);
  mEditShownText = text;
  const IRect& r = control->GetRect();
  const int centreX = (r.mL + r.mR) / 2;
  const int centreY = (r.mT + r.mB) / 2;

  if (IPopupMenu* menu = control->GetPopupMenu()) {
    HMENU native = CreatePopupMenu();
    int nextId = 1;
    BuildPopupMenu(native, &nextId, menu);
    const int chosen = TrackMenuAtCursor(native, AsWindow(mPlugWnd));
    DestroyMenu(native);
    if (chosen > 0) control->OnPopupMenuSelection(menu, chosen - 1);
    control->FreePopupMenu(menu);
    return;
  }

  HWND field =
      CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_CENTER | ES_MULTILINE,
                      centreX - FIELD_WIDTH / 2, centreY - FIELD_HEIGHT / 2, FIELD_WIDTH, FIELD_HEIGHT,
                      AsWindow(mPlugWnd), reinterpret_cast<HMENU>(static_cast<INT_PTR>(FIELD_CONTROL_ID)),
                      static_cast<HINSTANCE>(mHInstance), nullptr);
  if (!field) return;
  mParamEditWnd = field;
  mParamEditMsg = kEditIdle;
  SetEditControl(control, param);
  // Subclassed before it takes the focus, so that the focus sets the state.
  SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  mDefEditProc = reinterpret_cast<void*>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcs::FieldProc)));
  mEditFont = CreateFontA(FIELD_FONT_HEIGHT, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, FIELD_FONT);
  SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(mEditFont), FALSE);
  SendMessageA(field, EM_SETSEL, 0, -1);
  SetFocus(field);
}

LRESULT CALLBACK IGraphicsWin32::WindowProcs::FieldProc(HWND window, UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
  IGraphicsWin32* graphics = GraphicsOf(window);
  if (!graphics || AsWindow(graphics->mParamEditWnd) != window)
    return DefWindowProcA(window, message, wParam, lParam);
  WNDPROC own = reinterpret_cast<WNDPROC>(graphics->mDefEditProc);
  switch (message) {
    case WM_SETFOCUS:
      graphics->mParamEditMsg = kEditFocused;
      break;
    case WM_KILLFOCUS:
      // Losing the focus lets the editor tick again; an entry already
      // committed or cancelled stays so.
      if (graphics->mParamEditMsg == kEditFocused) graphics->mParamEditMsg = kEditIdle;
      break;
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcA(own, window, message, wParam, lParam);
      const MSG* queued = reinterpret_cast<const MSG*>(lParam);
      if (queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        graphics->mParamEditMsg = kEditCommit;
        return 0;
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == ACCELERATOR_NOTIFICATION) graphics->mParamEditMsg = kEditCommit;
      break;
    default:
      break;
  }
  return CallWindowProcA(own, window, message, wParam, lParam);
}

void IGraphicsWin32::CommitTextEntry() {
  IControl* control = GetEditControl();
  IParameter* param = GetEditParam();
  if (!control || !param) return;
  char text[MAX_FIELD_TEXT + 1] = {};
  GetWindowTextA(AsWindow(mParamEditWnd), text, MAX_FIELD_TEXT + 1);
  // The same reading whatever the process locale; not a number reads as 0,
  // and the control clamps what is out of range.
  control->SetValueFromUserInput(param->ToNormalized(param->ValueFromText(text)));
}

void IGraphicsWin32::RefreshTextEntry() {
  IControl* control = GetEditControl();
  IParameter* param = GetEditParam();
  if (!control || !param) return;
  char current[MAX_PARAM_DISPLAY_LEN];
  CurrentDisplayText(control, param, current);
  if (mEditShownText == current) return;
  mEditShownText = current;
  HWND field = AsWindow(mParamEditWnd);
  SetWindowTextA(field, current);
  // A text of the parameter's list is shown selected, as when the field
  // opened.
  if (param->DisplayTextCount() > 0) SendMessageA(field, EM_SETSEL, 0, -1);
}

void IGraphicsWin32::CloseTextEntry() {
  HWND field = AsWindow(mParamEditWnd);
  if (field) {
    SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mDefEditProc));
    DestroyWindow(field);
  }
  if (mEditFont) DeleteObject(static_cast<HFONT>(mEditFont));
  mEditFont = nullptr;
  mParamEditWnd = nullptr;
  mDefEditProc = nullptr;
  SetEditControl(nullptr, nullptr);
  mParamEditMsg = kEditIdle;
}

// ---- Value menus ----------------------------------------------------------------------

bool IGraphicsWin32::BuildPopupMenu(void* nativeMenu, int* nextId, IPopupMenu* menu) {
  if (!nativeMenu || !nextId || !menu) return false;
  bool ticked = false;
  for (int i = 0; i < menu->NItems(); ++i) {
    IPopupMenuItem* item = menu->GetItem(i);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.wID = static_cast<UINT>((*nextId)++);
    info.fType = item->IsSeparator() ? MFT_SEPARATOR : MFT_STRING;
    if (item->GetFlag(IPopupMenuItem::kNewColumn)) info.fType |= MFT_MENUBARBREAK;
    if (item->IsChecked()) info.fState |= MFS_CHECKED;
    if (item->GetFlag(IPopupMenuItem::kDisabled)) info.fState |= MFS_DISABLED;
    if (item->GetFlag(IPopupMenuItem::kHighlighted)) info.fState |= MFS_HILITE;
    info.dwTypeData = const_cast<char*>(item->GetText());
    if (IPopupMenu* submenu = item->GetSubmenu()) {
      HMENU native = CreatePopupMenu();
      const bool childTicked = BuildPopupMenu(native, nextId, submenu);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = native;
      if (childTicked && !item->GetFlag(IPopupMenuItem::kNoParentTick)) info.fState |= MFS_CHECKED;
    }
    if (item->IsChecked()) ticked = true;
    InsertMenuItemA(static_cast<HMENU>(nativeMenu), static_cast<UINT>(i), TRUE, &info);
  }
  return ticked;
}

void IGraphicsWin32::PromptParamMenu(IControl* control, IParameter* param, int itemsPerColumn) {
  if (!control || !param) return;
  double value = 0.0;
  control->CopyParamValue(&value);
  const int current = static_cast<int>(value);
  HMENU menu = CreatePopupMenu();
  for (int v = 0; v < param->DisplayTextCount(); ++v) {
    UINT flags = MF_STRING;
    if (v == current) flags |= MF_CHECKED;
    if (itemsPerColumn > 0 && v > 0 && v % itemsPerColumn == 0) flags |= MF_MENUBARBREAK;
    AppendMenuA(menu, flags, static_cast<UINT_PTR>(v + 1), param->DisplayTextFor(v));
  }
  const int chosen = TrackMenuAtCursor(menu, GetActiveWindow());
  DestroyMenu(menu);
  if (chosen <= 0) return;
  int picked = 0;
  param->LookUpDisplayText(param->DisplayTextFor(chosen - 1), &picked);
  control->SetValueFromUserInput(param->ToNormalized(picked));
}
