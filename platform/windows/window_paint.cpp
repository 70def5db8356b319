// The update rectangles behind lazy painting. A window whose update rectangle is not empty waits
// in its thread's queue for WM_PAINT; BeginPaint takes the rectangle out again. Hidden windows are
// never invalid.
#include <algorithm>

#include "windows/rects.h"
#include "windows/window_manager.h"
#include "windows/window_metrics.h"

namespace handset::windows {

void WindowManager::InvalidateLocked(Window& window, const RECT* rect, bool erase,
                                     std::vector<std::shared_ptr<MessageQueue>>& wake, std::vector<HWND>& windows) {
  if (!IsVisibleLocked(window) || window.state == WindowState::Gone) return;
  RECT client = *ClientRectLocked(window);
  auto area = rect ? Intersection(*rect, client) : (IsEmpty(client) ? std::nullopt : std::optional<RECT>(client));
  if (!area) return;
  window.update = window.update ? Union(*window.update, *area) : *area;
  window.eraseOnPaint = window.eraseOnPaint || erase;
  wake.push_back(window.queue);
  windows.push_back(window.handle);
  CoverAbove(window, *area, erase, wake, windows);
  // A window's device context is clipped to a rectangle, never around its children, even with
  // WS_CLIPCHILDREN: whatever the parent paints covers its children, so they are painted again
  // after it (a parent is painted before its children).
  for (const auto& child : window.children) {
    auto overlap = Intersection(*area, child->rect);
    if (!overlap) continue;
    RECT insets = NonClientInsets(child->style);
    RECT inChild = Offset(*overlap, -(child->rect.left + insets.left), -(child->rect.top + insets.top));
    InvalidateLocked(*child, &inChild, erase, wake, windows);
  }
}

// Top-level windows are not clipped by the ones above them, so whatever paints below repaints what
// lies over it as well, and WM_PAINT comes to the lower windows first.
void WindowManager::CoverAbove(const Window& window, const RECT& area, bool erase,
                               std::vector<std::shared_ptr<MessageQueue>>& wake, std::vector<HWND>& windows) {
  auto self = handset_.Handles().Find<Window>(window.handle);
  if (!self) return;
  auto top = tree_.TopLevelAncestor(self);
  const auto& tops = tree_.Desktop()->children;
  auto at = std::find(tops.begin(), tops.end(), top);
  if (at == tops.end()) return;
  POINT origin = ClientOriginLocked(window);
  RECT onScreen = Offset(area, origin.x, origin.y);
  for (auto above = tops.begin(); above != at; ++above) {
    Window& cover = **above;
    if (!IsVisibleLocked(cover)) continue;
    POINT coverOrigin = ClientOriginLocked(cover);
    auto overlap = Intersection(onScreen, Offset(*ClientRectLocked(cover), coverOrigin.x, coverOrigin.y));
    if (!overlap) continue;
    RECT inCover = Offset(*overlap, -coverOrigin.x, -coverOrigin.y);
    if (cover.update && Contains(*cover.update, inCover)) continue;
    InvalidateLocked(cover, &inCover, erase, wake, windows);
  }
}

void WindowManager::InvalidateArea(const std::shared_ptr<Window>& window, const RECT* rect, bool erase) {
  std::vector<std::shared_ptr<MessageQueue>> queues;
  std::vector<HWND> windows;
  {
    std::lock_guard lock(mutex_);
    InvalidateLocked(*window, rect, erase, queues, windows);
  }
  for (std::size_t i = 0; i < windows.size(); ++i) queues[i]->Invalidate(windows[i]);
}

void WindowManager::ValidateArea(const std::shared_ptr<Window>& window, const RECT* rect) {
  {
    std::lock_guard lock(mutex_);
    if (!window->update) return;
    // A rectangle that leaves part of the update uncovered leaves the window invalid.
    if (rect && !Contains(*rect, *window->update)) return;
    window->update.reset();
    window->eraseOnPaint = false;
  }
  window->queue->Validate(window->handle);
}

std::optional<RECT> WindowManager::TakeUpdate(const std::shared_ptr<Window>& window, bool& erase) {
  std::optional<RECT> update;
  {
    std::lock_guard lock(mutex_);
    update = window->update;
    erase = window->eraseOnPaint;
    window->update.reset();
    window->eraseOnPaint = false;
  }
  window->queue->Validate(window->handle);
  return update;
}

std::optional<RECT> WindowManager::PeekUpdate(const Window& window) const {
  std::lock_guard lock(mutex_);
  return window.update;
}

}  // namespace handset::windows
