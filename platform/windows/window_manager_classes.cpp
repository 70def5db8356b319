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

bool WindowManager::ClassInfo(LPCWSTR nameOrAtom, HINSTANCE instance, WNDCLASSW& info) const {
  std::lock_guard lock(mutex_);
  auto found = classes_.Find(nameOrAtom, instance);
  if (!found) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return false;
  }
  info.style = found->style;
  info.lpfnWndProc = found->procedure;
  info.cbClsExtra = static_cast<int>(found->classExtraBytes.size());
  info.cbWndExtra = found->windowExtraBytes;
  info.hInstance = found->instance;
  info.hIcon = found->icon;
  info.hCursor = found->cursor;
  info.hbrBackground = found->background;
  info.lpszMenuName = nullptr;
  info.lpszClassName = nameOrAtom;
  return true;
}

}  // namespace handset::windows
