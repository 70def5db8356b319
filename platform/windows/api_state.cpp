#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

BOOL ShowWindow(HWND window, int command) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().Show(window, command) ? TRUE : FALSE; });
}

BOOL IsWindowVisible(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().IsVisible(window) ? TRUE : FALSE; });
}

BOOL EnableWindow(HWND window, BOOL enable) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().Enable(window, enable != FALSE).value_or(false); });
}

BOOL IsWindowEnabled(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().IsEnabled(window) ? TRUE : FALSE; });
}

HWND SetFocus(HWND window) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().SetFocus(window); });
}

HWND GetFocus(void) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().Focus(); });
}

HWND GetActiveWindow(void) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().Active(); });
}

HWND SetActiveWindow(HWND window) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().Activate(window); });
}

// The handset shows one application at a time: the foreground window is the calling thread's
// active window.
HWND GetForegroundWindow(void) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().Active(); });
}

BOOL SetForegroundWindow(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!IsWindow(window)) return FALSE;
    Windows().Activate(window);
    return TRUE;
  });
}

}  // extern "C"
