#include <windows.h>

#include "windows/window_manager.h"

using handset::windows::Windows;

extern "C" {

BOOL ShowWindow(HWND window, int command) { return Windows().Show(window, command) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND window) { return Windows().IsVisible(window) ? TRUE : FALSE; }

BOOL EnableWindow(HWND window, BOOL enable) { return Windows().Enable(window, enable != FALSE).value_or(false); }

BOOL IsWindowEnabled(HWND window) { return Windows().IsEnabled(window) ? TRUE : FALSE; }

HWND SetFocus(HWND window) { return Windows().SetFocus(window); }

HWND GetFocus(void) { return Windows().Focus(); }

HWND GetActiveWindow(void) { return Windows().Active(); }

HWND SetActiveWindow(HWND window) { return Windows().Activate(window); }

// The handset shows one application at a time: the foreground window is the calling thread's
// active window.
HWND GetForegroundWindow(void) { return Windows().Active(); }

BOOL SetForegroundWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  Windows().Activate(window);
  return TRUE;
}

}  // extern "C"
