// The interface of vlmrc.dll as its host sees it: the records that cross the exported functions and
// the exported functions themselves. The host compiles against these layouts, so every size and
// offset is fixed and checked.
#pragma once

#include <stddef.h>

#include <windows.h>

// The VT option settings record, exchanged with the host and edited by the options screen. It is
// stored and read back one registry value at a time, with no lock around the record: a thread that
// reads it while another writes it may get some fields old and some new. That is how the library
// behaves, and callers that share the record across threads order their calls themselves.
typedef struct VTOptSetting {
  BOOL bShowCallTime;
  BOOL bShowPhoneNum_Name;
  BOOL bMirrorCamera;
  BOOL bAcceptVideoCallMuteVideo;
  BOOL bMakeVideoCallMuteVideo;
  DWORD MuteVideo;
  DWORD ViewMode;
  WCHAR PicFileName[MAX_PATH];
  DWORD Angle;  // current display rotation in degrees; read only
} VTOptSetting;

static_assert(sizeof(VTOptSetting) == 552, "VTOptSetting is 552 bytes");
static_assert(offsetof(VTOptSetting, bShowCallTime) == 0);
static_assert(offsetof(VTOptSetting, bShowPhoneNum_Name) == 4);
static_assert(offsetof(VTOptSetting, bMirrorCamera) == 8);
static_assert(offsetof(VTOptSetting, bAcceptVideoCallMuteVideo) == 12);
static_assert(offsetof(VTOptSetting, bMakeVideoCallMuteVideo) == 16);
static_assert(offsetof(VTOptSetting, MuteVideo) == 20);
static_assert(offsetof(VTOptSetting, ViewMode) == 24);
static_assert(offsetof(VTOptSetting, PicFileName) == 28);
static_assert(offsetof(VTOptSetting, Angle) == 548);

// The call-screen settings that the host reads in one call.
typedef struct PhoneSettings {
  WCHAR PartnerMaleIconPath[MAX_PATH];
  WCHAR PartnerFemaleIconPath[MAX_PATH];
  WCHAR WaitingTone[MAX_PATH];
  DWORD ColorKey;
  BOOL bShowHideAccum;
  BOOL SetConferenceInvalidate;
  BOOL bSupport3rdCall;
  DWORD CallWaitingMsg;
} PhoneSettings;

static_assert(sizeof(PhoneSettings) == 1580, "PhoneSettings is 1580 bytes");
static_assert(offsetof(PhoneSettings, PartnerMaleIconPath) == 0);
static_assert(offsetof(PhoneSettings, PartnerFemaleIconPath) == 520);
static_assert(offsetof(PhoneSettings, WaitingTone) == 1040);
static_assert(offsetof(PhoneSettings, ColorKey) == 1560);
static_assert(offsetof(PhoneSettings, bShowHideAccum) == 1564);
static_assert(offsetof(PhoneSettings, SetConferenceInvalidate) == 1568);
static_assert(offsetof(PhoneSettings, bSupport3rdCall) == 1572);
static_assert(offsetof(PhoneSettings, CallWaitingMsg) == 1576);

// Packet-data prompts.
typedef struct PDPSettings {
  BOOL CheckConnection;
  BOOL ShowPDPMsg;
} PDPSettings;

static_assert(sizeof(PDPSettings) == 8 && offsetof(PDPSettings, ShowPDPMsg) == 4);

// Video call forwarding support; the options screen shows its forwarding page only with SupportCF.
typedef struct VideoCFSettings {
  BOOL SupportCF;
  BOOL QueryVideoCFAsInit;
} VideoCFSettings;

static_assert(sizeof(VideoCFSettings) == 8 && offsetof(VideoCFSettings, QueryVideoCFAsInit) == 4);

// The host's worker window, to which the library reports changed settings.
#define VLMRC_WORKER_CLASS TEXT("VelmoraWorkerCls")
#define VLMRC_WORKER_TITLE TEXT("VelmoraWorker")
// Sent to the worker window after the VT option settings were stored.
#define WM_VTOPT_CHANGED 0x0914
// Sent to the worker window by AvoidSystemIdle when the battery reads below 15 percent; wParam is
// the percentage, lParam 0.
#define WM_LOW_BATTERY (WM_USER + 250)

// Every function that vlmrc.dll exports, with its ordinal: 1 to 33 in the order of the names,
// upper-case letters first.
typedef struct VlmrcExportEntry {
  const char* name;
  WORD ordinal;
} VlmrcExportEntry;

inline constexpr VlmrcExportEntry kVlmrcExports[] = {
    {"AvoidSystemIdle", 1},
    {"CreateVTOpt", 2},
    {"DeleteSBMIntKeyValue", 3},
    {"DeleteVTKeyValue", 4},
    {"GetBattery", 5},
    {"GetCFUSettings", 6},
    {"GetCSDValue", 7},
    {"GetCallSession", 8},
    {"GetIncomingCallLine", 9},
    {"GetLine2Ringtone", 10},
    {"GetMultiLineSettings", 11},
    {"GetPDPSettings", 12},
    {"GetPhoneSettings", 13},
    {"GetPumpkeySettings", 14},
    {"GetSimStatus", 15},
    {"GetVTOptSetting", 16},
    {"GetVideoCFSettings", 17},
    {"GetVideoCallForwardingStatus", 18},
    {"IsPowerLow", 19},
    {"IsSBMIntRegistered", 20},
    {"IsVTRegistered", 21},
    {"IsVTRegisteredEx", 22},
    {"SBMIntRegister", 23},
    {"SetCSDValue", 24},
    {"SetCallSession", 25},
    {"SetOrientation", 26},
    {"SetVTOptSetting", 27},
    {"SetVideoCallForwardingStatus", 28},
    {"TurnOffLED", 29},
    {"TurnOnLED", 30},
    {"VTRegister", 31},
    {"fnGetBrightnessPos", 32},
    {"fnSetBrightnessPos", 33},
};
static_assert(sizeof(kVlmrcExports) / sizeof(kVlmrcExports[0]) == 33);

// The exports, all in the platform's standard calling convention (WINAPI): on a 32-bit device the
// callee takes its arguments off the stack, and a host that declares them otherwise corrupts it.
extern "C" {

void WINAPI GetVTOptSetting(VTOptSetting* settings);
void WINAPI SetVTOptSetting(const VTOptSetting* settings);

void WINAPI GetPhoneSettings(PhoneSettings* settings);

BOOL WINAPI IsPowerLow(void);
DWORD WINAPI fnGetBrightnessPos(void);
void WINAPI fnSetBrightnessPos(DWORD position);
void WINAPI GetPDPSettings(PDPSettings* settings);
void WINAPI GetVideoCFSettings(VideoCFSettings* settings);
void WINAPI SetCSDValue(DWORD value);
void WINAPI GetCSDValue(DWORD* value);
void WINAPI SetVideoCallForwardingStatus(DWORD enabled);
BOOL WINAPI GetVideoCallForwardingStatus(DWORD* simReady);
BOOL WINAPI GetSimStatus(void);
BOOL WINAPI GetMultiLineSettings(void);
BOOL WINAPI GetPumpkeySettings(void);
DWORD WINAPI GetCFUSettings(void);
DWORD WINAPI GetIncomingCallLine(void);
void WINAPI GetLine2Ringtone(WCHAR* ringtone);
void WINAPI SetOrientation(DWORD rotate);
void WINAPI SetCallSession(DWORD session);
DWORD WINAPI GetCallSession(void);

// Pending-call marks: a registration leaves a time stamp and a value; a check reports whether the
// mark is at most `limit` milliseconds old, hands back the value and clears the mark.
void WINAPI VTRegister(DWORD callNow);
BOOL WINAPI IsVTRegistered(DWORD limit, DWORD* callNow);
BOOL WINAPI IsVTRegisteredEx(DWORD limit, DWORD* callNow);
void WINAPI DeleteVTKeyValue(void);
void WINAPI SBMIntRegister(DWORD callNow);
BOOL WINAPI IsSBMIntRegistered(DWORD limit, DWORD* callNow);
void WINAPI DeleteSBMIntKeyValue(void);

// Device services. TurnOnLED starts blinking the LED and returns the blink thread's handle, which
// the library keeps and closes itself; TurnOffLED stops it and switches the LED off.
HANDLE WINAPI TurnOnLED(void);
void WINAPI TurnOffLED(void);
BOOL WINAPI GetBattery(DWORD* percent, DWORD* flags);
// A timer procedure (TIMERPROC) for the host's timer: resets the idle timer on each WM_TIMER.
void WINAPI AvoidSystemIdle(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Runs the video-telephony options screen modally, owned by `owner`; stores the VT option settings
// when the user accepts it. Returns 1 in every case.
int WINAPI CreateVTOpt(HWND owner);

}  // extern "C"
