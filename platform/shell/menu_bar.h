// The soft-key bar of SHCreateMenuBar: a window along the bottom of the screen, owned by the
// window it serves, whose two keys show the top-level items of a menu. A key whose item is a
// command sends it to the bar's parent (WM_COMMAND); the bar follows the screen when it turns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace handset::shell {

inline constexpr char16_t kMenuBarClass[] = u"menu_worker";

struct SoftKeyItem {
  std::u16string label;
  UINT command = 0;
  bool opensMenu = false;  // the item is a pop-up menu, not a command
  bool enabled = true;
};

// Makes the bar for `parent` from `menu` (which the bar then owns; null for an empty bar).
HWND CreateSoftKeyBar(HWND parent, HMENU menu);

std::vector<SoftKeyItem> SoftKeysOf(HWND bar);

// Where key `index` (0 left, 1 right) is drawn, in the bar's client coordinates: each key has half
// the bar, its label centred on one line.
RECT SoftKeyRect(HWND bar, std::size_t index);

// The visible bar serving `window` or a window inside it (any window for null), the latest made
// first; null when none.
HWND SoftKeyBarFor(HWND window);

// Where a finger presses key `number` (1 left, 2 right): the centre of the key in the bar's client
// coordinates. Empty, or why the key cannot be pressed (none, showing nothing, disabled, a menu).
std::string SoftKeyPoint(HWND bar, int number, POINT& point);

// Presses key `number` as a tap on it (the hardware soft keys); empty, or why it could not be pressed.
std::string PressSoftKey(HWND bar, int number);

}  // namespace handset::shell
