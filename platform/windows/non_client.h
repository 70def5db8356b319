// The parts of a window outside its client area that the system draws: the frame, the caption
// with the window's title, and the window's own scroll bars.
#pragma once

#include <windows.h>

namespace handset::windows {

void PaintNonClient(HWND window);

}  // namespace handset::windows
