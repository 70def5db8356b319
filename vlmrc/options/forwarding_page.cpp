#include "options/forwarding_page.h"

#include "forwarding/cf_info.h"
#include "forwarding/cf_progress_dialogs.h"
#include "forwarding/cf_settings_sheet.h"
#include "frame/module.h"
#include "options/options_sheet.h"
#include "options/template_relayout.h"
#include "resources/resource.h"
#include "ui/display_scale.h"
#include "ui/fonts.h"
#include "ui/window_helpers.h"

#define FORWARDING_FONT_HEIGHT 13
#define FORWARDING_FONT_WEIGHT 500
#define FORWARDING_ENTRY_UNITS 128

HFONT ForwardingPageFont = NULL;

static void OnInitDialog(HWND page) {
  HDC dc = GetDBMUIFlag() == 0 ? GetDC(page) : NULL;
  if (dc != NULL) {
    ForwardingPageFont = CreateSharedResourceFont(dc, NULL, FORWARDING_FONT_HEIGHT * DisplayScale, FORWARDING_FONT_WEIGHT);
    ReleaseDC(page, dc);
    SendDlgItemMessageW(page, IDC_CF_PAGE_LABEL, WM_SETFONT, (WPARAM)ForwardingPageFont, TRUE);
  }
  WCHAR entry[FORWARDING_ENTRY_UNITS] = {0};
  LoadStringW(g_hInstance, IDS_CF_ENTRY, entry, FORWARDING_ENTRY_UNITS);
  SendDlgItemMessageW(page, IDC_CF_ENTRY_LIST, LB_INSERTSTRING, 0, (LPARAM)entry);
  SendDlgItemMessageW(page, IDC_CF_ENTRY_LIST, LB_SETCURSEL, 0, 0);
}

// Query first; only a query that succeeded opens the forwarding settings. Whatever happens, the
// guard stays set for the options sheet to consume.
static void RunForwardingFlow(HWND page) {
  SheetDialogGuard = TRUE;
  if (SendDlgItemMessageW(page, IDC_CF_ENTRY_LIST, LB_GETCURSEL, 0, 0) != 0) return;
  VideoCFInfo info;
  ZeroMemory(&info, sizeof(info));
  info.bFailed = FALSE;
  info.bUseNetwork = 1;
  ShowReadDlg(page, g_hInstance, &info);
  if (info.bFailed || !info.bDone) return;
  SheetDialogGuard = TRUE;
  ShowCFSheet(page, g_hInstance, &info);
}

INT_PTR CALLBACK ForwardingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return TRUE;
    case WM_COMMAND:
      if (!HandleSoftKeyCommand(page, LOWORD(wParam)) && LOWORD(wParam) == IDC_CF_START) RunForwardingFlow(page);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_ACTIVE) SetSheetTitle(page, IDS_TITLE_CALL_FORWARDING);
      return FALSE;
    case WM_SIZE:
      RelayoutDialogFromTemplate(g_hInstance, page,
                                 CurrentScreenOrientation() > 0 ? IDD_CALL_FORWARDING_PORTRAIT : IDD_CALL_FORWARDING);
      return FALSE;
    case WM_DESTROY:
      if (ForwardingPageFont != NULL) {
        DeleteObject(ForwardingPageFont);
        ForwardingPageFont = NULL;
      }
      return FALSE;
    default:
      return FALSE;
  }
}
