// Dialog base units: the average width of the font's characters and its height, in pixels, which
// turn dialog units into pixels (4 horizontal and 8 vertical units per base unit).
#pragma once

#include <windows.h>

namespace handset::dialogs {

// As Win32 measures them: the width of the 52 letters A-Z a-z, divided by 26, halved and rounded
// up; the height of the font (tmHeight). A null font measures the system font.
SIZE BaseUnitsOf(HFONT font);

// The dialog font of a template: `pointSize` at the screen's resolution.
HFONT CreateDialogFont(int pointSize, int weight, bool italic, BYTE charset, LPCWSTR face);

}  // namespace handset::dialogs
