// The last number entered for each forwarding reason, kept under "Software\Zarvo\VideoService" so
// that a reason the network reports without a number still shows it.
#include "forwarding/cf_info.h"
#include "settings/registry_conventions.h"

#define VIDEO_SERVICE_SUBKEY TEXT("VideoService")
// Reads stop at this many bytes: 128 characters and the terminator. Longer values read as empty.
#define STORED_NUMBER_MAX_BYTES 259

static const int SaveOrder[CF_REASON_COUNT] = {CF_REASON_BUSY, CF_REASON_UNAVAILABLE, CF_REASON_ALLCALL,
                                               CF_REASON_NOANS};
static const int LoadOrder[CF_REASON_COUNT] = {CF_REASON_BUSY, CF_REASON_ALLCALL, CF_REASON_NOANS,
                                               CF_REASON_UNAVAILABLE};

// Creates or opens "Software\Zarvo" and its "VideoService" key; FALSE, with nothing left open, when
// either cannot be obtained.
static BOOL OpenVideoServiceKeys(HKEY* outer, HKEY* inner) {
  WCHAR path[MAX_PATH];
  wsprintfW(path, TEXT("Software\\%s"), TEXT("Zarvo"));
  *outer = CreateSettingsKey(HKEY_LOCAL_MACHINE, path);
  if (*outer == NULL) return FALSE;
  *inner = CreateSettingsKey(*outer, VIDEO_SERVICE_SUBKEY);
  if (*inner == NULL) {
    CloseSettingsKeys(NULL, *outer);
    return FALSE;
  }
  return TRUE;
}

void SaveCFNumbers(const VideoCFInfo* info) {
  HKEY outer = NULL;
  HKEY inner = NULL;
  if (!OpenVideoServiceKeys(&outer, &inner)) return;
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[SaveOrder[i]];
    if (info->*reason->changed)
      WriteLimitedStringValue(inner, reason->valueName, info->*reason->number, CF_NUMBER_MAX_LENGTH);
  }
  CloseSettingsKeys(inner, outer);
  // The numbers survive a reset of the handset.
  RegFlushKey(HKEY_LOCAL_MACHINE);
}

void LoadCFNumbers(VideoCFInfo* info) {
  HKEY outer = NULL;
  HKEY inner = NULL;
  if (!OpenVideoServiceKeys(&outer, &inner)) return;
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[LoadOrder[i]];
    ReadLimitedStringValue(inner, reason->valueName, info->*reason->number, STORED_NUMBER_MAX_BYTES, TEXT(""));
  }
  CloseSettingsKeys(inner, outer);
}
