#include <windows.h>

#include "windows/window_manager.h"

using handset::windows::Windows;

extern "C" {

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
  return Windows().SetTimer(window, id, elapse, timerProc);
}

BOOL KillTimer(HWND window, UINT_PTR id) { return Windows().KillTimer(window, id) ? TRUE : FALSE; }

}  // extern "C"
