// Pending-call marks: a time stamp and a value left by the host, consumed by the next check. Two
// families (VT and SBMInt) keep their time stamps apart but share the one value "CallNow".
#include <vlmrc/vlmrc.h>

#include "settings/registry_conventions.h"

#define STAMP_READ_ATTEMPTS 5

// The time stamp is a UTC file time: dwLowDateTime, then dwHighDateTime, then the registered value.
typedef struct PendingCallStamp {
  FILETIME Time;
  DWORD CallNow;
} PendingCallStamp;

static_assert(sizeof(PendingCallStamp) == 12, "PendingCallStamp is 12 bytes");

// The names of a family's two time-stamp halves.
typedef struct PendingCallFamily {
  LPCWSTR highName;
  LPCWSTR lowName;
} PendingCallFamily;

static const PendingCallFamily g_vtFamily = {TEXT("VTTimeStampH"), TEXT("VTTimeStampL")};
static const PendingCallFamily g_sbmIntFamily = {TEXT("SBMIntTimeStampH"), TEXT("SBMIntTimeStampL")};
#define CALL_NOW_VALUE TEXT("CallNow")

static void WritePendingCallStamp(const PendingCallFamily* family, const PendingCallStamp* stamp) {
  HKEY zarvo;
  HKEY phone = CreateZarvoSubkey(ZARVO_PHONE_SUBKEY, &zarvo);
  if (zarvo == NULL) return;
  if (phone != NULL) {
    WriteDwordValue(phone, family->highName, stamp->Time.dwHighDateTime);
    WriteDwordValue(phone, family->lowName, stamp->Time.dwLowDateTime);
    WriteDwordValue(phone, CALL_NOW_VALUE, stamp->CallNow);
  }
  CloseSettingsKeys(phone, zarvo);
}

// One attempt: TRUE when both keys opened and all three values were queried. Values of the wrong
// type or size are skipped without failing the attempt.
static BOOL TryReadPendingCallStamp(const PendingCallFamily* family, PendingCallStamp* stamp) {
  BOOL complete = FALSE;
  HKEY zarvo = OpenSettingsKey(HKEY_LOCAL_MACHINE, ZARVO_KEY);
  HKEY phone = zarvo != NULL ? OpenSettingsKey(zarvo, ZARVO_PHONE_SUBKEY) : NULL;
  if (phone != NULL) {
    BOOL queried = FALSE;
    ReadDwordValueStrict(phone, family->highName, &stamp->Time.dwHighDateTime, &queried);
    if (queried) ReadDwordValueStrict(phone, family->lowName, &stamp->Time.dwLowDateTime, &queried);
    if (queried) ReadDwordValueStrict(phone, CALL_NOW_VALUE, &stamp->CallNow, &queried);
    complete = queried;
  }
  CloseSettingsKeys(phone, zarvo);
  return complete;
}

static void ReadPendingCallStamp(const PendingCallFamily* family, PendingCallStamp* stamp) {
  stamp->Time.dwLowDateTime = 0;
  stamp->Time.dwHighDateTime = 0;
  stamp->CallNow = 0;
  for (int attempt = 0; attempt < STAMP_READ_ATTEMPTS; ++attempt)
    if (TryReadPendingCallStamp(family, stamp)) return;
}

static void RegisterPendingCall(const PendingCallFamily* family, DWORD callNow) {
  PendingCallStamp stamp = {{0, 0}, 0};
  SYSTEMTIME now;
  GetSystemTime(&now);
  SystemTimeToFileTime(&now, &stamp.Time);
  stamp.CallNow = callNow;
  WritePendingCallStamp(family, &stamp);
}

// Whether a mark made at `then` is at most `limit` milliseconds old at `now`. Marks of another year
// or month are stale; within a month the calendar fields are subtracted in wrap-around arithmetic,
// so a mark from the future is very old.
static BOOL IsStampFresh(const SYSTEMTIME* now, const SYSTEMTIME* then, DWORD limit) {
  if (now->wYear != then->wYear || now->wMonth != then->wMonth) return FALSE;
  DWORD days = (DWORD)now->wDay - then->wDay;
  DWORD hours = days * 24 + now->wHour - then->wHour;
  DWORD minutes = hours * 60 + now->wMinute - then->wMinute;
  DWORD seconds = minutes * 60 + now->wSecond - then->wSecond;
  DWORD elapsed = seconds * 1000 + now->wMilliseconds - then->wMilliseconds;
  return elapsed <= limit;
}

static BOOL CheckPendingCall(const PendingCallFamily* family, DWORD limit, DWORD* callNow, BOOL keepTimeStamp) {
  if (callNow != NULL) *callNow = 0;
  BOOL fresh = FALSE;

  PendingCallStamp stamp;
  ReadPendingCallStamp(family, &stamp);
  SYSTEMTIME now;
  SYSTEMTIME then;
  GetSystemTime(&now);
  // A file time that has no calendar form (top bit set) cannot be a recent mark.
  if (FileTimeToSystemTime(&stamp.Time, &then) && IsStampFresh(&now, &then, limit)) {
    fresh = TRUE;
    if (callNow != NULL) *callNow = stamp.CallNow;
  }

  // A check consumes the mark, fresh or not.
  stamp.CallNow = 0;
  if (!keepTimeStamp) {
    stamp.Time.dwLowDateTime = 0;
    stamp.Time.dwHighDateTime = 0;
  }
  WritePendingCallStamp(family, &stamp);
  return fresh;
}

static void DeletePendingCall(const PendingCallFamily* family) {
  HKEY zarvo;
  HKEY phone = CreateZarvoSubkey(ZARVO_PHONE_SUBKEY, &zarvo);
  if (zarvo == NULL) return;
  if (phone != NULL) {
    RegDeleteValueW(phone, family->highName);
    RegDeleteValueW(phone, family->lowName);
    RegDeleteValueW(phone, CALL_NOW_VALUE);
  }
  CloseSettingsKeys(phone, zarvo);
}

extern "C" void WINAPI VTRegister(DWORD callNow) { RegisterPendingCall(&g_vtFamily, callNow); }

extern "C" BOOL WINAPI IsVTRegistered(DWORD limit, DWORD* callNow) {
  return CheckPendingCall(&g_vtFamily, limit, callNow, FALSE);
}

extern "C" BOOL WINAPI IsVTRegisteredEx(DWORD limit, DWORD* callNow) {
  return CheckPendingCall(&g_vtFamily, limit, callNow, TRUE);
}

extern "C" void WINAPI DeleteVTKeyValue(void) { DeletePendingCall(&g_vtFamily); }

extern "C" void WINAPI SBMIntRegister(DWORD callNow) { RegisterPendingCall(&g_sbmIntFamily, callNow); }

extern "C" BOOL WINAPI IsSBMIntRegistered(DWORD limit, DWORD* callNow) {
  return CheckPendingCall(&g_sbmIntFamily, limit, callNow, FALSE);
}

extern "C" void WINAPI DeleteSBMIntKeyValue(void) { DeletePendingCall(&g_sbmIntFamily); }
