// Helpers the screens share: centring a dialog, the options sheet's title, the bDBMUI flag.
#pragma once

#include <windows.h>

// Moves the window so that it sits in the middle of the screen, keeping its size and without a
// repaint. A NULL window is ignored.
void CenterWindowOnScreen(HWND window);

// Called by a page of the options sheet when it becomes active: the sheet's first "static" child
// gets the string `titleId` of the module's resources as its text, then the shell is told about the
// sheet (aygshell's export 21 with the value 1). A sheet without children is left alone.
void SetSheetTitle(HWND page, UINT titleId);

// The module-wide bDBMUI flag as the options sheet last loaded it (0 or 1).
DWORD GetDBMUIFlag(void);
