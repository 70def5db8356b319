// The forwarding record that every forwarding screen works on, the table of the four forwarding
// reasons, and the operations on numbers: the phone-number filter, the comparison that marks changed
// reasons, and the store of the last number entered for each reason.
#pragma once

#include <stddef.h>

#include <windows.h>

#include <vlmrc/vt_service.h>

// Capacity of a number field, terminator included, and the longest number it holds.
#define CF_NUMBER_UNITS 256
#define CF_NUMBER_MAX_LENGTH (CF_NUMBER_UNITS - 1)

typedef struct VideoCFInfo {
  BOOL bAllCall;  // active (after a query) or wanted (after editing)
  BOOL bNoAns;
  BOOL bUnavailable;
  BOOL bBusy;
  BOOL bAllCallChanged;  // marked by CompareCFInfo
  BOOL bNoAnsChanged;
  BOOL bUnavailableChanged;
  BOOL bBusyChanged;
  BOOL bDone;    // the request succeeded
  BOOL bFailed;  // the request failed for good or was cancelled
  WCHAR szAllCall[CF_NUMBER_UNITS];
  WCHAR szNoAns[CF_NUMBER_UNITS];
  WCHAR szUnavailable[CF_NUMBER_UNITS];
  WCHAR szBusy[CF_NUMBER_UNITS];
  INT nNoReplyIndex;  // 0 to 5: 5, 10, ... 30 seconds
  BOOL bUseNetwork;   // 1: the progress dialogs send their request
} VideoCFInfo;

static_assert(sizeof(VideoCFInfo) == 2096);
static_assert(offsetof(VideoCFInfo, bAllCall) == 0);
static_assert(offsetof(VideoCFInfo, bNoAns) == 4);
static_assert(offsetof(VideoCFInfo, bUnavailable) == 8);
static_assert(offsetof(VideoCFInfo, bBusy) == 12);
static_assert(offsetof(VideoCFInfo, bAllCallChanged) == 16);
static_assert(offsetof(VideoCFInfo, bNoAnsChanged) == 20);
static_assert(offsetof(VideoCFInfo, bUnavailableChanged) == 24);
static_assert(offsetof(VideoCFInfo, bBusyChanged) == 28);
static_assert(offsetof(VideoCFInfo, bDone) == 32);
static_assert(offsetof(VideoCFInfo, bFailed) == 36);
static_assert(offsetof(VideoCFInfo, szAllCall) == 40);
static_assert(offsetof(VideoCFInfo, szNoAns) == 552);
static_assert(offsetof(VideoCFInfo, szUnavailable) == 1064);
static_assert(offsetof(VideoCFInfo, szBusy) == 1576);
static_assert(offsetof(VideoCFInfo, nNoReplyIndex) == 2088);
static_assert(offsetof(VideoCFInfo, bUseNetwork) == 2092);

// The four forwarding reasons, in the order of the forwarding page.
enum CFReasonIndex { CF_REASON_ALLCALL, CF_REASON_NOANS, CF_REASON_UNAVAILABLE, CF_REASON_BUSY, CF_REASON_COUNT };

// Where each piece of a reason lives: the record's fields, the stored value, the request's entry and
// the forwarding page's controls. Every forwarding piece reads the reasons from this one table.
typedef struct CFReason {
  BOOL VideoCFInfo::*active;
  BOOL VideoCFInfo::*changed;
  WCHAR (VideoCFInfo::*number)[CF_NUMBER_UNITS];
  LPCWSTR valueName;  // REG_SZ under "Software\Zarvo\VideoService"
  CFRequestEntry CFRequest::*requestEntry;
  int checkBoxId;
  int numberEditId;
} CFReason;

extern const CFReason CFReasons[CF_REASON_COUNT];

// Keeps the characters of "+p0123456789*#" in their order. The result lives in a module-wide buffer
// overwritten by the next call (or is a constant empty string); it holds at most MAX_PATH - 1
// characters, a longer result being cut there.
LPCWSTR FilterPhoneNumber(LPCWSTR text);

// TRUE when the edited record equals the queried one in the active flags, the numbers as typed and
// the no-reply index; each difference sets the reason's changed flag in the edited record (flags are
// only ever set here).
BOOL CompareCFInfo(const VideoCFInfo* queried, VideoCFInfo* edited);

// Stores the numbers of the changed reasons under "Software\Zarvo\VideoService" and flushes.
void SaveCFNumbers(const VideoCFInfo* info);
// Reads the four stored numbers into the record's number fields (nothing else is written).
void LoadCFNumbers(VideoCFInfo* info);
