// The tab control ("SysTabControl32"): a row of labelled tabs along the top of its window, or along
// the bottom with TCS_BOTTOM, one of them selected. A tap on another tab asks the parent first
// (TCN_SELCHANGING, which may refuse) and then tells it (TCN_SELCHANGE).
#pragma once

#include <windows.h>

namespace handset::commctrl {

LRESULT TabControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The height of the row of tabs in the control's font: what a property sheet leaves for it.
int TabRowHeight(HWND tabControl);

}  // namespace handset::commctrl
