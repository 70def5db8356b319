#include "windows/non_client.h"

#include <algorithm>

#include "gdi/outline.h"
#include "gdi/window_dc.h"
#include "windows/window_manager.h"
#include "windows/window_metrics.h"

namespace handset::windows {
namespace {

void Bar(HDC dc, const RECT& track, HWND window, int which) {
  bool vertical = which == SB_VERT;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(window, which, &info);
  ScrollBar bar;
  bar.Apply(info);
  FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
  if (!bar.Scrollable()) return;
  auto thumb = bar.Thumb(vertical ? track.bottom - track.top : track.right - track.left);
  RECT r = vertical ? RECT{track.left, track.top + thumb.start, track.right, track.top + thumb.start + thumb.length}
                    : RECT{track.left + thumb.start, track.top, track.left + thumb.start + thumb.length, track.bottom};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  gdi::Outline(dc, r, GetSysColor(COLOR_WINDOWFRAME));
}

}  // namespace

void PaintNonClient(HWND handle) {
  auto& manager = Windows();
  auto window = manager.Find(handle);
  if (!window) return;
  DWORD style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
  RECT insets = NonClientInsets(style);
  if (!insets.left && !insets.top && !insets.right && !insets.bottom) return;
  auto placed = manager.WindowRectOnScreen(handle);
  auto area = manager.AreaOf(handle);
  if (!placed || !area || !IsWindowVisible(handle)) return;
  // A device context over the whole window, clipped to where the window may show.
  RECT clip = *placed;
  if (GetParent(handle) && (style & WS_CHILD)) {
    auto parentArea = manager.AreaOf(GetParent(handle));
    if (parentArea) {
      clip.left = std::max(clip.left, parentArea->clip.left);
      clip.top = std::max(clip.top, parentArea->clip.top);
      clip.right = std::min(clip.right, parentArea->clip.right);
      clip.bottom = std::min(clip.bottom, parentArea->clip.bottom);
    }
  }
  HDC dc = gdi::OpenWindowDC(handle, {{placed->left, placed->top}, clip});
  if (!dc) return;
  RECT whole{0, 0, placed->right - placed->left, placed->bottom - placed->top};
  int frame = (style & WS_DLGFRAME) ? *WindowMetric(SM_CXDLGFRAME) : ((style & WS_BORDER) ? 1 : 0);
  for (int i = 0; i < frame; ++i) gdi::Outline(dc, {whole.left + i, whole.top + i, whole.right - i, whole.bottom - i}, GetSysColor(COLOR_WINDOWFRAME));
  if ((style & WS_CAPTION) == WS_CAPTION) {
    RECT caption{frame, frame, whole.right - frame, frame + *WindowMetric(SM_CYCAPTION)};
    FillRect(dc, &caption, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    auto title = manager.Text(*window);
    RECT text{caption.left + 4, caption.top, caption.right - 4, caption.bottom};
    if (static_cast<DWORD>(GetWindowLongW(handle, GWL_EXSTYLE)) & WS_EX_CAPTIONOKBTN) {
      DrawTextW(dc, u"ok", -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      text.right -= caption.bottom - caption.top;
    }
    DrawTextW(dc, title.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, previous);
  }
  RECT client = *manager.ClientRect(handle);
  LONG left = insets.left, top = insets.top;
  if (style & WS_VSCROLL) {
    RECT track{left + client.right, top, left + client.right + *WindowMetric(SM_CXVSCROLL), top + client.bottom};
    Bar(dc, track, handle, SB_VERT);
  }
  if (style & WS_HSCROLL) {
    RECT track{left, top + client.bottom, left + client.right, top + client.bottom + *WindowMetric(SM_CYHSCROLL)};
    Bar(dc, track, handle, SB_HORZ);
  }
  gdi::CloseWindowDC(handle, dc);
}

}  // namespace handset::windows
