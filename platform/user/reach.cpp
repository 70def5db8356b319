#include "user/reach.h"

#include <algorithm>

#include "dialogs/modal_loop.h"
#include "handset/text.h"
#include "user/user_script.h"
#include "user/window_search.h"

namespace handset::user {
namespace {

RECT ClientOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

RECT Intersection(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.left >= r.right || r.top >= r.bottom) return {0, 0, 0, 0};
  return r;
}

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// The space the window's rectangle is clipped to: the screen and its ancestors' client areas.
RECT ClipOf(HWND window) {
  RECT clip{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (HWND child = window; GetWindowLongW(child, GWL_STYLE) & WS_CHILD;) {
    HWND parent = GetParent(child);
    if (!parent) break;
    clip = Intersection(clip, ClientOnScreen(parent));
    child = parent;
  }
  return clip;
}

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

std::string Named(HWND window) {
  std::string name;
  dialogs::Modal().ForEachFrame([&](const dialogs::ModalFrame& frame) {
    if (frame.window == window) name = Describe(frame);
  });
  if (!name.empty()) return name;
  WCHAR className[64] = {}, title[256] = {};
  GetClassNameW(window, className, 64);
  GetWindowTextW(window, title, 256);
  name = Utf8(className);
  if (title[0]) name += " \"" + Utf8(title) + "\"";
  return name;
}

}  // namespace

RECT PartInSight(HWND window) {
  RECT whole;
  GetWindowRect(window, &whole);
  return Intersection(whole, ClipOf(window));
}

bool InSight(HWND window, const RECT& rect) {
  RECT clip = ClipOf(window);
  RECT seen = Intersection(rect, clip);
  if (Empty(seen)) return false;
  // Pages scroll up and down: a control must show its whole height, while one that reaches a few
  // pixels past the side of its page is still tapped where it shows, its middle.
  LONG middle = (rect.left + rect.right) / 2;
  bool across = middle >= seen.left && middle < seen.right;
  bool tall = (seen.top == rect.top && seen.bottom == rect.bottom) || (seen.top == clip.top && seen.bottom == clip.bottom);
  return across && tall;
}

std::string CoveredBy(HWND window, POINT screen) {
  HWND hit = WindowFromPoint(screen);
  if (hit == window || (hit && IsChild(window, hit))) return {};
  // A static text lets the tap through to its parent: reaching the parent there is reaching it.
  if (hit && IsClass(window, u"static") && hit == GetParent(window)) return {};
  HWND top = TopLevelOf(window);
  if (hit && TopLevelOf(hit) == top) return Named(hit);
  if (hit) return Named(TopLevelOf(hit));
  // Nothing takes the tap: the window's own top-level window is disabled behind a modal one.
  HWND inFront = nullptr;
  dialogs::Modal().ForEachFrame([&](const dialogs::ModalFrame& frame) { inFront = frame.window; });
  return inFront && inFront != top ? Named(inFront) : "nothing that takes a tap";
}

HWND ScrollingPage(HWND window) {
  for (HWND page = GetParent(window); page && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD); page = GetParent(page)) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if ((GetWindowLongW(page, GWL_STYLE) & WS_VSCROLL) && GetScrollInfo(page, SB_VERT, &info) &&
        info.nMax - info.nMin + 1 > static_cast<int>(info.nPage))
      return page;
    window = page;
  }
  return nullptr;
}

std::optional<POINT> ScrollBarTapTowards(HWND page, const RECT& rect) {
  RECT client = ClientOnScreen(page);
  int width = GetSystemMetrics(SM_CXVSCROLL);
  if (width <= 0) return std::nullopt;
  LONG x = client.right + width / 2;
  return POINT{x, rect.top < client.top ? client.top : client.bottom - 1};
}

bool OnScreen(POINT screen) {
  return screen.x >= 0 && screen.y >= 0 && screen.x < GetSystemMetrics(SM_CXSCREEN) &&
         screen.y < GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace handset::user
