#include "dialogs/dialog_focus.h"

namespace handset::dialogs {
namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }
LRESULT CodeOf(HWND control) { return SendMessageW(control, WM_GETDLGCODE, 0, 0); }
bool Usable(HWND window) { return (StyleOf(window) & WS_VISIBLE) && !(StyleOf(window) & WS_DISABLED); }

// The checked radio button of `radio`'s group (from the WS_GROUP control before it to the next
// one); `radio` itself when none of them is checked.
HWND CheckedOfGroup(HWND radio) {
  HWND start = radio;
  while (!(StyleOf(start) & WS_GROUP)) {
    HWND before = GetWindow(start, GW_HWNDPREV);
    if (!before) break;
    start = before;
  }
  for (HWND member = start; member; member = GetWindow(member, GW_HWNDNEXT)) {
    if (member != start && (StyleOf(member) & WS_GROUP)) break;
    if ((CodeOf(member) & DLGC_RADIOBUTTON) && Usable(member) &&
        SendMessageW(member, BM_GETCHECK, 0, 0) == BST_CHECKED)
      return member;
  }
  return radio;
}

}  // namespace

HWND FirstFocusTarget(HWND dialog) {
  if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE))
    return (CodeOf(first) & DLGC_RADIOBUTTON) ? CheckedOfGroup(first) : first;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (Usable(child)) return child;
  return nullptr;
}

void FocusControl(HWND control) {
  if (CodeOf(control) & DLGC_HASSETSEL) SendMessageW(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

void MoveDefaultLook(HWND dialog, HWND control) {
  if (!control || !(CodeOf(control) & DLGC_UNDEFPUSHBUTTON)) return;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (child != control && (CodeOf(child) & DLGC_DEFPUSHBUTTON)) SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  SendMessageW(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

}  // namespace handset::dialogs
