// The window manager's part of the control API: a person's input queued to the thread it is for.
#include "handset/input.h"

#include "windows/hardware_input.h"
#include "windows/window_manager.h"

namespace handset::input {
namespace {

void QueuePointer(windows::RawPointerKind kind, int x, int y) {
  auto& manager = windows::Windows();
  POINT screen{x, y};
  if (auto thread = manager.PointerThread(screen))
    manager.PostToThread(*thread, windows::kRawPointer, kind, MAKELPARAM(x, y));
}

// Keys and text go to the thread of the window in front: the topmost visible top-level window
// that takes input (a modal window rather than its disabled owner).
void QueueToForeground(UINT message, WPARAM wParam, LPARAM lParam) {
  auto& manager = windows::Windows();
  for (HWND top : manager.TopLevel()) {
    if (!manager.IsVisible(top) || !manager.IsEnabled(top)) continue;
    if (auto window = manager.Find(top)) manager.PostToThread(window->threadId, message, wParam, lParam);
    return;
  }
}

}  // namespace

void Tap(int x, int y) {
  PointerDown(x, y);
  PointerUp(x, y);
}

void PointerDown(int x, int y) { QueuePointer(windows::kPointerDown, x, y); }
void PointerMove(int x, int y) { QueuePointer(windows::kPointerMove, x, y); }
void PointerUp(int x, int y) { QueuePointer(windows::kPointerUp, x, y); }

void Key(UINT virtualKey) {
  QueueToForeground(windows::kRawKey, virtualKey, 1);
  QueueToForeground(windows::kRawKey, virtualKey, 0);
}

void Type(std::u16string_view text) {
  for (char16_t unit : text) QueueToForeground(windows::kRawChar, unit, 0);
}

}  // namespace handset::input
