// The call forwarding page of the options sheet, present when the network supports forwarding: one
// entry, and the command that queries the forwarding state from the network and, when the query
// succeeded, opens the forwarding settings on it. The page stores nothing itself.
#pragma once

#include <windows.h>

// The label's font, made at WM_INITDIALOG and deleted at WM_DESTROY; NULL at load.
extern HFONT ForwardingPageFont;

INT_PTR CALLBACK ForwardingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
