// The dialog class, as Windows CE names it: every dialog box and message box is a window of it.
#pragma once

#include <windows.h>

namespace handset::dialogs {

inline constexpr WCHAR kDialogClass[] = u"Dialog";

// The class as the system registers it: global, with DefDlgProcW and the dialog's window data.
inline WNDCLASSW DialogClass() {
  WNDCLASSW c{};
  c.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
  c.lpfnWndProc = DefDlgProcW;
  c.cbWndExtra = DLGWINDOWEXTRA;
  c.lpszClassName = kDialogClass;
  return c;
}

}  // namespace handset::dialogs
