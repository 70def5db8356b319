// The page of the forwarding settings sheet: a check box and a number per reason, the no-reply
// time, a painted heading. All calls forwarded leaves no room for the conditional reasons, so their
// boxes and numbers are disabled while it is ticked; the no-reply time belongs to the no-answer
// reason and is enabled with it.
#include <aygshell.h>
#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include "forwarding/cf_progress_dialogs.h"
#include "forwarding/cf_settings_sheet.h"
#include "forwarding/progress_dialog.h"
#include "resources/resource.h"
#include "ui/display_scale.h"
#include "ui/fonts.h"
#include "ui/format_check.h"
#include "ui/label_style.h"
#include "ui/painted_label.h"
#include "ui/window_helpers.h"

#define CF_PAGE_FONT_HEIGHT 13
#define CF_PAGE_FONT_WEIGHT 500
#define CF_NUMBER_EDIT_LIMIT 64
#define NOREPLY_FORMAT_UNITS 64
#define NOREPLY_CHOICES 6
#define NOREPLY_DEFAULT_INDEX 3  // 20 seconds
#define CF_PAGE_SHELL_FLAGS (SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU)

HFONT CFPageFont = NULL;

// The controls that take the page font, in the order they get it.
static const int FontControls[] = {IDC_CF_NUMBERS_LABEL, IDC_CF_ALLCALL_CHECK, IDC_CF_CONDITIONS_LABEL,
                                   IDC_CF_NOANS_CHECK,   IDC_CF_NOREPLY_LABEL, IDC_CF_UNAVAILABLE_CHECK,
                                   IDC_CF_BUSY_CHECK};
// What all calls forwarded disables (and enabling it again gives back, but for the no-reply time).
static const int ConditionalControls[] = {IDC_CF_NOANS_CHECK,  IDC_CF_NOANS_NUMBER,      IDC_CF_NOREPLY_LABEL,
                                          IDC_CF_NOREPLY_LIST, IDC_CF_UNAVAILABLE_CHECK, IDC_CF_BUSY_CHECK,
                                          IDC_CF_UNAVAILABLE_NUMBER, IDC_CF_BUSY_NUMBER};
static const int ConditionalBoxes[] = {IDC_CF_NOANS_CHECK, IDC_CF_UNAVAILABLE_CHECK, IDC_CF_BUSY_CHECK};

#define COUNT_OF(array) (sizeof(array) / sizeof((array)[0]))

static void EnableControl(HWND page, int id, BOOL enabled) {
  HWND control = GetDlgItem(page, id);
  if (control != NULL) EnableWindow(control, enabled);
}

static BOOL IsTicked(HWND page, int id) { return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

static void EnableNoReplyTime(HWND page, BOOL enabled) {
  EnableControl(page, IDC_CF_NOREPLY_LABEL, enabled);
  EnableControl(page, IDC_CF_NOREPLY_LIST, enabled);
}

// All calls ticked: the conditional reasons are off and cannot be changed. Unticked: they can,
// except the no-reply time, which waits for the no-answer box.
static void ShowAllCallsState(HWND page, BOOL allCalls) {
  if (allCalls) {
    for (size_t i = 0; i < COUNT_OF(ConditionalControls); ++i) EnableControl(page, ConditionalControls[i], FALSE);
    for (size_t i = 0; i < COUNT_OF(ConditionalBoxes); ++i)
      SendDlgItemMessageW(page, ConditionalBoxes[i], BM_SETCHECK, BST_UNCHECKED, 0);
    return;
  }
  for (size_t i = 0; i < COUNT_OF(ConditionalControls); ++i) {
    int id = ConditionalControls[i];
    if (id != IDC_CF_NOREPLY_LABEL && id != IDC_CF_NOREPLY_LIST) EnableControl(page, id, TRUE);
  }
}

static void SetPageFont(HWND page) {
  if (GetDBMUIFlag() != 0) {
    LabelStyle::SetLabelBold(FALSE);
    return;
  }
  HDC dc = GetDC(page);
  if (dc == NULL) return;
  CFPageFont = CreateSharedResourceFont(dc, NULL, CF_PAGE_FONT_HEIGHT * DisplayScale, CF_PAGE_FONT_WEIGHT);
  ReleaseDC(page, dc);
  for (size_t i = 0; i < COUNT_OF(FontControls); ++i)
    SendDlgItemMessageW(page, FontControls[i], WM_SETFONT, (WPARAM)CFPageFont, TRUE);
}

// The six no-reply times, 5 to 30 seconds, from the resource format. A format that does not take
// exactly one number is shown as it is rather than filled with arguments it does not expect.
static void FillNoReplyList(HWND page) {
  static const FormatArgument NumberArgument[] = {ARG_NUMBER};
  WCHAR format[NOREPLY_FORMAT_UNITS] = {0};
  LoadStringW(CFSheetInstance, IDS_CF_NOREPLY_FORMAT, format, NOREPLY_FORMAT_UNITS);
  BOOL fillable = IsFormatFor(format, NumberArgument, 1);
  for (int index = 0; index < NOREPLY_CHOICES; ++index) {
    WCHAR item[FORMAT_OUTPUT_UNITS] = {0};
    if (fillable)
      wsprintfW(item, format, 5 * (index + 1));
    else
      lstrcpynW(item, format, NOREPLY_FORMAT_UNITS);
    SendDlgItemMessageW(page, IDC_CF_NOREPLY_LIST, CB_INSERTSTRING, (WPARAM)index, (LPARAM)item);
  }
}

static void OnInitDialog(HWND page, LabelStyle* headingStyle, const PROPSHEETPAGEW* record) {
  HWND heading = GetDlgItem(page, IDC_CF_HEADING);
  if (heading != NULL) {
    headingStyle->pfnPrevProc = (WNDPROC)GetWindowLongPtrW(heading, GWLP_WNDPROC);
    SetWindowLongPtrW(heading, GWLP_WNDPROC, (LONG_PTR)PaintedLabelProc);
  }
  SetPageFont(page);
  CFSheetQueried = record != NULL ? (VideoCFInfo*)record->lParam : NULL;

  SHINITDLGINFO shell;
  ZeroMemory(&shell, sizeof(shell));
  shell.dwMask = SHIDIM_FLAGS;
  shell.hDlg = page;
  shell.dwFlags = CF_PAGE_SHELL_FLAGS;
  SHInitDialog(&shell);

  FillNoReplyList(page);
  VideoCFInfo* queried = CFSheetQueried;
  if (queried == NULL) return;
  if (queried->nNoReplyIndex < 0 || queried->nNoReplyIndex >= NOREPLY_CHOICES)
    queried->nNoReplyIndex = NOREPLY_DEFAULT_INDEX;
  SendDlgItemMessageW(page, IDC_CF_NOREPLY_LIST, CB_SETCURSEL, (WPARAM)queried->nNoReplyIndex, 0);
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[i];
    // A number is shown no further than its field: the record may come from the network.
    WCHAR number[CF_NUMBER_UNITS];
    CopyCFNumber(number, queried->*reason->number);
    SetDlgItemTextW(page, reason->numberEditId, number);
    SendDlgItemMessageW(page, reason->checkBoxId, BM_SETCHECK, (WPARAM)(queried->*reason->active), 0);
  }
  ShowAllCallsState(page, queried->bAllCall);
  EnableNoReplyTime(page, queried->bNoAns != 0);
  for (int i = 0; i < CF_REASON_COUNT; ++i)
    SendDlgItemMessageW(page, CFReasons[i].numberEditId, EM_LIMITTEXT, CF_NUMBER_EDIT_LIMIT, 0);
}

// The page's state as the user left it.
static void ReadEdits(HWND page, VideoCFInfo* edited) {
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[i];
    edited->*reason->changed = FALSE;
    edited->*reason->active = IsTicked(page, reason->checkBoxId) ? 1 : 0;
    GetDlgItemTextW(page, reason->numberEditId, edited->*reason->number, CF_NUMBER_UNITS);
  }
  edited->nNoReplyIndex = (INT)SendDlgItemMessageW(page, IDC_CF_NOREPLY_LIST, CB_GETCURSEL, 0, 0);
}

// Accepting the page (Done, or the sheet's apply): nothing changed records the all-calls state;
// otherwise the cleaned numbers are sent. The page stays open only when the user cancelled the
// set dialog, keeping the edits: then FALSE.
static BOOL Apply(HWND page) {
  VideoCFInfo* queried = CFSheetQueried;
  if (queried == NULL) return TRUE;
  VideoCFInfo edited;
  ZeroMemory(&edited, sizeof(edited));
  ReadEdits(page, &edited);
  if (CompareCFInfo(queried, &edited)) {
    SetVideoCallForwardingStatus(queried->bAllCall);
    EndDialog(page, 0);
    return TRUE;
  }
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    WCHAR* number = edited.*CFReasons[i].number;
    if (number[0] != 0) CopyCFNumber(number, FilterPhoneNumber(number));
  }
  edited.bUseNetwork = 1;
  edited.bDone = FALSE;
  edited.bFailed = FALSE;
  ShowWriteDlg(page, CFSheetInstance, &edited);
  if (!edited.bDone && !edited.bFailed) return FALSE;
  EndDialog(page, 1);
  return TRUE;
}

static void OnDestroy(HWND page, const LabelStyle* headingStyle) {
  HWND heading = GetDlgItem(page, IDC_CF_HEADING);
  if (heading != NULL && headingStyle->pfnPrevProc != NULL)
    SetWindowLongPtrW(heading, GWLP_WNDPROC, (LONG_PTR)headingStyle->pfnPrevProc);
  if (CFPageFont != NULL) {
    DeleteObject(CFPageFont);
    CFPageFont = NULL;
  }
}

INT_PTR CALLBACK CFPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  // Built with the first page that runs in the process and kept until the module unloads; only its
  // previous-procedure field is used.
  static LabelStyle HeadingStyle(page);
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page, &HeadingStyle, (const PROPSHEETPAGEW*)lParam);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          Apply(page);
          break;
        case IDC_CF_ALLCALL_CHECK:
          ShowAllCallsState(page, IsTicked(page, IDC_CF_ALLCALL_CHECK));
          break;
        case IDC_CF_NOANS_CHECK:
          EnableNoReplyTime(page, IsTicked(page, IDC_CF_NOANS_CHECK));
          break;
        default:
          break;
      }
      return FALSE;
    case WM_NOTIFY:
      if (lParam == 0 || ((const NMHDR*)lParam)->code != (UINT)PSN_APPLY) return FALSE;
      if (Apply(page)) return FALSE;
      // The user went back to the edits: the sheet must not close under them.
      SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
      return TRUE;
    case WM_WINDOWPOSCHANGED:
      if (lParam != 0 && (((const WINDOWPOS*)lParam)->flags & SWP_NOOWNERZORDER)) EndDialog(page, 1);
      return FALSE;
    case WM_DESTROY:
      OnDestroy(page, &HeadingStyle);
      return FALSE;
    default:
      return FALSE;
  }
}
