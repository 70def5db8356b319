#include "windows/hardware_input.h"

#include "core/handset.h"
#include "windows/scroll_bar_input.h"
#include "windows/window_manager.h"

namespace handset::windows {
namespace {

// The raw message goes on to the thread of `target` when that is another thread; true when so.
bool HandedOn(WindowManager& manager, HWND target, const MSG& raw) {
  auto window = manager.Find(target);
  if (!window || window->threadId == GetCurrentThreadId()) return false;
  manager.PostToThread(window->threadId, raw.message, raw.wParam, raw.lParam);
  return true;
}

std::optional<MSG> ResolvePointer(WindowManager& manager, const MSG& raw) {
  POINT screen{static_cast<short>(LOWORD(raw.lParam)), static_cast<short>(HIWORD(raw.lParam))};
  HWND target = manager.Capture();
  if (!target) target = manager.WindowAt(screen);
  if (!target || HandedOn(manager, target, raw)) return std::nullopt;
  if (TakeScrollBarPointer(manager, target, screen, static_cast<RawPointerKind>(raw.wParam))) return std::nullopt;
  auto origin = manager.ClientOriginOnScreen(target);
  if (!origin) return std::nullopt;
  LPARAM client = MAKELPARAM(screen.x - origin->x, screen.y - origin->y);
  auto& keys = Keys();
  switch (raw.wParam) {
    case kPointerDown:
      keys.pointerDown = true;
      return MakeMessage(target, WM_LBUTTONDOWN, MK_LBUTTON, client);
    case kPointerMove:
      return MakeMessage(target, WM_MOUSEMOVE, keys.pointerDown ? MK_LBUTTON : 0, client);
    default:
      keys.pointerDown = false;
      return MakeMessage(target, WM_LBUTTONUP, 0, client);
  }
}

// Keys and characters go to the focus window, or to the active window when nothing has the focus.
HWND KeyTarget(WindowManager& manager) {
  HWND focus = manager.Focus();
  return focus ? focus : manager.Active();
}

std::optional<MSG> ResolveKey(WindowManager& manager, const MSG& raw) {
  auto key = static_cast<UINT>(raw.wParam);
  bool pressed = raw.lParam != 0;
  if (Keys().Take(manager.Active(), key, pressed)) return std::nullopt;
  HWND target = KeyTarget(manager);
  if (!target) return std::nullopt;
  // Repeat count 1; a release also carries the previous-state and transition bits.
  return MakeMessage(target, pressed ? WM_KEYDOWN : WM_KEYUP, key, pressed ? 1 : static_cast<LPARAM>(0xC0000001u));
}

}  // namespace

bool IsRawInput(const MSG& message) {
  return !message.hwnd && (message.message == kRawPointer || message.message == kRawKey || message.message == kRawChar);
}

std::optional<MSG> Resolve(const MSG& raw) {
  auto& manager = Windows();
  switch (raw.message) {
    case kRawPointer:
      return ResolvePointer(manager, raw);
    case kRawKey:
      return ResolveKey(manager, raw);
    default:
      if (HWND target = KeyTarget(manager)) return MakeMessage(target, WM_CHAR, raw.wParam, 1);
      return std::nullopt;
  }
}

HardwareKeys& Keys() { return core::State<HardwareKeys>(); }

}  // namespace handset::windows
