#include "windows/window_manager.h"

#include <iterator>

#include "core/names.h"

namespace handset::windows {

WindowManager& Windows() { return core::State<WindowManager>(); }

WindowManager::WindowManager(core::Handset& handset) : handset_(handset) {
  clock::Clock();  // made first, so that it outlives the queues whose timers wait on it
  ConnectScreen();
}

WindowManager::~WindowManager() {
  for (const auto& window : tree_.TopLevelWindows()) Release(window);
  for (const auto& queue : queues_.All()) queue->Close();
}

std::shared_ptr<Window> WindowManager::Find(HWND handle) const {
  auto window = handset_.Handles().Find<Window>(handle);
  if (!window || window->state == WindowState::Gone) return nullptr;
  return window;
}

std::shared_ptr<Window> WindowManager::FindOwn(HWND handle) const {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (window->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return window;
}

HWND WindowManager::FindTopLevel(LPCWSTR className, LPCWSTR title) const {
  std::lock_guard lock(mutex_);
  ATOM atom = 0;
  if (className) {
    atom = classes_.AtomOf(className);
    if (!atom) return nullptr;  // no class was ever called so
  }
  for (const auto& window : tree_.TopLevelWindows()) {
    if (atom && window->windowClass->atom != atom) continue;
    if (title && !core::SameName(window->text, title)) continue;
    return window->handle;
  }
  return nullptr;
}

LRESULT WindowManager::CallProcedure(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  WNDPROC procedure;
  {
    std::lock_guard lock(mutex_);
    procedure = window->procedure;
  }
  return procedure ? procedure(window->handle, message, wParam, lParam) : 0;
}

std::u16string WindowManager::Text(const Window& window) const {
  std::lock_guard lock(mutex_);
  return window.text;
}

void WindowManager::SetText(Window& window, std::u16string text) {
  std::lock_guard lock(mutex_);
  window.text = std::move(text);
}

HBRUSH WindowManager::ClassBackground(const Window& window) const {
  std::lock_guard lock(mutex_);
  return window.windowClass->background;
}

bool WindowManager::IsVisibleLocked(const Window& window) const {
  for (const Window* w = &window; w; w = w->parent.lock().get())
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

void WindowManager::Release(const std::shared_ptr<Window>& window) {
  std::vector<std::shared_ptr<Window>> released;
  // Destroyed after the lock is given back: a state's destructor may call the system.
  std::vector<std::pair<std::type_index, std::shared_ptr<void>>> privateStates;
  {
    std::lock_guard lock(mutex_);
    if (window->state == WindowState::Gone) return;
    released = tree_.Subtree(window);
    tree_.Unlink(*window);
    // Children before their parents, as their handles would go on Win32.
    for (auto it = released.rbegin(); it != released.rend(); ++it) {
      auto& w = **it;
      handset_.Handles().Remove<Window>(w.handle);
      --w.windowClass->windowCount;
      w.children.clear();
      w.state = WindowState::Gone;
      privateStateCount_ -= w.privateStates.size();
      std::move(w.privateStates.begin(), w.privateStates.end(), std::back_inserter(privateStates));
      w.privateStates.clear();
    }
  }
  for (const auto& w : released) w->queue->ForgetWindow(w->handle);
  ForgetInput(released);
}

void WindowManager::ThreadEnded(const std::shared_ptr<MessageQueue>& queue) {
  queue->Close();
  queues_.Remove(queue);
  {
    std::lock_guard lock(mutex_);
    input_.erase(queue->ThreadId());
  }
  std::vector<std::shared_ptr<Window>> orphans;
  {
    std::lock_guard lock(mutex_);
    for (const auto& window : tree_.Subtree(tree_.Desktop()))
      if (window->queue == queue) orphans.push_back(window);
  }
  for (const auto& window : orphans) Release(window);
}

}  // namespace handset::windows
