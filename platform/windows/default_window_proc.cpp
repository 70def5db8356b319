// What a window does with the messages its own procedure leaves to the system.
#include <windows.h>

#include <algorithm>

#include "windows/window_manager.h"

using handset::windows::Windows;

extern "C" LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& manager = Windows();
  auto window = manager.Find(hwnd);
  if (!window) return 0;
  switch (message) {
    case WM_CLOSE:
      manager.Destroy(hwnd);
      return 0;
    case WM_SETTEXT: {
      auto text = reinterpret_cast<LPCWSTR>(lParam);
      manager.SetText(*window, text ? std::u16string(text) : std::u16string());
      return TRUE;
    }
    case WM_GETTEXT: {
      auto buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || !wParam) return 0;
      auto text = manager.Text(*window);
      std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
      std::copy_n(text.data(), copied, buffer);
      buffer[copied] = 0;
      return static_cast<LRESULT>(copied);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(manager.Text(*window).size());
    case WM_PAINT:
      // Painting nothing still makes the window valid, or WM_PAINT would come back for ever.
      manager.Validate(*window);
      return 0;
    default:
      return 0;
  }
}
