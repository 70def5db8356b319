// How the scripted user finds what is on the screen: the windows inside a modal window, a visible
// control by id or by class.
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

POINT Centre(const RECT& rect);

}  // namespace handset::user
