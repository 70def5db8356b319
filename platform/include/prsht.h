// Property sheets of the common controls library, as Windows CE has them: a modal sheet whose pages
// are dialogs made from templates when first shown, with tabs to change page. Pages come as records
// (PSH_PROPSHEETPAGE) or as page handles of CreatePropertySheetPageW; a sheet owns the handles it
// is given or is sent (PSM_ADDPAGE) and destroys them when it ends or removes the page.
#pragma once

#include "winuser.h"

// PROPSHEETPAGEW.dwFlags
#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001  // pResource is an in-memory template
#define PSP_USEHICON 0x00000002     // hIcon is the page's icon; a tab on the device shows none
#define PSP_USEICONID 0x00000004    // pszIcon names it; a tab on the device shows none
#define PSP_USETITLE 0x00000008     // pszTitle names the page's tab instead of the template's caption
#define PSP_HASHELP 0x00000020      // the device's sheet has no Help button to enable
#define PSP_USEREFPARENT 0x00000040  // *pcRefParent counts up while the page exists
#define PSP_USECALLBACK 0x00000080
#define PSP_PREMATURE 0x00000400     // the page is made (hidden) when the sheet is, not when first shown

// PROPSHEETHEADERW.dwFlags
#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001      // the caption is followed by the word for "Properties"
#define PSH_USEHICON 0x00000002       // hIcon is the sheet's icon; the device's sheet shows none
#define PSH_USEICONID 0x00000004      // pszIcon names it; the device's sheet shows none
#define PSH_PROPSHEETPAGE 0x00000008  // ppsp holds the pages (else phpage holds page handles)
#define PSH_USEPSTARTPAGE 0x00000040  // pStartPage names the first page shown (its tab's title)
#define PSH_NOAPPLYNOW 0x00000080     // the device's sheet has no Apply button to remove
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200
#define PSH_MODELESS 0x00000400  // PropertySheetW answers the sheet's window at once; see below
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
#define PSN_HELP (PSN_FIRST - 5)         // the device's sheet has no Help button, so never sends it
#define PSN_QUERYCANCEL (PSN_FIRST - 9)  // to the current page before Cancel; TRUE keeps the sheet open

// What a page answers (in DWLP_MSGRESULT) to PSN_APPLY and PSN_KILLACTIVE
#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

// Messages to the sheet
#define PSM_SETCURSEL (WM_USER + 101)          // wParam page index, lParam page handle (or 0)
#define PSM_REMOVEPAGE (WM_USER + 102)         // wParam page index, lParam page handle (or 0; it wins)
#define PSM_ADDPAGE (WM_USER + 103)            // lParam a page handle, added after the last page
// The device's sheet has no Apply button for PSM_CHANGED and PSM_UNCHANGED to enable and disable,
// and neither a Cancel button to disable nor an OK button to rename for PSM_CANCELTOCLOSE: the
// three are accepted and change nothing.
#define PSM_CHANGED (WM_USER + 104)            // wParam the page that changed
#define PSM_CANCELTOCLOSE (WM_USER + 107)
#define PSM_UNCHANGED (WM_USER + 109)          // wParam the page whose changes are undone
#define PSM_QUERYSIBLINGS (WM_USER + 108)      // handed to each page made so far until one answers nonzero
#define PSM_APPLY (WM_USER + 110)              // the pages apply as on OK, the sheet stays: TRUE when none refused
#define PSM_PRESSBUTTON (WM_USER + 113)        // wParam one of PSBTN_*
#define PSM_GETTABCONTROL (WM_USER + 116)      // answers the tab control
#define PSM_ISDIALOGMESSAGE (WM_USER + 117)    // lParam an MSG: TRUE when the modeless sheet took it
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118) // answers the current page's window
#define PSM_SETTITLEW (WM_USER + 120)          // wParam 0 or PSH_PROPTITLE, lParam a string or resource id
#define PSM_SETTITLE PSM_SETTITLEW

// PSM_PRESSBUTTON
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5

struct _PROPSHEETPAGEW;
struct _PSP;
typedef struct _PSP* HPROPSHEETPAGE;
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
  union {
    LPCPROPSHEETPAGEW ppsp;  // with PSH_PROPSHEETPAGE
    HPROPSHEETPAGE* phpage;  // without it
  };
  PFNPROPSHEETCALLBACK pfnCallback;
} PROPSHEETHEADERW, *LPPROPSHEETHEADERW;
typedef const PROPSHEETHEADERW* LPCPROPSHEETHEADERW;

typedef struct _PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

// The names a Unicode program uses: the device's SDK is Unicode only.
typedef PROPSHEETPAGEW PROPSHEETPAGE;
typedef LPPROPSHEETPAGEW LPPROPSHEETPAGE;
typedef LPCPROPSHEETPAGEW LPCPROPSHEETPAGE;
typedef PROPSHEETHEADERW PROPSHEETHEADER;
typedef LPPROPSHEETHEADERW LPPROPSHEETHEADER;
typedef LPCPROPSHEETHEADERW LPCPROPSHEETHEADER;
typedef LPFNPSPCALLBACKW LPFNPSPCALLBACK;
#define PropertySheet PropertySheetW
#define CreatePropertySheetPage CreatePropertySheetPageW

// The messages to the sheet as macros. Pressing a button and PSM_CANCELTOCLOSE are posted, so a
// page may ask for them while it handles a notification of the sheet.
#define PropSheet_SetCurSel(sheet, page, index) SendMessageW(sheet, PSM_SETCURSEL, (WPARAM)(index), (LPARAM)(page))
#define PropSheet_RemovePage(sheet, index, page) SendMessageW(sheet, PSM_REMOVEPAGE, (WPARAM)(index), (LPARAM)(page))
#define PropSheet_AddPage(sheet, page) SendMessageW(sheet, PSM_ADDPAGE, 0, (LPARAM)(page))
#define PropSheet_Changed(sheet, page) SendMessageW(sheet, PSM_CHANGED, (WPARAM)(page), 0)
#define PropSheet_CancelToClose(sheet) PostMessageW(sheet, PSM_CANCELTOCLOSE, 0, 0)
#define PropSheet_QuerySiblings(sheet, param1, param2) \
  SendMessageW(sheet, PSM_QUERYSIBLINGS, (WPARAM)(param1), (LPARAM)(param2))
#define PropSheet_UnChanged(sheet, page) SendMessageW(sheet, PSM_UNCHANGED, (WPARAM)(page), 0)
#define PropSheet_Apply(sheet) SendMessageW(sheet, PSM_APPLY, 0, 0)
#define PropSheet_PressButton(sheet, button) PostMessageW(sheet, PSM_PRESSBUTTON, (WPARAM)(button), 0)
#define PropSheet_GetTabControl(sheet) ((HWND)SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0))
#define PropSheet_IsDialogMessage(sheet, msg) ((BOOL)SendMessageW(sheet, PSM_ISDIALOGMESSAGE, 0, (LPARAM)(msg)))
#define PropSheet_GetCurrentPageHwnd(sheet) ((HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))
#define PropSheet_SetTitle(sheet, style, title) SendMessageW(sheet, PSM_SETTITLEW, (WPARAM)(style), (LPARAM)(title))

extern "C" {

// Runs the sheet modally on the calling thread. Returns 1 when it closed with OK, 0 when it closed
// with Cancel, -1 when it could not be made (no page, a page's template missing). With PSH_MODELESS
// it returns the sheet's window once made and shown: the program's loop passes messages through
// PSM_ISDIALOGMESSAGE, and after OK or Cancel PSM_GETCURRENTPAGEHWND answers NULL and the program
// destroys the sheet with DestroyWindow (which destroys its pages).
INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header);

// A page handle from a copy of the record, its template read at once: NULL when the template
// cannot be found. A handle that no sheet took is freed with DestroyPropertySheetPage.
HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page);
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);

}  // extern "C"
