// SHInitDialog: a dialog sized as the shell sizes its full-screen dialogs, with the title bar's
// OK button and an empty soft-key bar when asked for.
#include <aygshell.h>

#include "core/api_guard.h"
#include "shell/input_panel.h"
#include "shell/menu_bar.h"
#include "core/handset.h"

using handset::core::Guarded;

extern "C" BOOL SHInitDialog(PSHINITDLGINFO info) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!info || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    HWND dialog = info->hDlg;
    DWORD flags = info->dwFlags;
    if (flags & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
      SetWindowPos(dialog, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (flags & SHIDIF_SIZEDLG) {
      // The part of the screen the input panel leaves uncovered.
      RECT area = handset::core::State<handset::shell::InputPanel>().VisibleDesktop();
      SetWindowPos(dialog, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (flags & SHIDIF_DONEBUTTON) {
      SetWindowLongW(dialog, GWL_EXSTYLE, GetWindowLongW(dialog, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_CAPTIONOKBTN));
      SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if ((flags & SHIDIF_EMPTYMENU) && !handset::shell::CreateSoftKeyBar(dialog, nullptr)) return FALSE;
    return TRUE;
  });
}
