#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
  return Guarded<int>(0, [&]() -> int {
    if (!info) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    return Windows().SetScroll(window, bar, *info, redraw != FALSE).value_or(0);
  });
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!info) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    return Windows().GetScroll(window, bar, *info) ? TRUE : FALSE;
  });
}

int SetScrollPos(HWND window, int bar, int position, BOOL redraw) {
  return Guarded<int>(0, [&]() -> int {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    int previous = Windows().GetScroll(window, bar, info) ? info.nPos : 0;
    info.nPos = position;
    if (!Windows().SetScroll(window, bar, info, redraw != FALSE)) return 0;
    return previous;
  });
}

int GetScrollPos(HWND window, int bar) {
  return Guarded<int>(0, [&]() -> int {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return Windows().GetScroll(window, bar, info) ? info.nPos : 0;
  });
}

BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0};
    return Windows().SetScroll(window, bar, info, redraw != FALSE) ? TRUE : FALSE;
  });
}

BOOL GetScrollRange(HWND window, int bar, LPINT minimum, LPINT maximum) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    bool ok = Windows().GetScroll(window, bar, info);
    if (minimum) *minimum = ok ? info.nMin : 0;
    if (maximum) *maximum = ok ? info.nMax : 0;
    return ok ? TRUE : FALSE;
  });
}

}  // extern "C"
