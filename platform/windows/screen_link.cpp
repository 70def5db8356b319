// The window manager's side of the screen and of window device contexts: the area a window's
// device context may paint, and what a change of the screen's size or rotation does to windows.
// On a rotation every top-level window hears WM_SETTINGCHANGE with SETTINGCHANGE_RESET first, and
// then each full-screen window is resized to the new screen (WM_WINDOWPOSCHANGED with
// SWP_NOOWNERZORDER, then WM_SIZE). As on the device, a window is full screen when its left, top
// and right edges lie at or beyond the screen's; what lay below it (a soft-key bar) stays below.
#include <algorithm>

#include "core/handset.h"
#include "gdi/window_dc.h"
#include "screen/screen.h"
#include "windows/rects.h"
#include "windows/window_manager.h"

namespace handset::windows {

void WindowManager::ConnectScreen() {
  auto& screen = core::State<screen::Screen>();
  auto geometry = screen.Current();
  screenSize_ = {geometry.width, geometry.height};
  gdi::SetWindowAreaQuery([](HWND window) { return Windows().AreaOf(window); });
  screen.OnChange([](const screen::Geometry& changed) { Windows().ScreenChanged(changed.width, changed.height); });
}

std::optional<gdi::WindowArea> WindowManager::AreaOf(HWND handle) const {
  auto window = Find(handle);
  if (!window) return std::nullopt;
  std::lock_guard lock(mutex_);
  POINT origin = ClientOriginLocked(*window);
  RECT clip{0, 0, 0, 0};
  if (IsVisibleLocked(*window)) {
    // The client area, cut by the client area of every ancestor.
    clip = Offset(*ClientRectLocked(*window), origin.x, origin.y);
    for (auto w = window->parent.lock(); w && w != tree_.Desktop(); w = w->parent.lock()) {
      POINT o = ClientOriginLocked(*w);
      auto inside = Intersection(clip, Offset(*ClientRectLocked(*w), o.x, o.y));
      clip = inside.value_or(RECT{0, 0, 0, 0});
    }
  }
  return gdi::WindowArea{origin, clip};
}

void WindowManager::ScreenChanged(int width, int height) {
  SIZE old;
  {
    std::lock_guard lock(mutex_);
    old = screenSize_;
    screenSize_ = {width, height};
  }
  auto topLevel = TopLevel();
  for (HWND window : topLevel) Send(window, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
  for (HWND window : topLevel) {
    auto placed = PlacementRect(window);
    if (!placed || placed->left > 0 || placed->top > 0 || placed->right < old.cx) continue;
    LONG below = std::max<LONG>(0, old.cy - placed->bottom);
    ApplyPositions({PositionChange{window, nullptr, 0, 0, width, std::max<LONG>(0, height - below),
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER}});
  }
}

}  // namespace handset::windows
