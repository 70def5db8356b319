// Walking the window tree: parents, owners, siblings in z-order, children by identifier.
#include <algorithm>

#include "windows/window_manager.h"

namespace handset::windows {

HWND WindowManager::Parent(HWND handle) const {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  // A child's parent; a top-level window's owner. Windows CE answers the owner of every top-level
  // window, where desktop Win32 answers it for pop-ups only and nothing for the others.
  auto related = (window->style & WS_CHILD) ? window->parent.lock() : window->owner.lock();
  return related && related != tree_.Desktop() ? related->handle : nullptr;
}

HWND WindowManager::Related(HWND handle, UINT relation) const {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  if (relation == GW_CHILD) return window->children.empty() ? nullptr : window->children.front()->handle;
  if (relation == GW_OWNER) {
    auto owner = window->owner.lock();
    return owner ? owner->handle : nullptr;
  }
  auto parent = window->parent.lock();
  if (!parent) return nullptr;
  const auto& siblings = parent->children;
  auto at = std::find(siblings.begin(), siblings.end(), window);
  if (at == siblings.end()) return nullptr;
  switch (relation) {
    case GW_HWNDFIRST:
      return siblings.front()->handle;
    case GW_HWNDLAST:
      return siblings.back()->handle;
    case GW_HWNDNEXT:
      return at + 1 == siblings.end() ? nullptr : (*(at + 1))->handle;
    case GW_HWNDPREV:
      return at == siblings.begin() ? nullptr : (*(at - 1))->handle;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND WindowManager::ChildById(HWND parentHandle, int id) const {
  auto parent = Find(parentHandle);
  if (!parent) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  for (const auto& child : parent->children)
    if (static_cast<int>(child->id) == id) return child->handle;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

bool WindowManager::IsDescendant(HWND ancestorHandle, HWND handle) const {
  auto ancestor = Find(ancestorHandle);
  auto window = Find(handle);
  if (!ancestor || !window) return false;
  std::lock_guard lock(mutex_);
  for (auto w = window->parent.lock(); w; w = w->parent.lock())
    if (w == ancestor) return true;
  return false;
}

std::vector<HWND> WindowManager::Children(HWND handle) const {
  std::vector<HWND> handles;
  auto window = Find(handle);
  if (!window) return handles;
  std::lock_guard lock(mutex_);
  for (const auto& child : window->children) handles.push_back(child->handle);
  return handles;
}

std::vector<HWND> WindowManager::TopLevel() const {
  std::lock_guard lock(mutex_);
  std::vector<HWND> handles;
  for (const auto& window : tree_.TopLevelWindows()) handles.push_back(window->handle);
  return handles;
}

}  // namespace handset::windows
