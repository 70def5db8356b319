// What a window does with the messages its own procedure leaves to the system.
#include <windows.h>

#include <algorithm>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
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
      case WM_PAINT: {
        // Painting nothing still makes the window valid, or WM_PAINT would come back for ever.
        PAINTSTRUCT paint;
        if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
        return 0;
      }
      case WM_ERASEBKGND: {
        HBRUSH background = manager.ClassBackground(*window);
        if (!background) return 0;
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background);
        return 1;
      }
      case WM_CTLCOLORMSGBOX:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORDLG:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORSCROLLBAR: {
        // The system's colours: statics and dialogs in the static colours, edits and lists in the
        // window colours.
        auto dc = reinterpret_cast<HDC>(wParam);
        bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        int back = message == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : field ? COLOR_WINDOW : COLOR_STATIC;
        SetTextColor(dc, GetSysColor(field ? COLOR_WINDOWTEXT : COLOR_STATICTEXT));
        SetBkColor(dc, GetSysColor(back));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
      }
      case WM_WINDOWPOSCHANGED: {
        auto position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!position) return 0;
        if (!(position->flags & SWP_NOMOVE)) manager.SendMove(hwnd);
        if (!(position->flags & SWP_NOSIZE)) manager.SendSize(hwnd);
        return 0;
      }
      case WM_ACTIVATE:
        // A window that becomes active takes the focus.
        if (LOWORD(wParam) != WA_INACTIVE) manager.SetFocus(hwnd);
        return 0;
      default:
        return 0;
    }
  });
}
