// Timers belong to the queue of the thread that sets them; a window's timers to its own thread,
// which alone may set or kill them.
#include "windows/window_manager.h"

namespace handset::windows {

UINT_PTR WindowManager::SetTimer(HWND handle, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  if (!handle) return CurrentQueue()->SetTimer(nullptr, 0, elapse, procedure).value_or(0);
  auto window = FindOwn(handle);
  if (!window) return 0;
  if (!window->queue->SetTimer(handle, id, elapse, procedure)) return 0;
  // A window timer is named by the caller's identifier; zero would read as failure.
  return id ? id : 1;
}

bool WindowManager::KillTimer(HWND handle, UINT_PTR id) {
  std::shared_ptr<MessageQueue> queue;
  if (handle) {
    auto window = FindOwn(handle);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);  // whoever owns it: KillTimer knows no other error
      return false;
    }
    queue = window->queue;
  } else {
    queue = CurrentQueue();
  }
  if (queue->KillTimer(handle, id)) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace handset::windows
