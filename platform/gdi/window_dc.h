// What a window's device context needs from the window manager. A device context made for a
// window draws with the window's client origin as its (0, 0) and never outside its clip rectangle,
// both in screen coordinates. GetDC asks the window manager through the query it registers;
// BeginPaint, which knows the window's update region, opens the device context itself.
#pragma once

#include <functional>
#include <optional>

#include <windows.h>

namespace handset::gdi {

struct WindowArea {
  POINT origin;  // the screen position of the window's client (0, 0)
  RECT clip;     // the screen rectangle the device context may draw in
};

// The client area of a window as the window manager sees it now; nothing for an unknown window.
using WindowAreaQuery = std::function<std::optional<WindowArea>(HWND)>;

// The window manager registers its query when its state is made; the query is called without the
// GDI lock held, so it may take the window manager's own lock.
void SetWindowAreaQuery(WindowAreaQuery query);

// A device context that paints `window` within `area`: for BeginPaint. Closed with CloseWindowDC
// (EndPaint) or ReleaseDC; false when `dc` is not a device context of `window`.
HDC OpenWindowDC(HWND window, const WindowArea& area);
bool CloseWindowDC(HWND window, HDC dc);

}  // namespace handset::gdi
