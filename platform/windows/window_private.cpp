#include "windows/window_private.h"

#include "windows/window_manager.h"

namespace handset::windows {
namespace detail {

std::shared_ptr<void> FindPrivate(HWND window, std::type_index kind) {
  auto& manager = Windows();
  auto found = manager.Find(window);
  return found ? manager.PrivateOf(*found, kind) : nullptr;
}

std::shared_ptr<void> KeepPrivate(HWND window, std::type_index kind, std::shared_ptr<void> state, bool replace) {
  auto& manager = Windows();
  auto found = manager.Find(window);
  return found ? manager.KeepPrivate(*found, kind, std::move(state), replace) : nullptr;
}

}  // namespace detail

std::shared_ptr<void> WindowManager::PrivateOf(const Window& window, std::type_index kind) const {
  std::lock_guard lock(mutex_);
  for (const auto& [k, state] : window.privateStates)
    if (k == kind) return state;
  return nullptr;
}

std::shared_ptr<void> WindowManager::KeepPrivate(Window& window, std::type_index kind, std::shared_ptr<void> state,
                                                 bool replace) {
  std::shared_ptr<void> replaced;  // released outside the lock: its destructor may call the system
  std::lock_guard lock(mutex_);
  auto current = window.state.load();
  if (current != WindowState::Creating && current != WindowState::Alive) return nullptr;
  for (auto& [k, kept] : window.privateStates) {
    if (k != kind) continue;
    if (replace) {
      replaced = std::exchange(kept, std::move(state));
    }
    return kept;
  }
  window.privateStates.emplace_back(kind, std::move(state));
  ++privateStateCount_;
  return window.privateStates.back().second;
}

std::size_t LivePrivateStates() { return Windows().PrivateStateCount(); }

}  // namespace handset::windows
