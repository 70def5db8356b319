// The tab control ("SysTabControl32"): a row of labelled tabs along the top of its window, or along
// the bottom with TCS_BOTTOM, one of them selected (the first tab inserted into an empty control).
// A tap on another tab, or TCM_SETCURFOCUS, asks the parent first (TCN_SELCHANGING, which may
// refuse) and then tells it (TCN_SELCHANGE); TCM_SETCURSEL tells nobody. Tabs are as wide as their
// text, or all as wide as TCM_SETITEMSIZE says with TCS_FIXEDWIDTH, in one row.
// As on Windows CE the class is registered by InitCommonControlsEx (ICC_TAB_CLASSES), there are
// no button tabs (TCS_BUTTONS), so the tab with the focus is the selected one, and no image lists.
// Messages: TCM_INSERTITEMW, TCM_SETITEMW, TCM_GETITEMW, TCM_GETITEMCOUNT, TCM_DELETEITEM,
// TCM_DELETEALLITEMS, TCM_GETCURSEL, TCM_SETCURSEL, TCM_GETCURFOCUS, TCM_SETCURFOCUS,
// TCM_GETITEMRECT, TCM_HITTEST, TCM_SETITEMEXTRA, TCM_SETITEMSIZE, TCM_ADJUSTRECT, TCM_GETROWCOUNT.
#pragma once

#include <windows.h>

namespace handset::commctrl {

LRESULT TabControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The height of the row of tabs in the control's font: what a property sheet leaves for it.
int TabRowHeight(HWND tabControl);

}  // namespace handset::commctrl
