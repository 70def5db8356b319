// Where windows lie: a window's rectangle is kept in its parent's client coordinates; its client
// area is that rectangle less its frame, caption and scroll bars.
#include "windows/window_manager.h"
#include "windows/window_metrics.h"

namespace handset::windows {

std::optional<RECT> WindowManager::ClientRectLocked(const Window& window) const {
  RECT insets = NonClientInsets(window.style);
  LONG width = (window.rect.right - window.rect.left) - insets.left - insets.right;
  LONG height = (window.rect.bottom - window.rect.top) - insets.top - insets.bottom;
  return RECT{0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
}

POINT WindowManager::ClientOriginLocked(const Window& window) const {
  POINT origin{0, 0};
  for (const Window* w = &window; w && w != tree_.Desktop().get(); w = w->parent.lock().get()) {
    RECT insets = NonClientInsets(w->style);
    origin.x += w->rect.left + insets.left;
    origin.y += w->rect.top + insets.top;
  }
  return origin;
}

std::optional<RECT> WindowManager::WindowRectOnScreen(HWND handle) const {
  auto window = Find(handle);
  if (!window) return std::nullopt;
  std::lock_guard lock(mutex_);
  POINT parentOrigin{0, 0};
  if (auto parent = window->parent.lock(); parent && parent != tree_.Desktop()) parentOrigin = ClientOriginLocked(*parent);
  RECT r = window->rect;
  return RECT{r.left + parentOrigin.x, r.top + parentOrigin.y, r.right + parentOrigin.x, r.bottom + parentOrigin.y};
}

std::optional<RECT> WindowManager::ClientRect(HWND handle) const {
  auto window = Find(handle);
  if (!window) return std::nullopt;
  std::lock_guard lock(mutex_);
  return ClientRectLocked(*window);
}

std::optional<POINT> WindowManager::ClientOriginOnScreen(HWND handle) const {
  auto window = Find(handle);
  if (!window) return std::nullopt;
  std::lock_guard lock(mutex_);
  return ClientOriginLocked(*window);
}

std::optional<RECT> WindowManager::PlacementRect(HWND handle) const {
  auto window = Find(handle);
  if (!window) return std::nullopt;
  std::lock_guard lock(mutex_);
  return window->rect;
}

}  // namespace handset::windows
