#include "windows/scroll_bar_input.h"

#include <mutex>
#include <optional>

#include "core/handset.h"
#include "windows/scroll_bar.h"
#include "windows/window_manager.h"
#include "windows/window_metrics.h"

namespace handset::windows {
namespace {

// A press on a scroll bar, from the press to the release.
struct Press {
  HWND window = nullptr;
  int bar = SB_VERT;
  bool thumb = false;    // dragging the thumb, not paging
  LONG grab = 0;         // where along the thumb the finger holds it
  int position = 0;      // the last position the drag stood for
};

// The press is made and ended on the window's thread; other threads ask whom the pointer is for.
class ScrollPresses {
 public:
  std::optional<Press> Current() const {
    std::lock_guard lock(mutex_);
    return current_;
  }
  void Set(std::optional<Press> press) {
    std::lock_guard lock(mutex_);
    current_ = press;
  }

 private:
  mutable std::mutex mutex_;
  std::optional<Press> current_;
};

ScrollPresses& Presses() { return core::State<ScrollPresses>(); }

// The track of a window's bar on the screen: beside (below) the client area, as it is painted.
std::optional<RECT> TrackOnScreen(WindowManager& manager, HWND window, int bar) {
  auto client = manager.ClientRect(window);
  auto origin = manager.ClientOriginOnScreen(window);
  if (!client || !origin) return std::nullopt;
  auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  if (bar == SB_VERT && (style & WS_VSCROLL)) {
    LONG left = origin->x + client->right;
    return RECT{left, origin->y, left + *WindowMetric(SM_CXVSCROLL), origin->y + client->bottom};
  }
  if (bar == SB_HORZ && (style & WS_HSCROLL)) {
    LONG top = origin->y + client->bottom;
    return RECT{origin->x, top, origin->x + client->right, top + *WindowMetric(SM_CYHSCROLL)};
  }
  return std::nullopt;
}

bool Holds(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

ScrollBar BarOf(HWND window, int bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(window, bar, &info);
  ScrollBar state;
  state.Apply(info);
  return state;
}

void Tell(HWND window, int bar, int code, int position = 0) {
  SendMessageW(window, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
}

// Along the track: y for the vertical bar, x for the horizontal one.
LONG Along(const RECT& track, POINT point, int bar) { return bar == SB_VERT ? point.y - track.top : point.x - track.left; }
LONG Length(const RECT& track, int bar) {
  return bar == SB_VERT ? track.bottom - track.top : track.right - track.left;
}

bool BeginPress(WindowManager& manager, HWND window, POINT screen) {
  for (int bar : {SB_VERT, SB_HORZ}) {
    auto track = TrackOnScreen(manager, window, bar);
    if (!track || !Holds(*track, screen)) continue;
    Press press{window, bar};
    ScrollBar state = BarOf(window, bar);
    if (state.Scrollable()) {  // a bar with nothing to scroll takes the press and does nothing
      auto thumb = state.Thumb(Length(*track, bar));
      LONG at = Along(*track, screen, bar);
      if (at < thumb.start) {
        Tell(window, bar, SB_PAGEUP);
      } else if (at >= thumb.start + thumb.length) {
        Tell(window, bar, SB_PAGEDOWN);
      } else {
        press.thumb = true;
        press.grab = at - thumb.start;
        press.position = state.pos;
      }
    }
    Presses().Set(press);
    return true;
  }
  return false;
}

}  // namespace

HWND ScrollBarPressWindow() {
  auto press = Presses().Current();
  return press ? press->window : nullptr;
}

bool TakeScrollBarPointer(WindowManager& manager, HWND target, POINT screen, RawPointerKind kind) {
  auto& presses = Presses();
  auto current = presses.Current();
  if (!current) return kind == kPointerDown && BeginPress(manager, target, screen);
  Press press = *current;
  if (kind == kPointerUp || !manager.Find(press.window)) presses.Set(std::nullopt);
  if (!manager.Find(press.window)) return true;
  if (press.thumb) {
    if (auto track = TrackOnScreen(manager, press.window, press.bar)) {
      ScrollBar state = BarOf(press.window, press.bar);
      press.position = state.PositionAt(Along(*track, screen, press.bar) - press.grab, Length(*track, press.bar));
    }
    Tell(press.window, press.bar, kind == kPointerUp ? SB_THUMBPOSITION : SB_THUMBTRACK, press.position);
    if (kind != kPointerUp) presses.Set(press);
  }
  if (kind == kPointerUp) Tell(press.window, press.bar, SB_ENDSCROLL);
  return true;
}

}  // namespace handset::windows
