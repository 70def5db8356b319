// The small settings: one value each (or two into a small record), read and written per call.
#include <vlmrc/vlmrc.h>

#include "settings/dbmui_setting.h"
#include "settings/registry_conventions.h"

#define VPD_DRIVER_KEY TEXT("software\\drivers\\vpd")
#define PHONE_STATE_KEY TEXT("System\\State\\Phone")
#define RIL_DRIVER_KEY TEXT("Drivers\\BuiltIn\\RIL")
#define PHONE_EXTEND_KEY TEXT("ControlPanel\\PhoneExtendFunction")
#define CAMERA_SUBKEY TEXT("Camera\\Common")

// Any of these bits in the phone status word means the SIM is not ready.
#define SIM_NOT_READY_MASK 0x00200016u
#define CSD_UNAVAILABLE 0xFFFFFFFFu
#define CSD_READ_ATTEMPTS 5

DWORD g_bDBMUI = 0;

typedef DWORD (*DecodeValue)(DWORD stored);

static DWORD DecodeRaw(DWORD stored) { return stored; }
static DWORD DecodeExactlyOne(DWORD stored) { return stored == 1 ? 1 : 0; }
static DWORD DecodeBrightness(DWORD stored) {
  if (stored >= 5) stored = 5;
  if (stored <= 1) stored = 1;
  return stored;
}

// The common getter: a one-step key under HKEY_LOCAL_MACHINE, one simple read, one decoding.
static DWORD GetValue(LPCWSTR path, LPCWSTR name, DWORD keyFailure, DWORD readFailure, DecodeValue decode) {
  HKEY key = CreateSettingsKey(HKEY_LOCAL_MACHINE, path);
  if (key == NULL) return keyFailure;
  DWORD stored = 0;
  DWORD result = ReadDwordValue(key, name, &stored) ? decode(stored) : readFailure;
  CloseSettingsKeys(key, NULL);
  return result;
}

// The common setters, one-step and two-step ("SoftWare\Zarvo" and then the subkey).
static void SetValue(HKEY root, LPCWSTR path, LPCWSTR name, DWORD value) {
  HKEY key = CreateSettingsKey(root, path);
  if (key == NULL) return;
  WriteDwordValue(key, name, value);
  CloseSettingsKeys(key, NULL);
}

static void SetZarvoValue(LPCWSTR subkey, LPCWSTR name, DWORD value) {
  HKEY zarvo;
  HKEY inner = CreateZarvoSubkey(subkey, &zarvo);
  if (zarvo == NULL) return;
  if (inner != NULL) WriteDwordValue(inner, name, value);
  CloseSettingsKeys(inner, zarvo);
}

// SIM readiness from the phone status word; FALSE when the key cannot be obtained.
static BOOL ReadSimReady(BOOL* keyObtained) {
  HKEY key = CreateSettingsKey(HKEY_LOCAL_MACHINE, PHONE_STATE_KEY);
  *keyObtained = key != NULL;
  if (key == NULL) return FALSE;
  DWORD status = 0;
  BOOL ready = ReadDwordValue(key, TEXT("status"), &status) && (status & SIM_NOT_READY_MASK) == 0;
  CloseSettingsKeys(key, NULL);
  return ready;
}

extern "C" BOOL WINAPI IsPowerLow(void) { return GetValue(VPD_DRIVER_KEY, TEXT("DisableCamera"), 0, 0, DecodeExactlyOne); }

extern "C" DWORD WINAPI fnGetBrightnessPos(void) {
  return GetValue(ZARVO_PHONE_KEY, TEXT("BrightnessPos"), 2, 2, DecodeBrightness);
}

extern "C" void WINAPI fnSetBrightnessPos(DWORD position) {
  SetValue(HKEY_LOCAL_MACHINE, ZARVO_PHONE_KEY, TEXT("BrightnessPos"), position);
}

void LoadDBMUISetting(void) {
  HKEY key = CreateSettingsKey(HKEY_LOCAL_MACHINE, ZARVO_PHONE_KEY);
  if (key == NULL) return;
  g_bDBMUI = ReadFlagValue(key, TEXT("bDBMUI"), 0);
  CloseSettingsKeys(key, NULL);
}

extern "C" void WINAPI GetPDPSettings(PDPSettings* settings) {
  if (settings == NULL) return;
  HKEY key = CreateSettingsKey(HKEY_LOCAL_MACHINE, ZARVO_PHONE_KEY);
  if (key == NULL) return;
  settings->CheckConnection = ReadFlagValue(key, TEXT("CheckConnection"), 0);
  settings->ShowPDPMsg = ReadFlagValue(key, TEXT("ShowPDPMsg"), 1);
  CloseSettingsKeys(key, NULL);
}

extern "C" void WINAPI GetVideoCFSettings(VideoCFSettings* settings) {
  if (settings == NULL) return;
  HKEY key = CreateSettingsKey(HKEY_LOCAL_MACHINE, ZARVO_PHONE_KEY);
  if (key == NULL) return;
  settings->SupportCF = ReadFlagValue(key, TEXT("SupportCF"), 1);
  settings->QueryVideoCFAsInit = ReadFlagValue(key, TEXT("QueryVideoCFAsInit"), 1);
  CloseSettingsKeys(key, NULL);
}

extern "C" void WINAPI SetCSDValue(DWORD value) {
  SetValue(HKEY_CURRENT_USER, PHONE_EXTEND_KEY, TEXT("CSDISDNEnable"), value);
}

extern "C" void WINAPI GetCSDValue(DWORD* value) {
  if (value == NULL) return;
  *value = CSD_UNAVAILABLE;
  // The key belongs to the control panel, which may be writing it right now: try a few times, but
  // never create it.
  for (int attempt = 0; attempt < CSD_READ_ATTEMPTS; ++attempt) {
    HKEY key = OpenSettingsKey(HKEY_CURRENT_USER, PHONE_EXTEND_KEY);
    if (key == NULL) continue;
    BOOL queried = FALSE;
    ReadDwordValueStrict(key, TEXT("CSDISDNEnable"), value, &queried);
    CloseSettingsKeys(key, NULL);
    if (queried) break;
  }
}

extern "C" void WINAPI SetVideoCallForwardingStatus(DWORD enabled) {
  SetZarvoValue(ZARVO_PHONE_SUBKEY, TEXT("callforwarding"), enabled != 0 ? 1 : 0);
}

extern "C" BOOL WINAPI GetVideoCallForwardingStatus(DWORD* simReady) {
  BOOL keyObtained = FALSE;
  BOOL ready = ReadSimReady(&keyObtained);
  if (!keyObtained) return FALSE;
  if (simReady != NULL) *simReady = ready;
  if (!ready) return FALSE;

  HKEY zarvo;
  HKEY phone = CreateZarvoSubkey(ZARVO_PHONE_SUBKEY, &zarvo);
  if (zarvo == NULL) return FALSE;
  BOOL forwarding = FALSE;
  if (phone != NULL) forwarding = ReadFlagValue(phone, TEXT("callforwarding"), 0);
  CloseSettingsKeys(phone, zarvo);
  return forwarding;
}

extern "C" BOOL WINAPI GetSimStatus(void) {
  BOOL keyObtained = FALSE;
  return ReadSimReady(&keyObtained);
}

extern "C" BOOL WINAPI GetMultiLineSettings(void) {
  return GetValue(ZARVO_PHONE_KEY, TEXT("SupportMultiLine"), 0, 1, DecodeExactlyOne);
}

extern "C" BOOL WINAPI GetPumpkeySettings(void) {
  return GetValue(ZARVO_PHONE_KEY, TEXT("SupportPumpkey"), 0, 1, DecodeExactlyOne);
}

extern "C" DWORD WINAPI GetCFUSettings(void) { return GetValue(RIL_DRIVER_KEY, TEXT("CFU_state"), 0, 0, DecodeRaw); }

extern "C" DWORD WINAPI GetIncomingCallLine(void) {
  return GetValue(RIL_DRIVER_KEY, TEXT("RingingAddressId"), 0, 0, DecodeRaw);
}

extern "C" void WINAPI GetLine2Ringtone(WCHAR* ringtone) {
  if (ringtone == NULL) return;
  HKEY key = CreateSettingsKey(HKEY_LOCAL_MACHINE, ZARVO_PHONE_KEY);
  if (key == NULL) return;
  ReadStringValue(key, TEXT("MultiLine2Ringtone"), ringtone, TEXT(""));
  CloseSettingsKeys(key, NULL);
}

extern "C" void WINAPI SetOrientation(DWORD rotate) { SetZarvoValue(CAMERA_SUBKEY, TEXT("RotateScreen"), rotate); }

extern "C" void WINAPI SetCallSession(DWORD session) { SetZarvoValue(ZARVO_PHONE_SUBKEY, TEXT("VTCallSession"), session); }

extern "C" DWORD WINAPI GetCallSession(void) {
  return GetValue(ZARVO_PHONE_KEY, TEXT("VTCallSession"), 0, 0, DecodeRaw);
}
