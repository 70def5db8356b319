// The two small modal dialogs that wait for the network: the query dialog fills a VideoCFInfo with
// the forwarding state the network reports, the set dialog sends the changed reasons of one. Each
// starts its request when it opens and waits, with no time limit, for the library's WM_CF_NOTIFY or
// the user's cancel; the caller reads the outcome from bDone and bFailed.
#pragma once

#include <windows.h>

#include "forwarding/cf_info.h"

// Posted by the set dialog to itself when an active reason has no number.
#define WM_CF_BADNUMBER (WM_USER + 112)

// Before showing either dialog the caller sets bUseNetwork (1: talk to the network) and clears
// bDone and bFailed. Each returns the dialog's end value, or -1 when its template is missing.
INT_PTR ShowReadDlg(HWND parent, HINSTANCE instance, VideoCFInfo* info);
INT_PTR ShowWriteDlg(HWND parent, HINSTANCE instance, VideoCFInfo* info);

INT_PTR CALLBACK ReadDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WriteDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// FALSE when a reason is active but has no number, whether or not the request selects it; the
// reasons are tested in the order all calls, no answer, busy, not reachable.
BOOL ValidateCFRequest(const CFRequest* request);
