#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

ATOM RegisterClassW(const WNDCLASSW* wndClass) {
  return Guarded<ATOM>(0, [&]() -> ATOM {
    if (!wndClass) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    return Windows().RegisterClass(*wndClass);
  });
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSW info) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!className || !info) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    return Windows().ClassInfo(className, instance, *info) ? TRUE : FALSE;
  });
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return Windows().UnregisterClass(className, instance) ? TRUE : FALSE;
  });
}

}  // extern "C"
