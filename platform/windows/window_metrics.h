// The measures of the window system's own parts (borders, captions, scroll bars, icons), which
// grow with the screen's resolution as on the handset's larger displays.
#pragma once

#include <optional>

#include <windows.h>

namespace handset::windows {

// The value of a GetSystemMetrics index that the window system answers; none for the others.
std::optional<int> WindowMetric(int index);

// The space that a window's frame, caption and scroll bars take from each side of its rectangle.
RECT NonClientInsets(DWORD style);

}  // namespace handset::windows
