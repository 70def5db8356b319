// A person's input on its way to a window: the handset queues each tap, drag and key to a thread
// as a raw message, and the thread turns it into the window message when it takes it out of its
// queue. Only then is the window chosen (the capture, the window under the point, the focus), so
// that input given faster than the thread handles it still follows the capture and focus changes
// that the earlier input made, as the platform's input queue does.
#pragma once

#include <atomic>
#include <functional>
#include <optional>

#include <windows.h>

namespace handset::windows {

// The raw messages, at the top of the system's range (below WM_USER), posted with no window.
constexpr UINT kRawPointer = 0x03FD;  // wParam: RawPointerKind, lParam: MAKELPARAM(screen x, y)
constexpr UINT kRawKey = 0x03FE;      // wParam: virtual key, lParam: 1 pressed, 0 released
constexpr UINT kRawChar = 0x03FF;     // wParam: one UTF-16 unit

enum RawPointerKind : WPARAM { kPointerDown = 1, kPointerMove = 2, kPointerUp = 3 };

bool IsRawInput(const MSG& message);

// What a raw message becomes on the calling thread (the one that took it out of its queue): the
// window message, or nothing when no window is to have it (a disabled window under the point, no
// focus) or when it belongs to another thread (it is then queued there).
std::optional<MSG> Resolve(const MSG& raw);

// Keys that the shell takes before any window (the soft keys): a hook answers whether it took
// the key, given the calling thread's active window. Installed by the shell as it is made.
class HardwareKeys {
 public:
  using Hook = std::function<bool(HWND active, UINT virtualKey, bool pressed)>;
  void InstallHook(Hook hook) { hook_ = std::move(hook); }
  bool Take(HWND active, UINT virtualKey, bool pressed) const { return hook_ && hook_(active, virtualKey, pressed); }

  std::atomic<bool> pointerDown{false};  // between a pointer's down and up, for WM_MOUSEMOVE's MK_LBUTTON

 private:
  Hook hook_;
};

HardwareKeys& Keys();

}  // namespace handset::windows
