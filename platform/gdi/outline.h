// A one-pixel outline drawn through the ordinary GDI calls: what the window frames, the scroll
// bar thumbs and the standard controls are edged with.
#pragma once

#include <windows.h>

namespace handset::gdi {

// Frames `rect` with a one-pixel line of `color`, leaving its inside as it is.
void Outline(HDC dc, const RECT& rect, COLORREF color);

}  // namespace handset::gdi
