#include <windows.h>

#include <algorithm>

#include "windows/window_manager.h"

using handset::windows::Windows;

extern "C" {

LONG GetWindowLongW(HWND window, int index) {
  return static_cast<LONG>(Windows().GetData(window, index, 4).value_or(0));
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
  return static_cast<LONG>(Windows().SetData(window, index, value, 4).value_or(0));
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) { return Windows().GetData(window, index, 8).value_or(0); }

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  return Windows().SetData(window, index, value, 8).value_or(0);
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}

int GetClassNameW(HWND window, LPWSTR buffer, int capacity) {
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
}

}  // extern "C"
