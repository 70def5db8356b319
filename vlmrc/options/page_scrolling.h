// Vertical scrolling of the options pages: both scrolling pages answer WM_VSCROLL alike.
#pragma once

#include <windows.h>

// The position a WM_VSCROLL asks for: the base (the message's high word, a signed value) moved by 10
// for a line, by `pageStep` for a page, or the base itself for thumb tracking. The pages' own
// requests carry their base; the line and page requests of the scroll bar carry none (high word 0),
// and then the page's current position is the base. FALSE for every other code.
BOOL ScrollRequestTarget(HWND page, WPARAM wParam, int pageStep, int* target);
