#include <windows.h>

#include "windows/window_manager.h"

using handset::windows::Windows;

extern "C" {

ATOM RegisterClassW(const WNDCLASSW* wndClass) {
  if (!wndClass) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Windows().RegisterClass(*wndClass);
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSW info) {
  if (!className || !info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Windows().ClassInfo(className, instance, *info) ? TRUE : FALSE;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
  return Windows().UnregisterClass(className, instance) ? TRUE : FALSE;
}

}  // extern "C"
