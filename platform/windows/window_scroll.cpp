// Scroll bars of windows (SB_HORZ, SB_VERT) and of scroll-bar controls (SB_CTL). A window's bar
// is shown (WS_VSCROLL / WS_HSCROLL) while there is something to scroll and hidden otherwise,
// unless SIF_DISABLENOSCROLL keeps it; showing or hiding it changes the client area (WM_SIZE).
#include "core/names.h"
#include "windows/window_manager.h"

namespace handset::windows {
namespace {

bool ValidSize(UINT size) { return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int); }

}  // namespace

std::optional<int> WindowManager::SetScroll(HWND handle, int bar, const SCROLLINFO& info, bool redraw) {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  if (bar < SB_HORZ || bar > SB_CTL || !ValidSize(info.cbSize) ||
      (bar == SB_CTL && !core::SameName(ClassName(*window), u"scrollbar"))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  bool frameChanged = false;
  int position;
  {
    std::lock_guard lock(mutex_);
    auto& scrollBar = window->scrollBars[static_cast<std::size_t>(bar)];
    scrollBar.Apply(info);
    position = scrollBar.pos;
    if (bar != SB_CTL && (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL))) {
      DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
      bool show = scrollBar.Scrollable() || (info.fMask & SIF_DISABLENOSCROLL);
      if (show != ((window->style & styleBit) != 0)) {
        window->style = show ? (window->style | styleBit) : (window->style & ~styleBit);
        frameChanged = true;
      }
    }
  }
  if (frameChanged) {
    SendSize(handle);
    InvalidateArea(window, nullptr, true);
  } else if (redraw && bar == SB_CTL) {
    InvalidateArea(window, nullptr, true);
  } else if (redraw) {
    // The bar itself lies in the frame, which is drawn with the window's next paint.
    InvalidateArea(window, nullptr, false);
  }
  return position;
}

bool WindowManager::GetScroll(HWND handle, int bar, SCROLLINFO& info) const {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (bar < SB_HORZ || bar > SB_CTL || !ValidSize(info.cbSize) ||
      !(info.fMask & (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::lock_guard lock(mutex_);
  const auto& scrollBar = window->scrollBars[static_cast<std::size_t>(bar)];
  if (!scrollBar.exists && bar != SB_CTL) {
    SetLastError(ERROR_NO_SCROLLBARS);
    return false;
  }
  scrollBar.Read(info);
  return true;
}

}  // namespace handset::windows
