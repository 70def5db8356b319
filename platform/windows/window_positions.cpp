// Changing windows' places, sizes, z-order and visibility, one window (SetWindowPos) or a batch
// (EndDeferWindowPos) at a time. A batch is applied at once: every window is told what is coming
// (WM_WINDOWPOSCHANGING), then all take their new places together, then each moved window and each
// parent is invalidated once, and only then each hears WM_WINDOWPOSCHANGED, whose default handling
// sends WM_MOVE and WM_SIZE. So a window that reacts to its move already sees its siblings at
// their new places, and the parent repaints once for the whole batch.
#include <algorithm>
#include <map>

#include "windows/rects.h"
#include "windows/window_manager.h"

namespace handset::windows {
namespace {

struct Applied {
  std::shared_ptr<Window> window;
  std::shared_ptr<Window> parent;
  RECT before{};
  RECT after{};
  UINT flags = 0;  // as asked, plus SWP_NOMOVE / SWP_NOSIZE for what did not change
  bool changed = false;
  bool shown = false;
  bool hidden = false;
};

void Restack(std::vector<std::shared_ptr<Window>>& siblings, const std::shared_ptr<Window>& window, HWND insertAfter) {
  auto at = std::find(siblings.begin(), siblings.end(), window);
  if (at == siblings.end()) return;
  siblings.erase(at);
  if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    siblings.insert(siblings.begin(), window);
    return;
  }
  if (insertAfter == HWND_BOTTOM) {
    siblings.push_back(window);
    return;
  }
  auto after = std::find_if(siblings.begin(), siblings.end(), [&](const auto& w) { return w->handle == insertAfter; });
  siblings.insert(after == siblings.end() ? siblings.end() : after + 1, window);
}

}  // namespace

bool WindowManager::ApplyPositions(std::vector<PositionChange> changes) {
  for (const auto& change : changes)
    if (!Find(change.window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return false;
    }

  std::vector<WINDOWPOS> positions;
  for (const auto& c : changes) {
    WINDOWPOS position{c.window, c.insertAfter, c.x, c.y, c.cx, c.cy, c.flags};
    if (!(c.flags & SWP_NOSENDCHANGING)) Send(c.window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    positions.push_back(position);
  }

  std::vector<Applied> applied;
  {
    std::lock_guard lock(mutex_);
    for (const auto& position : positions) {
      auto window = Find(position.hwnd);
      if (!window) continue;
      Applied a;
      a.window = window;
      a.parent = window->parent.lock();
      a.before = window->rect;
      RECT r = window->rect;
      if (!(position.flags & SWP_NOMOVE)) r = Offset(r, position.x - r.left, position.y - r.top);
      if (!(position.flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(position.cx, 0);
        r.bottom = r.top + std::max(position.cy, 0);
      }
      a.after = r;
      window->rect = r;
      bool moved = r.left != a.before.left || r.top != a.before.top;
      bool sized = (r.right - r.left) != (a.before.right - a.before.left) ||
                   (r.bottom - r.top) != (a.before.bottom - a.before.top);
      a.flags = position.flags | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
      a.shown = (position.flags & SWP_SHOWWINDOW) && !(window->style & WS_VISIBLE);
      a.hidden = (position.flags & SWP_HIDEWINDOW) && (window->style & WS_VISIBLE);
      if (a.shown) window->style |= WS_VISIBLE;
      if (a.hidden) window->style &= ~WS_VISIBLE;
      bool restacked = false;
      if (!(position.flags & SWP_NOZORDER) && a.parent) {
        auto order = a.parent->children;
        Restack(a.parent->children, window, position.hwndInsertAfter);
        restacked = order != a.parent->children;
      }
      a.changed = moved || sized || a.shown || a.hidden || restacked;
      applied.push_back(a);
    }
  }

  // One invalidation per window and one per parent, covering where the windows were and are.
  std::map<std::shared_ptr<Window>, RECT> parentAreas;
  for (auto& a : applied) {
    if (!a.changed || (a.flags & SWP_NOREDRAW)) continue;
    if (a.hidden) {
      bool erase;
      TakeUpdate(a.window, erase);
    } else {
      InvalidateArea(a.window, nullptr, true);
    }
    if (!a.parent) continue;
    RECT area = Union(a.before, a.after);
    auto [it, fresh] = parentAreas.try_emplace(a.parent, area);
    if (!fresh) it->second = Union(it->second, area);
  }
  for (auto& [parent, area] : parentAreas) {
    if (parent != tree_.Desktop()) {
      InvalidateArea(parent, &area, true);
      continue;
    }
    // Top-level windows uncover one another.
    for (HWND other : TopLevel())
      if (auto w = Find(other)) {
        auto overlap = Intersection(area, w->rect);
        if (!overlap) continue;
        RECT inClient = Offset(*overlap, -w->rect.left, -w->rect.top);
        InvalidateArea(w, &inClient, true);
      }
  }

  for (auto& a : applied) {
    if (!a.changed || !Find(a.window->handle)) continue;
    WINDOWPOS position{a.window->handle, nullptr, a.after.left, a.after.top, a.after.right - a.after.left,
                       a.after.bottom - a.after.top, a.flags};
    Send(a.window->handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  }
  for (auto& a : applied) {
    bool topLevel = !a.parent || a.parent == tree_.Desktop();
    if (topLevel && !(a.flags & SWP_NOACTIVATE) && !a.hidden && IsVisible(a.window->handle) &&
        a.window->threadId == GetCurrentThreadId())
      Activate(a.window->handle);
    if (a.hidden && Active() == a.window->handle) ActivateOther(a.window->handle);
  }
  return true;
}

}  // namespace handset::windows
