#include <windows.h>

#include <algorithm>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

LONG GetWindowLongW(HWND window, int index) {
  return Guarded<LONG>(0, [&]() -> LONG {
    return static_cast<LONG>(Windows().GetData(window, index, 4).value_or(0));
  });
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
  return Guarded<LONG>(0, [&]() -> LONG {
    return static_cast<LONG>(Windows().SetData(window, index, value, 4).value_or(0));
  });
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  return Guarded<LONG_PTR>(0, [&]() -> LONG_PTR { return Windows().GetData(window, index, 8).value_or(0); });
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  return Guarded<LONG_PTR>(0, [&]() -> LONG_PTR {
    return Windows().SetData(window, index, value, 8).value_or(0);
  });
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    return procedure ? procedure(window, message, wParam, lParam) : 0;
  });
}

int GetClassNameW(HWND window, LPWSTR buffer, int capacity) {
  return Guarded<int>(0, [&]() -> int {
    auto found = Windows().Find(window);
    if (!found) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (!buffer || capacity <= 0) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    auto name = Windows().ClassName(*found);
    std::size_t copied = std::min<std::size_t>(name.size(), static_cast<std::size_t>(capacity) - 1);
    std::copy_n(name.data(), copied, buffer);
    buffer[copied] = 0;
    return static_cast<int>(copied);
  });
}

}  // extern "C"
