// Property sheets of the common controls library, as Windows CE has them: a modal sheet whose pages
// are dialogs made from templates when first shown, with tabs to change page.
#pragma once

#include "winuser.h"

// PROPSHEETPAGEW.dwFlags
#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001  // pResource is an in-memory template
#define PSP_USEHICON 0x00000002     // hIcon is the page's icon; a tab on the device shows none
#define PSP_USEICONID 0x00000004    // pszIcon names it; a tab on the device shows none
#define PSP_USETITLE 0x00000008     // pszTitle names the page's tab instead of the template's caption
#define PSP_HASHELP 0x00000020      // the device's sheet has no Help button to enable
#define PSP_USECALLBACK 0x00000080

// PROPSHEETHEADERW.dwFlags
#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001      // the caption is followed by the word for "Properties"
#define PSH_USEHICON 0x00000002       // hIcon is the sheet's icon; the device's sheet shows none
#define PSH_USEICONID 0x00000004      // pszIcon names it; the device's sheet shows none
#define PSH_PROPSHEETPAGE 0x00000008  // ppsp holds the pages (not page handles)
#define PSH_NOAPPLYNOW 0x00000080     // the device's sheet has no Apply button to remove
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200
#define PSH_MAXIMIZE 0x00002000  // full screen, as every sheet on the device is

// Sheet callback messages
#define PSCB_INITIALIZED 1  // the sheet and its tab control exist; lParam 0
#define PSCB_PRECREATE 2    // lParam is the sheet's dialog template, which the callback may change
#define PSCB_GETVERSION 3   // the callback answers the common controls version it was built for
#define PSCB_GETTITLE 4     // lParam is a buffer of MAX_PATH characters for the sheet's title

#define COMCTL32_VERSION 0x020E

// Page callback messages (PSP_USECALLBACK)
#define PSPCB_RELEASE 1
#define PSPCB_CREATE 2

// Notifications to the pages (WM_NOTIFY, the code in a PSHNOTIFY)
#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)

// What a page answers (in DWLP_MSGRESULT) to PSN_APPLY and PSN_KILLACTIVE
#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

// Messages to the sheet
#define PSM_SETCURSEL (WM_USER + 101)          // wParam page index, lParam page handle (or 0)
#define PSM_CHANGED (WM_USER + 104)            // wParam the page that changed
#define PSM_PRESSBUTTON (WM_USER + 113)        // wParam one of PSBTN_*
#define PSM_GETTABCONTROL (WM_USER + 116)      // answers the tab control
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118) // answers the current page's window

// PSM_PRESSBUTTON
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5

struct _PROPSHEETPAGEW;
typedef UINT (*LPFNPSPCALLBACKW)(HWND window, UINT message, struct _PROPSHEETPAGEW* page);
typedef int (*PFNPROPSHEETCALLBACK)(HWND sheet, UINT message, LPARAM lParam);

typedef struct _PROPSHEETPAGEW {
  DWORD dwSize;  // sizeof(PROPSHEETPAGEW)
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCWSTR pszTemplate;
    LPCDLGTEMPLATEW pResource;  // with PSP_DLGINDIRECT
  };
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszTitle;  // with PSP_USETITLE: a string or a string resource id of hInstance
  DLGPROC pfnDlgProc;
  LPARAM lParam;  // handed to the page with the record in its WM_INITDIALOG
  LPFNPSPCALLBACKW pfnCallback;
  UINT* pcRefParent;
} PROPSHEETPAGEW, *LPPROPSHEETPAGEW;
typedef const PROPSHEETPAGEW* LPCPROPSHEETPAGEW;

typedef struct _PROPSHEETHEADERW {
  DWORD dwSize;  // sizeof(PROPSHEETHEADERW)
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszCaption;
  UINT nPages;
  union {
    UINT nStartPage;
    LPCWSTR pStartPage;
  };
  LPCPROPSHEETPAGEW ppsp;  // with PSH_PROPSHEETPAGE
  PFNPROPSHEETCALLBACK pfnCallback;
} PROPSHEETHEADERW, *LPPROPSHEETHEADERW;
typedef const PROPSHEETHEADERW* LPCPROPSHEETHEADERW;

typedef struct _PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

extern "C" {

// Runs the sheet modally on the calling thread. Returns 1 when it closed with OK, 0 when it closed
// with Cancel, -1 when it could not be made (no page, a page's template missing).
INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header);

}  // extern "C"
