// The painted label: a static control that the module paints itself, its text in "Tahoma" in the
// shared style's colours with a rule along its bottom edge. A dialog installs PaintedLabelProc as
// the control's window procedure at WM_INITDIALOG and puts the previous one back when it closes.
#pragma once

#include <windows.h>

// Paints on WM_PAINT (returns 1), erases nothing on WM_ERASEBKGND (returns 0) and hands every other
// message to DefWindowProcW, never to the control's previous procedure.
LRESULT CALLBACK PaintedLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
