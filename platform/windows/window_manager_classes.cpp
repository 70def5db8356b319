#include "windows/window_manager.h"

namespace handset::windows {

ATOM WindowManager::RegisterClass(const WNDCLASSW& description) {
  std::lock_guard lock(mutex_);
  DWORD error = 0;
  auto windowClass = classes_.Register(description, error);
  if (!windowClass) {
    SetLastError(error);
    return 0;
  }
  return windowClass->atom;
}

bool WindowManager::UnregisterClass(LPCWSTR nameOrAtom, HINSTANCE instance) {
  std::lock_guard lock(mutex_);
  DWORD error = 0;
  if (classes_.Unregister(nameOrAtom, instance, error)) return true;
  SetLastError(error);
  return false;
}

}  // namespace handset::windows
