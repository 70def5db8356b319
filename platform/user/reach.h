// Where a person's finger can touch a window: the part of it in sight (inside the screen and every
// ancestor's client area), what covers a point of it, and the scrolling page that could bring a
// hidden part into sight.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace handset::user {

// The window's rectangle on the screen, clipped by the screen and the client areas of its
// ancestors; empty when none of it shows.
RECT PartInSight(HWND window);

// Whether `rect` (on the screen) is in sight: its whole height, or as much of it as the space it
// is clipped to can show (a control taller than its page), and its middle across.
bool InSight(HWND window, const RECT& rect);

// What a tap at the screen point would reach instead of `window`, named for a message
// (`messagebox "Sure?"`, `dialog "Options"`); empty when the tap reaches the window.
std::string CoveredBy(HWND window, POINT screen);

// The nearest ancestor of `window` with a vertical scroll bar that has something to scroll.
HWND ScrollingPage(HWND window);

// The screen point on the page's scroll bar that a person taps to page towards `rect` (up when the
// rectangle lies above the page's client area, else down): the end of the bar's track.
std::optional<POINT> ScrollBarTapTowards(HWND page, const RECT& rect);

// Whether the screen point lies on the screen.
bool OnScreen(POINT screen);

}  // namespace handset::user
