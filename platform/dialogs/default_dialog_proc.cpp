// DefDlgProcW, the procedure of the dialog class: it calls the dialog's own procedure (kept at
// DWLP_DLGPROC) first, and does what dialogs do by default with what that leaves: the dialog font,
// the background and the controls' colours, the focus kept across deactivation and hiding and
// given back on the next activation (WM_SETFOCUS selects the text of the edit it gives the focus
// to), the default button (a push button reached through
// WM_NEXTDLGCTL takes its look),
// WM_CLOSE as a press of Cancel, and the end of the dialog's own records when it is destroyed.
#include <windows.h>

#include "core/api_guard.h"
#include "dialogs/dialog_focus.h"
#include "dialogs/dialog_records.h"

using handset::core::Guarded;
using handset::dialogs::DialogRecord;
using handset::dialogs::FirstFocusTarget;
using handset::dialogs::FocusControl;
using handset::dialogs::MoveDefaultLook;
using handset::dialogs::FindDialogRecord;
using handset::dialogs::GetDialogRecord;

namespace {

// Messages whose answer is the dialog procedure's own result, not DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

// Deactivated or hidden, the dialog remembers which of its controls had the focus.
void SaveFocus(HWND dialog, DialogRecord& record) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus)) record.savedFocus = focus;
}

// The control that had the focus when the dialog was left, else the first one. Coming back by
// activation gives it the focus as it was; WM_SETFOCUS on the dialog selects an edit's text too.
// The saved control is given back once, as on Win32: a later WM_SETFOCUS with nothing saved since
// starts from the first control again.
void RestoreFocus(HWND dialog, DialogRecord& record, bool activated) {
  HWND target = record.savedFocus;
  record.savedFocus = nullptr;
  if (!target || !IsWindow(target) || !IsChild(dialog, target)) target = FirstFocusTarget(dialog);
  if (!target) return;
  if (activated)
    SetFocus(target);
  else
    FocusControl(target);
}

LRESULT DefaultHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = GetDialogRecord(dialog);
  if (!record) return DefWindowProcW(dialog, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
      if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcW(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
      RECT client;
      GetClientRect(dialog, &client);
      FillRect(dc, &client, brush);
      return 1;
    }
    case WM_SETFONT:
      record->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(record->font);
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (!cancel || IsWindowEnabled(cancel))
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE)
        SaveFocus(dialog, *record);
      else
        RestoreFocus(dialog, *record, true);
      return 0;
    case WM_SHOWWINDOW:
      // Hiding takes the focus away before the dialog is deactivated: remember it first.
      if (!wParam) SaveFocus(dialog, *record);
      return DefWindowProcW(dialog, message, wParam, lParam);
    case WM_SETFOCUS:
      RestoreFocus(dialog, *record, false);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
      if (target) {
        FocusControl(target);
        MoveDefaultLook(dialog, target);
      }
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(record->defaultId, DC_HASDEFID);
    case DM_SETDEFID:
      record->defaultId = static_cast<int>(wParam);
      return TRUE;
    case WM_COMMAND:
      return 0;
    default:
      return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

}  // namespace

extern "C" LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
    INT_PTR handled = procedure ? procedure(dialog, message, wParam, lParam) : FALSE;
    LRESULT result;
    if (!handled && IsWindow(dialog))
      result = DefaultHandling(dialog, message, wParam, lParam);
    else if (AnswersDirectly(message))
      result = handled;
    else
      result = IsWindow(dialog) ? GetWindowLongPtrW(dialog, DWLP_MSGRESULT) : 0;

    if (message == WM_DESTROY) {
      // The dialog's own font goes with it; fonts the program set are the program's.
      if (auto record = FindDialogRecord(dialog); record && record->ownsFont && record->font) {
        DeleteObject(record->font);
        record->font = nullptr;
        record->ownsFont = false;
      }
    }
    return result;
  });
}
