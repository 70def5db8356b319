// AdjustWindowRectEx: the window rectangle whose client area is the given one, grown by the same
// frame, caption and scroll bars that the window system takes from a window of that style. A
// window on Windows CE has no menu bar of its own (the menu bar is a window of the shell), so the
// menu flag adds nothing; no extended style of the handset changes the frame.
#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_metrics.h"

using handset::core::Guarded;

extern "C" BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!rect) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    RECT insets = handset::windows::NonClientInsets(style);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
  });
}
