// The common controls library of the handset: the tab control and the property sheet.
#pragma once

#include "prsht.h"
#include "winuser.h"

typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;  // sizeof(INITCOMMONCONTROLSEX)
  DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_TAB_CLASSES 0x00000008

// --- tab control ------------------------------------------------------------------------------
#define WC_TABCONTROLW u"SysTabControl32"

#define TCS_TABS 0x0000
#define TCS_SINGLELINE 0x0000
#define TCS_RIGHTJUSTIFY 0x0000
#define TCS_BOTTOM 0x0002      // tabs along the bottom edge
#define TCS_FIXEDWIDTH 0x0400  // every tab as wide as TCM_SETITEMSIZE says

#define TCIF_TEXT 0x0001
#define TCIF_IMAGE 0x0002
#define TCIF_PARAM 0x0008
#define TCIF_STATE 0x0010

// TCITEMW.dwState, under dwStateMask
#define TCIS_BUTTONPRESSED 0x0001
#define TCIS_HIGHLIGHTED 0x0002

// The start of a tab's record when TCM_SETITEMEXTRA gives it application bytes of its own in place
// of lParam: the bytes follow this header.
typedef struct tagTCITEMHEADERW {
  UINT mask;
  UINT lpReserved1;
  UINT lpReserved2;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
} TCITEMHEADERW, *LPTCITEMHEADERW;

typedef struct tagTCITEMW {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
} TCITEMW, *LPTCITEMW;

#define TCM_FIRST 0x1300
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_HITTEST (TCM_FIRST + 13)
#define TCM_SETITEMEXTRA (TCM_FIRST + 14)  // wParam: bytes of application data per tab
#define TCM_ADJUSTRECT (TCM_FIRST + 40)    // wParam TRUE: display area to window; FALSE: the reverse
#define TCM_SETITEMSIZE (TCM_FIRST + 41)   // lParam MAKELPARAM(width, height); answers the old size
#define TCM_GETROWCOUNT (TCM_FIRST + 44)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)
#define TCM_GETITEMW (TCM_FIRST + 60)
#define TCM_SETITEMW (TCM_FIRST + 61)
#define TCM_INSERTITEMW (TCM_FIRST + 62)

#define TCHT_NOWHERE 0x0001
#define TCHT_ONITEMICON 0x0002   // a tab has no icon, so a hit on one is always both parts
#define TCHT_ONITEMLABEL 0x0004
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

typedef struct tagTCHITTESTINFO {
  POINT pt;
  UINT flags;
} TCHITTESTINFO, *LPTCHITTESTINFO;

// Notifications of the tab control to its parent (WM_NOTIFY)
#define TCN_FIRST (0U - 550U)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)  // answer TRUE to keep the current tab

// The names a Unicode program uses: the device's SDK is Unicode only.
#define WC_TABCONTROL WC_TABCONTROLW
typedef TCITEMW TCITEM;
typedef LPTCITEMW LPTCITEM;
typedef TCITEMHEADERW TCITEMHEADER;
typedef LPTCITEMHEADERW LPTCITEMHEADER;
typedef TCHITTESTINFO TC_HITTESTINFO;
#define TCM_GETITEM TCM_GETITEMW
#define TCM_SETITEM TCM_SETITEMW
#define TCM_INSERTITEM TCM_INSERTITEMW

#define SNDMSG SendMessageW

// The tab control's messages as macros.
#define TabCtrl_GetItemCount(tabs) ((int)SNDMSG(tabs, TCM_GETITEMCOUNT, 0, 0))
#define TabCtrl_GetItem(tabs, index, item) ((BOOL)SNDMSG(tabs, TCM_GETITEMW, (WPARAM)(int)(index), (LPARAM)(TCITEMW*)(item)))
#define TabCtrl_SetItem(tabs, index, item) ((BOOL)SNDMSG(tabs, TCM_SETITEMW, (WPARAM)(int)(index), (LPARAM)(TCITEMW*)(item)))
#define TabCtrl_InsertItem(tabs, index, item) \
  ((int)SNDMSG(tabs, TCM_INSERTITEMW, (WPARAM)(int)(index), (LPARAM)(const TCITEMW*)(item)))
#define TabCtrl_DeleteItem(tabs, index) ((BOOL)SNDMSG(tabs, TCM_DELETEITEM, (WPARAM)(int)(index), 0))
#define TabCtrl_DeleteAllItems(tabs) ((BOOL)SNDMSG(tabs, TCM_DELETEALLITEMS, 0, 0))
#define TabCtrl_GetItemRect(tabs, index, rect) ((BOOL)SNDMSG(tabs, TCM_GETITEMRECT, (WPARAM)(int)(index), (LPARAM)(RECT*)(rect)))
#define TabCtrl_GetCurSel(tabs) ((int)SNDMSG(tabs, TCM_GETCURSEL, 0, 0))
#define TabCtrl_SetCurSel(tabs, index) ((int)SNDMSG(tabs, TCM_SETCURSEL, (WPARAM)(index), 0))
#define TabCtrl_HitTest(tabs, info) ((int)SNDMSG(tabs, TCM_HITTEST, 0, (LPARAM)(TCHITTESTINFO*)(info)))
#define TabCtrl_SetItemExtra(tabs, bytes) ((BOOL)SNDMSG(tabs, TCM_SETITEMEXTRA, (WPARAM)(bytes), 0))
#define TabCtrl_AdjustRect(tabs, larger, rect) ((int)SNDMSG(tabs, TCM_ADJUSTRECT, (WPARAM)(BOOL)(larger), (LPARAM)(RECT*)(rect)))
#define TabCtrl_SetItemSize(tabs, width, height) ((DWORD)SNDMSG(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(width, height)))
#define TabCtrl_GetRowCount(tabs) ((int)SNDMSG(tabs, TCM_GETROWCOUNT, 0, 0))
#define TabCtrl_GetCurFocus(tabs) ((int)SNDMSG(tabs, TCM_GETCURFOCUS, 0, 0))
#define TabCtrl_SetCurFocus(tabs, index) SNDMSG(tabs, TCM_SETCURFOCUS, (WPARAM)(index), 0)

extern "C" {

// Registers the classes named by dwICC; FALSE for a record of the wrong size.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

}  // extern "C"
