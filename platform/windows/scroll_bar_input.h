// A finger on a window's own scroll bar (WS_VSCROLL / WS_HSCROLL) is the system's to handle, as on
// Windows CE: the window hears WM_VSCROLL / WM_HSCROLL with no scroll-bar control in lParam, and
// none of the pointer messages.
//   - a press on the track beside the thumb pages once towards the press (SB_PAGEUP / SB_PAGEDOWN,
//     SB_PAGELEFT / SB_PAGERIGHT);
//   - a press on the thumb drags it: each move sends SB_THUMBTRACK with the position under the
//     finger, the release SB_THUMBPOSITION;
//   - the release ends the scroll with SB_ENDSCROLL.
// The window's procedure does the scrolling itself, as on Win32.
#pragma once

#include <windows.h>

#include "windows/hardware_input.h"

namespace handset::windows {

class WindowManager;

// True when a scroll bar took the pointer event: a press on the bar of `target`, or any event
// while a press that began on a bar of a window of this thread lasts.
bool TakeScrollBarPointer(WindowManager& manager, HWND target, POINT screen, RawPointerKind kind);

// The window whose scroll bar a finger is pressing now, or null: like the capture, it has the
// pointer until the finger lifts, wherever that is.
HWND ScrollBarPressWindow();

}  // namespace handset::windows
