// Where a window lies: on the screen, and inside its parent's client area. A page that scrolls
// shows a control below (or above) its client area once scrolled to it, so such a control is in
// place when the page's scroll range reaches it.
#include <windows.h>

#include <algorithm>
#include <string>

#include "audit/audited_window.h"

namespace handset::audit {
namespace {

// How far the parent's content reaches above and below its client area by scrolling.
struct Reach {
  LONG up = 0;
  LONG down = 0;
};

Reach ScrollReach(HWND parent) {
  if (!(GetWindowLongW(parent, GWL_STYLE) & WS_VSCROLL)) return {};
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(parent, SB_VERT, &info) || info.nMax <= info.nMin) return {};
  int page = std::max<int>(1, static_cast<int>(info.nPage));
  int lastPosition = std::max(info.nMin, info.nMax - page + 1);
  return {std::max(0, info.nPos - info.nMin), std::max(0, lastPosition - info.nPos)};
}

// The side the window passes most, with by how much: "12 px past the right edge".
std::string Overhang(const RECT& window, const RECT& room) {
  struct Side {
    LONG by;
    const char* name;
  } sides[] = {{room.left - window.left, "left"},
               {window.right - room.right, "right"},
               {room.top - window.top, "top"},
               {window.bottom - room.bottom, "bottom"}};
  std::string text;
  for (const Side& side : sides) {
    if (side.by <= 0) continue;
    if (!text.empty()) text += " and ";
    text += std::to_string(side.by) + " px past the " + side.name + " edge";
  }
  return text;
}

}  // namespace

void CheckPlacement(const AuditedWindow& window, std::vector<Finding>& findings) {
  const RECT& rect = window.info->rect;
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!window.parent) {
    if (!Contains(screen, rect))
      findings.push_back(MakeFinding("outside-screen", *window.info,
                                     Describe(*window.info) + " reaches " + Overhang(rect, screen) + " of the screen"));
    return;
  }
  // The room the parent gives: its client area, stretched by as far as its scroll range reaches.
  Reach reach = ScrollReach(window.parent->info->handle);
  RECT room = window.parentClient;
  room.top -= reach.up;
  room.bottom += reach.down;
  if (Contains(room, rect)) return;
  // What lies outside the parent is cut off; where that part is also off the screen, a person
  // sees the control run off the screen.
  RECT inScreen{};
  bool offScreen = !Contains(screen, rect) && Intersect(rect, screen, inScreen) && Contains(room, inScreen);
  std::string where = offScreen ? Overhang(rect, screen) + " of the screen"
                                : Overhang(rect, room) + " of " + Describe(*window.parent->info);
  findings.push_back(MakeFinding(offScreen ? "outside-screen" : "outside-parent", *window.info,
                                 Describe(*window.info) + " reaches " + where + ", and is cut off there"));
}

}  // namespace handset::audit
