// Visible, enabled, focus and activation, with the messages of Win32: WM_SHOWWINDOW, WM_ENABLE,
// WM_KILLFOCUS to the window losing the focus before WM_SETFOCUS to the one gaining it, and
// WM_ACTIVATE to the window losing activation before the one gaining it. Focus and the active
// window are kept per thread.
#include <algorithm>

#include "windows/window_manager.h"

namespace handset::windows {

bool WindowManager::IsVisible(HWND handle) const {
  auto window = Find(handle);
  if (!window) return false;
  std::lock_guard lock(mutex_);
  return IsVisibleLocked(*window);
}

bool WindowManager::IsEnabled(HWND handle) const {
  auto window = Find(handle);
  if (!window) return false;
  std::lock_guard lock(mutex_);
  return !(window->style & WS_DISABLED);
}

void WindowManager::ChangeStyle(Window& window, DWORD set, DWORD clear) {
  std::lock_guard lock(mutex_);
  window.style = (window.style & ~clear) | set;
}

bool WindowManager::Show(HWND handle, int command) {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  bool show = command != SW_HIDE;
  bool wasVisible, topLevel;
  {
    std::lock_guard lock(mutex_);
    wasVisible = (window->style & WS_VISIBLE) != 0;
    topLevel = !(window->style & WS_CHILD);
  }
  bool activate = show && topLevel && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE;
  if (show == wasVisible) {
    if (activate && Active() != handle && IsEnabled(handle)) Activate(handle);
    return wasVisible;
  }
  Send(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!Find(handle)) return wasVisible;

  if (show) {
    ChangeStyle(*window, WS_VISIBLE, 0);
    std::vector<std::shared_ptr<Window>> subtree;
    {
      std::lock_guard lock(mutex_);
      subtree = tree_.Subtree(window);
    }
    for (const auto& w : subtree) InvalidateArea(w, nullptr, true);
    if (activate && IsEnabled(handle)) Activate(handle);
    return wasVisible;
  }

  // The focus leaves a window that is hidden, for its parent (a child) or for nobody.
  HWND focus = Focus();
  if (focus && (focus == handle || IsDescendant(handle, focus)))
    SetFocus(topLevel ? nullptr : Parent(handle));
  std::vector<std::shared_ptr<Window>> subtree;
  std::shared_ptr<Window> parent;
  RECT area;
  {
    std::lock_guard lock(mutex_);
    window->style &= ~WS_VISIBLE;
    subtree = tree_.Subtree(window);
    parent = window->parent.lock();
    area = window->rect;
  }
  bool erase = false;
  for (const auto& w : subtree) TakeUpdate(w, erase);
  // What the window covered is painted again by what lies below it.
  if (parent && parent != tree_.Desktop()) {
    InvalidateArea(parent, &area, true);
  } else {
    for (HWND other : TopLevel())
      if (auto w = Find(other)) InvalidateArea(w, nullptr, true);
  }
  if (topLevel && Active() == handle) ActivateOther(handle);
  return wasVisible;
}

std::optional<bool> WindowManager::Enable(HWND handle, bool enable) {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  bool wasDisabled;
  {
    std::lock_guard lock(mutex_);
    wasDisabled = (window->style & WS_DISABLED) != 0;
  }
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) {
    ChangeStyle(*window, 0, WS_DISABLED);
  } else {
    ChangeStyle(*window, WS_DISABLED, 0);
    HWND focus = Focus();
    if (focus && (focus == handle || IsDescendant(handle, focus))) SetFocus(nullptr);
  }
  Send(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
  if (Find(handle)) InvalidateArea(window, nullptr, true);
  return wasDisabled;
}

HWND WindowManager::Focus() const {
  std::lock_guard lock(mutex_);
  auto it = input_.find(GetCurrentThreadId());
  return it == input_.end() ? nullptr : it->second.focus;
}

HWND WindowManager::Active() const {
  std::lock_guard lock(mutex_);
  auto it = input_.find(GetCurrentThreadId());
  return it == input_.end() ? nullptr : it->second.active;
}

HWND WindowManager::SetFocus(HWND handle) {
  DWORD thread = GetCurrentThreadId();
  if (handle) {
    auto window = Find(handle);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    std::shared_ptr<Window> top;
    {
      std::lock_guard lock(mutex_);
      if (window->threadId != thread) return nullptr;  // another thread's window
      // A window that is disabled, or inside a disabled one, cannot take the focus.
      for (auto w = window; w && w != tree_.Desktop(); w = w->parent.lock())
        if (w->style & WS_DISABLED) return nullptr;
      top = tree_.TopLevelAncestor(window);
    }
    if (Active() != top->handle) {
      Activate(top->handle);
      if (!Find(handle) || Active() != top->handle) return nullptr;
    }
  }
  HWND previous;
  {
    std::lock_guard lock(mutex_);
    auto& input = InputLocked(thread);
    previous = input.focus;
    if (previous == handle) return previous;
    input.focus = handle;
  }
  if (previous && Find(previous)) {
    Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
    if (Focus() != handle) return previous;  // the procedure moved the focus elsewhere
  }
  if (handle && Find(handle)) Send(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND WindowManager::Activate(HWND handle) {
  DWORD thread = GetCurrentThreadId();
  std::shared_ptr<Window> top;
  if (handle) {
    auto window = Find(handle);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    std::lock_guard lock(mutex_);
    if (window->threadId != thread) return nullptr;
    top = tree_.TopLevelAncestor(window);
    handle = top->handle;
  }
  HWND previous;
  {
    std::lock_guard lock(mutex_);
    auto& input = InputLocked(thread);
    previous = input.active;
    if (previous == handle) return previous;
    input.active = handle;
    // The window activated comes to the top of the z-order.
    if (top) {
      auto& siblings = tree_.Desktop()->children;
      auto at = std::find(siblings.begin(), siblings.end(), top);
      if (at != siblings.end()) std::rotate(siblings.begin(), at, at + 1);
    }
  }
  if (previous && Find(previous))
    Send(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(handle));
  if (handle && Find(handle)) {
    Send(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(previous));
  } else if (!handle) {
    SetFocus(nullptr);
  }
  return previous;
}

void WindowManager::ActivateOther(HWND leaving) {
  // The owner first, then the topmost other window of the thread that is visible and enabled.
  HWND next = nullptr;
  {
    auto window = Find(leaving);
    std::lock_guard lock(mutex_);
    auto usable = [&](const std::shared_ptr<Window>& w) {
      return w && w->handle != leaving && w->threadId == GetCurrentThreadId() && IsVisibleLocked(*w) &&
             !(w->style & WS_DISABLED) && w->state == WindowState::Alive;
    };
    if (auto owner = window ? window->owner.lock() : nullptr; usable(owner)) next = owner->handle;
    if (!next)
      for (const auto& w : tree_.TopLevelWindows())
        if (usable(w)) {
          next = w->handle;
          break;
        }
  }
  Activate(next);
}

void WindowManager::ForgetInput(const std::vector<std::shared_ptr<Window>>& released) {
  std::lock_guard lock(mutex_);
  for (auto& [thread, input] : input_)
    for (const auto& w : released) {
      if (input.focus == w->handle) input.focus = nullptr;
      if (input.active == w->handle) input.active = nullptr;
      if (input.capture == w->handle) input.capture = nullptr;
    }
}

}  // namespace handset::windows
