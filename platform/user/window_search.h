// How the scripted user finds and touches what is on the screen: the windows inside a modal
// window, a visible control by id or by class, and a tap at a point of a window.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace handset::user {

bool IsClass(HWND window, std::u16string_view name);

// The windows inside `root`, parents before children.
std::vector<HWND> Descendants(HWND root);

// The first visible window inside `root` with this id, or of this class.
HWND FindControl(HWND root, int id);
HWND FindVisibleOfClass(HWND root, std::u16string_view className);

// A tap as a person's finger makes it: button down and up at the point (client coordinates).
void TapAt(HWND window, POINT point);
POINT Centre(HWND window);
POINT Centre(const RECT& rect);

}  // namespace handset::user
