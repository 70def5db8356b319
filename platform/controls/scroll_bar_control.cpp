// The "scrollbar" class: a stand-alone scroll bar whose range, page and position are set with
// SB_CTL. It draws its track and its thumb; the scroll requests a user makes reach the parent as
// WM_VSCROLL / WM_HSCROLL with the bar's handle.
#include <windows.h>

#include <algorithm>

#include "controls/control_support.h"
#include "controls/standard_classes.h"

namespace handset::controls {
namespace {

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  HBRUSH track = GetSysColorBrush(COLOR_SCROLLBAR);
  FillRect(dc, &client, track);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  if (GetScrollInfo(window, SB_CTL, &info) && info.nMax > info.nMin) {
    bool vertical = (GetWindowLongW(window, GWL_STYLE) & SBS_VERT) != 0;
    LONG length = vertical ? client.bottom : client.right;
    double span = static_cast<double>(info.nMax) - info.nMin + 1;
    LONG thumb = std::max<LONG>(8, static_cast<LONG>(length * (info.nPage ? info.nPage / span : 0.1)));
    LONG start = static_cast<LONG>((length - thumb) * ((info.nPos - info.nMin) / std::max(1.0, span - std::max(1u, info.nPage))));
    RECT thumbRect = vertical ? RECT{client.left, start, client.right, start + thumb}
                              : RECT{start, client.top, start + thumb, client.bottom};
    FillRect(dc, &thumbRect, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, thumbRect, GetSysColor(COLOR_WINDOWFRAME));
  }
  EndPaint(window, &paint);
}

}  // namespace

LRESULT ScrollBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace handset::controls
