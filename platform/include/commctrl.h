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
#define TCHT_ONITEM 0x0006

typedef struct tagTCHITTESTINFO {
  POINT pt;
  UINT flags;
} TCHITTESTINFO, *LPTCHITTESTINFO;

// Notifications of the tab control to its parent (WM_NOTIFY)
#define TCN_FIRST (0U - 550U)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)  // answer TRUE to keep the current tab

extern "C" {

// Registers the classes named by dwICC; FALSE for a record of the wrong size.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

}  // extern "C"
