// The boundary between vlmrc.dll and the 3G video-telephony service library "Zarvo3GVT.dll": the
// names of its four entry points, the request record that the library completes in place, and the
// completion message it delivers to the window named in the request. Both sides compile against
// these layouts, so every size and offset is fixed and checked.
#pragma once

#include <stddef.h>

#include <windows.h>

#define VT_SERVICE_LIBRARY_NAME TEXT("Zarvo3GVT.dll")
#define VT_SERVICE_SSCANCEL_NAME TEXT("Zarvo3GVT_SSCancel")
#define VT_SERVICE_GETCF_NAME TEXT("Zarvo3GVT_GetCF")
#define VT_SERVICE_SETCF_NAME TEXT("Zarvo3GVT_SetCF")
#define VT_SERVICE_GETVERSION_NAME TEXT("Zarvo3GVT_GetVersion")

// Delivered to the request's notify window when the network has answered. wParam is one of the
// codes below, lParam points to an SSNotify owned by the service library.
#define WM_CF_NOTIFY (WM_USER + 111)
#define CF_SET_OK 111
#define CF_SET_FAIL 112
#define CF_QUERY_OK 113
#define CF_QUERY_FAIL 114

// One forwarding reason of a request: whether the request concerns it, its forwarding state and the
// number calls are forwarded to.
typedef struct CFRequestEntry {
  DWORD bSelected;
  DWORD bActive;
  WCHAR szNumber[256];
} CFRequestEntry;

// A forwarding query or change. The entries follow the order of the call-forwarding reasons 0 to 3
// of the 3G standards (unconditional, busy, no reply, not reachable); the no-reply entry is followed
// by its no-reply time. The notify window is a window handle kept in 32 bits.
typedef struct CFRequest {
  DWORD hNotifyWnd;
  UINT uNotifyMsg;
  CFRequestEntry AllCall;
  CFRequestEntry Busy;
  CFRequestEntry NoAns;
  DWORD nNoReplyTime;  // seconds
  CFRequestEntry Unavailable;
} CFRequest;

static_assert(sizeof(CFRequestEntry) == 520);
static_assert(offsetof(CFRequestEntry, bSelected) == 0);
static_assert(offsetof(CFRequestEntry, bActive) == 4);
static_assert(offsetof(CFRequestEntry, szNumber) == 8);

static_assert(sizeof(CFRequest) == 2092, "CFRequest is 2092 bytes");
static_assert(offsetof(CFRequest, hNotifyWnd) == 0);
static_assert(offsetof(CFRequest, uNotifyMsg) == 4);
static_assert(offsetof(CFRequest, AllCall) + offsetof(CFRequestEntry, bSelected) == 8);
static_assert(offsetof(CFRequest, AllCall) + offsetof(CFRequestEntry, bActive) == 12);
static_assert(offsetof(CFRequest, AllCall) + offsetof(CFRequestEntry, szNumber) == 16);
static_assert(offsetof(CFRequest, Busy) + offsetof(CFRequestEntry, bSelected) == 528);
static_assert(offsetof(CFRequest, Busy) + offsetof(CFRequestEntry, bActive) == 532);
static_assert(offsetof(CFRequest, Busy) + offsetof(CFRequestEntry, szNumber) == 536);
static_assert(offsetof(CFRequest, NoAns) + offsetof(CFRequestEntry, bSelected) == 1048);
static_assert(offsetof(CFRequest, NoAns) + offsetof(CFRequestEntry, bActive) == 1052);
static_assert(offsetof(CFRequest, NoAns) + offsetof(CFRequestEntry, szNumber) == 1056);
static_assert(offsetof(CFRequest, nNoReplyTime) == 1568);
static_assert(offsetof(CFRequest, Unavailable) + offsetof(CFRequestEntry, bSelected) == 1572);
static_assert(offsetof(CFRequest, Unavailable) + offsetof(CFRequestEntry, bActive) == 1576);
static_assert(offsetof(CFRequest, Unavailable) + offsetof(CFRequestEntry, szNumber) == 1580);

// What the service library reports with a completion; it stays valid until the message has been
// handled. nError is 0 on success.
typedef struct SSNotify {
  LONG nError;
  DWORD dwCode;  // the completion code, as in wParam
} SSNotify;

static_assert(sizeof(SSNotify) == 8 && offsetof(SSNotify, nError) == 0 && offsetof(SSNotify, dwCode) == 4);

// The entry points, resolved by name, in the platform's standard calling convention.
typedef LONG(WINAPI* PFN_ZARVO3GVT_SSCANCEL)(void);
typedef LONG(WINAPI* PFN_ZARVO3GVT_GETCF)(CFRequest* request);
typedef LONG(WINAPI* PFN_ZARVO3GVT_SETCF)(CFRequest* request);
typedef LONG(WINAPI* PFN_ZARVO3GVT_GETVERSION)(void);
