#include "shell/input_panel.h"

#include <algorithm>

namespace handset::shell {
namespace {

// 80 pixels high at 96 dots per inch, twice that on the VGA and wide-VGA screens.
constexpr LONG kPanelHeight = 80;

RECT ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

RECT DefaultRect() {
  RECT screen = ScreenRect();
  LONG scale = std::min(screen.right, screen.bottom) >= 480 ? 2 : 1;
  return {0, screen.bottom - kPanelHeight * scale, screen.right, screen.bottom};
}

}  // namespace

bool InputPanel::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void InputPanel::Show(bool shown) {
  std::lock_guard lock(mutex_);
  shown_ = shown;
}

RECT InputPanel::Rect() const {
  std::lock_guard lock(mutex_);
  return rect_ ? *rect_ : DefaultRect();
}

void InputPanel::SetRect(const RECT& rect) {
  std::lock_guard lock(mutex_);
  rect_ = rect;
}

RECT InputPanel::VisibleDesktop() const {
  RECT desktop = ScreenRect();
  if (Shown()) desktop.bottom = std::clamp(Rect().top, desktop.top, desktop.bottom);
  return desktop;
}

}  // namespace handset::shell
