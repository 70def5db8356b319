// The set dialog: remembers the numbers of the changed reasons, checks that every active reason
// has a number and sends the change. Cancelling it leaves the caller's flags as they were.
#include <vlmrc/vlmrc.h>

#include "forwarding/cf_progress_dialogs.h"
#include "forwarding/progress_dialog.h"
#include "forwarding/vt_service_library.h"
#include "resources/resource.h"
#include "ui/window_helpers.h"

static HINSTANCE SetDlgInstance = NULL;
static HWND SetDlgWindow = NULL;  // owner of the set dialog's message boxes
static VideoCFInfo* SetDlgInfo = NULL;

INT_PTR ShowWriteDlg(HWND parent, HINSTANCE instance, VideoCFInfo* info) {
  SetDlgInstance = instance;
  return RunProgressDialog(parent, instance, IDD_CF_SET, WriteDlgProc, info);
}

BOOL ValidateCFRequest(const CFRequest* request) {
  static const int Order[CF_REASON_COUNT] = {CF_REASON_ALLCALL, CF_REASON_NOANS, CF_REASON_BUSY,
                                             CF_REASON_UNAVAILABLE};
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFRequestEntry* entry = &(request->*CFReasons[Order[i]].requestEntry);
    if (entry->bActive != 0 && entry->szNumber[0] == 0) return FALSE;
  }
  return TRUE;
}

static void FillSetRequest(HWND dialog, const VideoCFInfo* info) {
  g_CFSetRequest.hNotifyWnd = HandleToUlong(dialog);
  g_CFSetRequest.uNotifyMsg = WM_CF_NOTIFY;
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[i];
    CFRequestEntry* entry = &(g_CFSetRequest.*reason->requestEntry);
    entry->bSelected = info->*reason->changed;
    entry->bActive = info->*reason->active;
    CopyCFNumber(entry->szNumber, info->*reason->number);
  }
  g_CFSetRequest.nNoReplyTime = (DWORD)((info->nNoReplyIndex + 1) * 5);
}

static void StartSet(HWND dialog) {
  FillSetRequest(dialog, SetDlgInfo);
  // The numbers are remembered whatever the network answers, and also when the check fails.
  SaveCFNumbers(SetDlgInfo);
  if (ValidateCFRequest(&g_CFSetRequest))
    VTSetCF(&g_CFSetRequest);
  else
    PostMessageW(dialog, WM_CF_BADNUMBER, 0, 0);
}

static void OnSetNotify(HWND dialog, WPARAM code) {
  if (SetDlgInfo == NULL || SetDlgInfo->bUseNetwork != 1) return;
  if (code == CF_SET_OK) {
    SetDlgInfo->bDone = TRUE;
    SetDlgInfo->bFailed = FALSE;
    SetVideoCallForwardingStatus(SetDlgInfo->bAllCall);
    EndDialog(dialog, 1);
  } else if (code == CF_SET_FAIL) {
    SetDlgInfo->bDone = FALSE;
    SetDlgInfo->bFailed = FALSE;
    int answer = AskRetryOrCancel(SetDlgWindow, SetDlgInstance, IDS_CF_SET_FAILED, NULL);
    if (answer == IDCANCEL) {
      SetDlgInfo->bFailed = TRUE;
      EndDialog(dialog, 0);
    } else if (answer == IDRETRY) {
      // The same request again: not checked again, the numbers not stored again.
      SetDlgInfo->bFailed = FALSE;
      VTSetCF(&g_CFSetRequest);
    }
  }
}

// An active reason without a number: the box comes back until the user cancels.
static void OnBadNumber(HWND dialog) {
  int answer = AskRetryOrCancel(SetDlgWindow, SetDlgInstance, IDS_CF_SET_FAILED, NULL);
  if (answer == IDCANCEL)
    EndDialog(dialog, 0);
  else if (answer == IDRETRY)
    PostMessageW(dialog, WM_CF_BADNUMBER, 0, 0);
}

INT_PTR CALLBACK WriteDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgWindow = dialog;
      CenterWindowOnScreen(dialog);
      SetDlgInfo = (VideoCFInfo*)lParam;
      if (SetDlgInfo != NULL && SetDlgInfo->bUseNetwork == 1) StartSet(dialog);
      return TRUE;
    case WM_SETTINGCHANGE:
      CenterWindowOnScreen(dialog);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, 0);
      return TRUE;
    case WM_CF_NOTIFY:
      OnSetNotify(dialog, wParam);
      return TRUE;
    case WM_CF_BADNUMBER:
      OnBadNumber(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}
