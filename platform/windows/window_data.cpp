// The data a window carries: its GWL_ / GWLP_ fields and the extra bytes of its class
// (cbWndExtra), which dialogs use for their own fields (DWLP_...).
#include <cstring>

#include "windows/window_manager.h"

namespace handset::windows {
namespace {

// Fields that hold a pointer: only the ...LongPtr calls reach them, as on 64-bit Windows.
bool HoldsPointer(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT || index == GWLP_USERDATA;
}

bool FitsExtraBytes(const Window& window, int index, int width) {
  return index >= 0 && static_cast<std::size_t>(index) + static_cast<std::size_t>(width) <= window.extraBytes.size();
}

LONG_PTR ReadExtra(const Window& window, int index, int width) {
  if (width == 8) {
    LONG_PTR value;
    std::memcpy(&value, window.extraBytes.data() + index, sizeof value);
    return value;
  }
  LONG value;
  std::memcpy(&value, window.extraBytes.data() + index, sizeof value);
  return value;
}

void WriteExtra(Window& window, int index, int width, LONG_PTR value) {
  if (width == 8) {
    std::memcpy(window.extraBytes.data() + index, &value, sizeof value);
  } else {
    LONG narrow = static_cast<LONG>(value);
    std::memcpy(window.extraBytes.data() + index, &narrow, sizeof narrow);
  }
}

}  // namespace

std::optional<LONG_PTR> WindowManager::GetData(HWND handle, int index, int width) const {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  if (width == 4 && HoldsPointer(index)) {
    SetLastError(ERROR_INVALID_INDEX);
    return std::nullopt;
  }
  std::lock_guard lock(mutex_);
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(window->exStyle);
    case GWLP_ID:
      return static_cast<LONG_PTR>(window->id);
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_USERDATA:
      return window->userData;
    case GWLP_HWNDPARENT: {
      auto related = (window->style & WS_CHILD) ? window->parent.lock() : window->owner.lock();
      return related ? reinterpret_cast<LONG_PTR>(related->handle) : 0;
    }
    default:
      if (FitsExtraBytes(*window, index, width)) return ReadExtra(*window, index, width);
      SetLastError(ERROR_INVALID_INDEX);
      return std::nullopt;
  }
}

std::optional<LONG_PTR> WindowManager::SetData(HWND handle, int index, LONG_PTR value, int width) {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  if ((width == 4 && HoldsPointer(index)) || index == GWLP_HWNDPARENT) {
    SetLastError(ERROR_INVALID_INDEX);
    return std::nullopt;
  }
  if (index == GWLP_WNDPROC && window->threadId != GetCurrentThreadId()) {
    // A window's procedure is replaced only by its own thread, as on Win32.
    SetLastError(ERROR_ACCESS_DENIED);
    return std::nullopt;
  }
  std::lock_guard lock(mutex_);
  LONG_PTR previous = 0;
  switch (index) {
    case GWL_STYLE:
      previous = static_cast<LONG>(window->style);
      window->style = static_cast<DWORD>(value);
      return previous;
    case GWL_EXSTYLE:
      previous = static_cast<LONG>(window->exStyle);
      window->exStyle = static_cast<DWORD>(value);
      return previous;
    case GWLP_ID:
      previous = static_cast<LONG_PTR>(window->id);
      window->id = static_cast<UINT_PTR>(value);
      return previous;
    case GWLP_WNDPROC:
      previous = reinterpret_cast<LONG_PTR>(window->procedure);
      window->procedure = reinterpret_cast<WNDPROC>(value);
      return previous;
    case GWLP_HINSTANCE:
      previous = reinterpret_cast<LONG_PTR>(window->instance);
      window->instance = reinterpret_cast<HINSTANCE>(value);
      return previous;
    case GWLP_USERDATA:
      previous = window->userData;
      window->userData = value;
      return previous;
    default:
      if (!FitsExtraBytes(*window, index, width)) {
        SetLastError(ERROR_INVALID_INDEX);
        return std::nullopt;
      }
      previous = ReadExtra(*window, index, width);
      WriteExtra(*window, index, width, value);
      return previous;
  }
}

std::u16string WindowManager::ClassName(const Window& window) const {
  std::lock_guard lock(mutex_);
  return window.windowClass->name;
}

}  // namespace handset::windows
