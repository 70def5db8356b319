#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
  return Guarded<UINT_PTR>(0, [&]() -> UINT_PTR {
    return Windows().SetTimer(window, id, elapse, timerProc);
  });
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().KillTimer(window, id) ? TRUE : FALSE; });
}

}  // extern "C"
