// The query dialog: asks the network for the state of all four forwarding reasons and fills the
// caller's record with the answer. A reason the network reports without a number shows the number
// last entered for it on this handset.
#include "forwarding/cf_progress_dialogs.h"
#include "forwarding/progress_dialog.h"
#include "forwarding/vt_service_library.h"
#include "resources/resource.h"
#include "ui/debug_log.h"
#include "ui/window_helpers.h"

#define QUERY_LOG_UNITS 520

static HINSTANCE QueryDlgInstance = NULL;
static VideoCFInfo* QueryDlgInfo = NULL;

INT_PTR ShowReadDlg(HWND parent, HINSTANCE instance, VideoCFInfo* info) {
  QueryDlgInstance = instance;
  return RunProgressDialog(parent, instance, IDD_CF_QUERY, ReadDlgProc, info);
}

static void StartQuery(HWND dialog) {
  g_CFQueryRequest.hNotifyWnd = HandleToUlong(dialog);
  g_CFQueryRequest.uNotifyMsg = WM_CF_NOTIFY;
  // Everything else keeps what the last answer left in it until the network overwrites it.
  for (int i = 0; i < CF_REASON_COUNT; ++i) (g_CFQueryRequest.*CFReasons[i].requestEntry).bSelected = 1;
  VTGetCF(&g_CFQueryRequest);
}

static void TakeAnswer(VideoCFInfo* info) {
  VideoCFInfo stored;
  ZeroMemory(&stored, sizeof(stored));
  LoadCFNumbers(&stored);
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[i];
    const CFRequestEntry* entry = &(g_CFQueryRequest.*reason->requestEntry);
    info->*reason->active = entry->bActive;
    CopyCFNumber(info->*reason->number, entry->szNumber[0] != 0 ? entry->szNumber : stored.*reason->number);
  }
  // 5, 10, ... 30 seconds become 0 to 5; other times fall outside and the forwarding page puts them
  // right.
  info->nNoReplyIndex = (INT)(g_CFQueryRequest.nNoReplyTime / 5u) - 1;
}

static void OnQueryFailed(HWND dialog, const SSNotify* notify) {
  // The library's record is read while the message is handled, before the box hands control back
  // to the loop.
  LONG error = notify != NULL ? notify->nError : 0;
  WCHAR text[MAX_PATH] = {0};
  int answer = AskRetryOrCancel(dialog, QueryDlgInstance, IDS_CF_QUERY_FAILED, text);
  WCHAR line[QUERY_LOG_UNITS];
  wsprintfW(line, TEXT("ReadDlgProc: pSSNotify->nError(%d), szErr(%s)"), (int)error, text);
  DebugLog(line);
  if (answer == IDRETRY) {
    QueryDlgInfo->bFailed = FALSE;
    QueryDlgInfo->bDone = FALSE;
    VTGetCF(&g_CFQueryRequest);
  } else if (answer == IDCANCEL || answer == IDOK) {
    QueryDlgInfo->bDone = FALSE;
    QueryDlgInfo->bFailed = TRUE;
    EndDialog(dialog, 1);
  }
}

static void OnQueryNotify(HWND dialog, WPARAM code, LPARAM lParam) {
  if (QueryDlgInfo == NULL || QueryDlgInfo->bUseNetwork != 1) return;
  if (code == CF_QUERY_OK) {
    TakeAnswer(QueryDlgInfo);
    QueryDlgInfo->bFailed = FALSE;
    QueryDlgInfo->bDone = TRUE;
    EndDialog(dialog, 1);
  } else if (code == CF_QUERY_FAIL) {
    OnQueryFailed(dialog, (const SSNotify*)lParam);
  }
}

INT_PTR CALLBACK ReadDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      QueryDlgInfo = (VideoCFInfo*)lParam;
      CenterWindowOnScreen(dialog);
      if (QueryDlgInfo != NULL && QueryDlgInfo->bUseNetwork == 1) StartQuery(dialog);
      return TRUE;
    case WM_SETTINGCHANGE:
      CenterWindowOnScreen(dialog);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      // The library is told even when nothing was sent: a cancel it does not know of is harmless.
      VTSSCancel();
      if (QueryDlgInfo != NULL) QueryDlgInfo->bFailed = TRUE;
      EndDialog(dialog, 0);
      return TRUE;
    case WM_CF_NOTIFY:
      OnQueryNotify(dialog, wParam, lParam);
      return TRUE;
    default:
      return FALSE;
  }
}
