#include "forwarding/cf_settings_sheet.h"

#include <commctrl.h>

#include "resources/resource.h"

// The options sheet's flag set without the caption word: records, the callback, help and the two
// further bits of a full-screen sheet.
#define CF_SHEET_FLAGS (PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP | 0x1000 | 0x2000)

HINSTANCE CFSheetInstance = NULL;
VideoCFInfo* CFSheetQueried = NULL;

INT_PTR ShowCFSheet(HWND parent, HINSTANCE instance, VideoCFInfo* queried) {
  CFSheetInstance = instance;

  PROPSHEETPAGEW page;
  ZeroMemory(&page, sizeof(page));
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DEFAULT;
  page.hInstance = instance;
  page.pszTemplate = MAKEINTRESOURCE(IDD_CF_SETTINGS);
  page.pfnDlgProc = CFPageDlgProc;
  page.lParam = (LPARAM)queried;

  PROPSHEETHEADERW header;
  ZeroMemory(&header, sizeof(header));
  header.dwSize = sizeof(header);
  header.dwFlags = CF_SHEET_FLAGS;
  header.hwndParent = parent;
  header.hInstance = instance;
  header.nPages = 1;
  header.nStartPage = 0;
  header.ppsp = &page;
  header.pfnCallback = CFSheetCallback;
  return PropertySheetW(&header);
}

int CALLBACK CFSheetCallback(HWND sheet, UINT message, LPARAM lParam) {
  if (message == PSCB_GETVERSION) return COMCTL32_VERSION;
  // The sheet keeps the caption it has: no title is written.
  if (message == PSCB_GETTITLE) return 1;
  return 0;
}
