#include <windows.h>

#include <string>

#include "core/api_guard.h"
#include "handset/text.h"
#include "trace/trace.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

namespace {

// A class or window name as the trace shows it: its text, "#atom" for an atom, "" for none.
std::string TraceName(LPCWSTR name) {
  if (!name) return {};
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  return handset::Utf8(name);
}

}  // namespace

extern "C" {

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return Guarded<HWND>(nullptr, [&]() -> HWND {
    return Windows().Create(
        {exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, param});
  });
}

BOOL DestroyWindow(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().Destroy(window) ? TRUE : FALSE; });
}

BOOL IsWindow(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return window && Windows().Find(window) ? TRUE : FALSE; });
}

// Every class of the handset is registered through the Unicode functions, so every window is.
BOOL IsWindowUnicode(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (window && Windows().Find(window)) return TRUE;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  });
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  return Guarded<HWND>(nullptr, [&]() -> HWND {
    if (handset::trace::Enabled()) handset::trace::Record("FindWindowW", {TraceName(className), TraceName(windowName)});
    return Windows().FindTopLevel(className, windowName);
  });
}

}  // extern "C"
