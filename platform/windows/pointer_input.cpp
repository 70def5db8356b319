// Where a person's input lands. WindowFromPoint follows Windows CE: hidden and disabled windows
// are never answered (the search goes on below them), and a static text lets the tap through to
// what lies under it (a static with SS_NOTIFY takes it). ChildWindowFromPoint looks at one level and answers hidden and
// disabled children too. The capture is the calling thread's, as on Win32; a window that loses it
// hears WM_CAPTURECHANGED with the window that gains it.
#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "core/names.h"
#include "windows/hardware_input.h"
#include "windows/scroll_bar_input.h"
#include "windows/window_manager.h"

using handset::core::Guarded;

namespace handset::windows {
namespace {

bool Holds(const std::optional<RECT>& rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

bool PassesTapsThrough(const WindowManager& manager, HWND handle) {
  auto window = manager.Find(handle);
  return window && core::SameName(manager.ClassName(*window), u"static") &&
         !(static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE)) & SS_NOTIFY);
}

// The client area of a window on the screen.
std::optional<RECT> ClientOnScreen(const WindowManager& manager, HWND handle) {
  auto client = manager.ClientRect(handle);
  auto origin = manager.ClientOriginOnScreen(handle);
  if (!client || !origin) return std::nullopt;
  return RECT{origin->x, origin->y, origin->x + client->right, origin->y + client->bottom};
}

// Whether the window takes a tap at the screen point: visible, enabled, not a static text, and
// holding the point.
bool TakesTapAt(const WindowManager& manager, HWND handle, POINT screen) {
  return manager.IsVisible(handle) && manager.IsEnabled(handle) && !PassesTapsThrough(manager, handle) &&
         Holds(manager.WindowRectOnScreen(handle), screen);
}

// The deepest child of `parent` at the screen point that takes taps, else the parent itself. A
// tap on a child's non-client part (its border, its scroll bars) is the child's own.
HWND DeepestAt(const WindowManager& manager, HWND parent, POINT screen) {
  for (HWND child : manager.Children(parent)) {
    if (!TakesTapAt(manager, child, screen)) continue;
    if (!Holds(ClientOnScreen(manager, child), screen)) return child;
    return DeepestAt(manager, child, screen);
  }
  return parent;
}

}  // namespace

HWND WindowManager::WindowAt(POINT screen) const {
  // A disabled window, such as the owner behind a modal window, is passed over like a hidden one.
  for (HWND top : TopLevel())
    if (TakesTapAt(*this, top, screen)) return DeepestAt(*this, top, screen);
  return nullptr;
}

std::optional<DWORD> WindowManager::PointerThread(POINT screen) const {
  {
    std::lock_guard lock(mutex_);
    for (const auto& [thread, input] : input_)
      if (input.capture) return thread;
  }
  HWND target = ScrollBarPressWindow();
  if (!target) target = WindowAt(screen);
  auto window = target ? Find(target) : nullptr;
  if (!window) return std::nullopt;
  return window->threadId;
}

HWND WindowManager::SetCapture(HWND handle) {
  auto window = handle ? FindOwn(handle) : nullptr;
  if (handle && !window) return nullptr;
  HWND previous;
  {
    std::lock_guard lock(mutex_);
    auto& input = InputLocked(GetCurrentThreadId());
    previous = input.capture;
    input.capture = handle;
  }
  if (previous && previous != handle && Find(previous))
    Send(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
  return previous;
}

HWND WindowManager::Capture() const {
  std::lock_guard lock(mutex_);
  auto it = input_.find(GetCurrentThreadId());
  return it == input_.end() ? nullptr : it->second.capture;
}

}  // namespace handset::windows

extern "C" HWND WindowFromPoint(POINT point) {
  return Guarded<HWND>(nullptr, [&] { return handset::windows::Windows().WindowAt(point); });
}

extern "C" HWND ChildWindowFromPoint(HWND parent, POINT point) {
  return Guarded<HWND>(nullptr, [&]() -> HWND {
    auto& manager = handset::windows::Windows();
    auto client = manager.ClientRect(parent);
    auto origin = manager.ClientOriginOnScreen(parent);
    if (!client || !origin) return nullptr;
    POINT screen{point.x + origin->x, point.y + origin->y};
    auto whole = manager.WindowRectOnScreen(parent);
    if (!whole || screen.x < whole->left || screen.x >= whole->right || screen.y < whole->top || screen.y >= whole->bottom)
      return nullptr;
    for (HWND child : manager.Children(parent)) {
      auto rect = manager.WindowRectOnScreen(child);
      if (rect && screen.x >= rect->left && screen.x < rect->right && screen.y >= rect->top && screen.y < rect->bottom)
        return child;
    }
    return parent;
  });
}

extern "C" HWND SetCapture(HWND window) {
  return Guarded<HWND>(nullptr, [&] { return handset::windows::Windows().SetCapture(window); });
}

extern "C" BOOL ReleaseCapture(void) {
  return Guarded<BOOL>(FALSE, [] {
    handset::windows::Windows().SetCapture(nullptr);
    return TRUE;
  });
}

extern "C" HWND GetCapture(void) {
  return Guarded<HWND>(nullptr, [] { return handset::windows::Windows().Capture(); });
}
