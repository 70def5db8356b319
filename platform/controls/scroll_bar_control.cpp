// The "scrollbar" class: a stand-alone scroll bar whose range, page and position are set with
// SB_CTL. It draws its track and its thumb; the scroll requests a user makes reach the parent as
// WM_VSCROLL / WM_HSCROLL with the bar's handle.
#include <windows.h>

#include <algorithm>

#include "controls/control_support.h"
#include "controls/standard_classes.h"
#include "gdi/outline.h"

namespace handset::controls {
namespace {

void Paint(HWND window, HDC dc, const RECT& client) {
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
    gdi::Outline(dc, thumbRect, GetSysColor(COLOR_WINDOWFRAME));
  }
}

}  // namespace

LRESULT ScrollBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PaintingDefault(window, message, wParam, lParam, [window](HDC dc, const RECT& client) { Paint(window, dc, client); });
}

}  // namespace handset::controls
