#include "options/options_sheet.h"

#include <commctrl.h>
#include <aygshell.h>
#include <vlmrc/vlmrc.h>

#include "frame/module.h"
#include "options/about_page.h"
#include "options/forwarding_page.h"
#include "options/preferences_page.h"
#include "resources/resource.h"
#include "settings/dbmui_setting.h"
#include "ui/display_scale.h"

#define SHEET_TAB_CONTROL_ID 0x3020
#define SHEET_TITLE_UNITS 260
#define SHEET_PAGE_CAPACITY 3
// The sheet's header flags: a caption with the word for properties, pages as records, the callback,
// help, and the two further bits the device's sheet expects of a full-screen options sheet.
#define SHEET_FLAGS (PSH_PROPTITLE | PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP | 0x1000 | 0x2000)

BOOL SheetDialogGuard = FALSE;
int SheetOrientation = 0;
BOOL OrientationChanged = FALSE;
WNDPROC PrevSheetProc = NULL;
int DisplayScale = 1;

int CurrentScreenOrientation(void) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (height > width) return 1;
  if (height < width) return -1;
  return 0;
}

BOOL HandleSoftKeyCommand(HWND page, UINT command) {
  WPARAM button;
  if (command == IDM_VTOPT_CANCEL)
    button = PSBTN_CANCEL;
  else if (command == IDM_VTOPT_OK)
    button = PSBTN_OK;
  else
    return FALSE;
  HWND sheet = GetParent(page);
  if (sheet != NULL) PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
  return TRUE;
}

static void FillPage(PROPSHEETPAGEW* page, UINT templateId, DLGPROC procedure, LPARAM lParam) {
  ZeroMemory(page, sizeof(*page));
  page->dwSize = sizeof(*page);
  page->dwFlags = PSP_DEFAULT;
  page->hInstance = g_hInstance;
  page->pszTemplate = MAKEINTRESOURCE(templateId);
  page->pfnDlgProc = procedure;
  page->lParam = lParam;
}

int VTOptSheet::Run() {
  VTOptSetting settings;
  ZeroMemory(&settings, sizeof(settings));
  GetVTOptSetting(&settings);
  VideoCFSettings forwarding;
  ZeroMemory(&forwarding, sizeof(forwarding));
  GetVideoCFSettings(&forwarding);
  LoadDBMUISetting();

  // The call forwarding page joins between the two when the network supports forwarding.
  PROPSHEETPAGEW pages[SHEET_PAGE_CAPACITY];
  UINT pageCount = 0;
  FillPage(&pages[pageCount++], IDD_VIDEO_PREFS_LANDSCAPE, PreferencesPageProc, (LPARAM)&settings);
  if (forwarding.SupportCF != 0) FillPage(&pages[pageCount++], IDD_CALL_FORWARDING, ForwardingPageProc, 0);
  FillPage(&pages[pageCount++], IDD_ABOUT_LANDSCAPE, AboutPageProc, 0);

  PROPSHEETHEADERW header;
  ZeroMemory(&header, sizeof(header));
  header.dwSize = sizeof(header);
  header.dwFlags = SHEET_FLAGS;
  header.hwndParent = owner_;
  header.hInstance = g_hInstance;
  header.pszCaption = TEXT("");
  header.nPages = pageCount;
  header.nStartPage = 0;
  header.ppsp = pages;
  header.pfnCallback = VTOptSheetCallback;

  if (PropertySheetW(&header) == 1) SetVTOptSetting(&settings);
  return 1;
}

int CALLBACK VTOptSheetCallback(HWND sheet, UINT message, LPARAM lParam) {
  if (message == PSCB_INITIALIZED) {
    HWND tabs = GetDlgItem(sheet, SHEET_TAB_CONTROL_ID);
    if (tabs == NULL) return 0;
    SetWindowLongW(tabs, GWL_STYLE, GetWindowLongW(tabs, GWL_STYLE) | TCS_BOTTOM);
    PrevSheetProc = (WNDPROC)SetWindowLongPtrW(sheet, GWLP_WNDPROC, (LONG_PTR)VTOptSheetProc);

    SHMENUBARINFO menuBar;
    ZeroMemory(&menuBar, sizeof(menuBar));
    menuBar.cbSize = sizeof(menuBar);
    menuBar.hwndParent = sheet;
    menuBar.dwFlags = SHCMBF_HMENU;
    menuBar.nToolBarId = IDM_VTOPT_MENU;
    menuBar.hInstRes = g_hInstance;
    SHCreateMenuBar(&menuBar);

    WCHAR title[SHEET_TITLE_UNITS] = {0};
    LoadStringW(g_hInstance, IDS_VTOPT_TITLE, title, SHEET_TITLE_UNITS);
    SetWindowTextW(sheet, title);
    return 0;
  }
  if (message == PSCB_GETVERSION) return COMCTL32_VERSION;
  if (message == PSCB_GETTITLE) {
    WCHAR title[SHEET_TITLE_UNITS] = {0};
    LoadStringW(g_hInstance, IDS_VTOPT_TITLE, title, SHEET_TITLE_UNITS);
    if (lParam != 0) wcscpy((WCHAR*)lParam, title);
    return 0;
  }
  return 0;
}

LRESULT CALLBACK VTOptSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Deactivated in favour of a window of another thread: another application came to the front.
      if (LOWORD(wParam) == WA_INACTIVE && lParam == 0)
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
      else
        SheetOrientation = CurrentScreenOrientation();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SETTINGCHANGE_RESET) {
        int orientation = CurrentScreenOrientation();
        OrientationChanged = orientation != SheetOrientation;
        SheetOrientation = orientation;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS* position = (const WINDOWPOS*)lParam;
      if (!SheetDialogGuard && position != NULL && (position->flags & SWP_NOOWNERZORDER)) {
        if (!OrientationChanged) PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
        return 0;
      }
      SheetDialogGuard = FALSE;
      break;
    }
    default:
      break;
  }
  return CallWindowProcW(PrevSheetProc, sheet, message, wParam, lParam);
}

extern "C" int WINAPI CreateVTOpt(HWND owner) {
  VTOptSheet sheet(owner);
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if ((width == 640 && height == 480) || (width == 480 && height == 640) || (width == 800 && height == 480) ||
      (width == 480 && height == 800))
    DisplayScale = 2;
  return sheet.Run();
}
