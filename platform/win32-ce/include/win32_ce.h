// The Windows CE functions that desktop Windows lacks or treats differently, as far as the library
// uses them, each built on desktop Win32 in win32_ce.cpp. Included through <windows.h>.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// --- kernel -----------------------------------------------------------------------------------

// CE: resolves an export by UTF-16 name, or by ordinal when the value is below 0x10000. Desktop:
// GetProcAddress, which takes an 8-bit name.
FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR procName);

// CE: formatted text to the kernel debugger. Desktop: wvsprintfW (at most 1024 characters, as
// wsprintfW), then OutputDebugStringW.
void NKDbgPrintfW(LPCWSTR format, ...);

// --- windows ----------------------------------------------------------------------------------

// CE's shell sends WM_SETTINGCHANGE with this wParam when the screen was rotated or resized.
// Desktop Windows never sends it; code that answers it simply waits in vain.
#define SETTINGCHANGE_RESET 0x3002

// --- power ------------------------------------------------------------------------------------

// CE's battery record: the main and the backup battery.
typedef struct _SYSTEM_POWER_STATUS_EX {
  BYTE ACLineStatus;
  BYTE BatteryFlag;
  BYTE BatteryLifePercent;
  BYTE Reserved1;
  DWORD BatteryLifeTime;
  DWORD BatteryFullLifeTime;
  BYTE Reserved2;
  BYTE BackupBatteryFlag;
  BYTE BackupBatteryLifePercent;
  BYTE Reserved3;
  DWORD BackupBatteryLifeTime;
  DWORD BackupBatteryFullLifeTime;
} SYSTEM_POWER_STATUS_EX, *PSYSTEM_POWER_STATUS_EX, *LPSYSTEM_POWER_STATUS_EX;

// CE: the battery state, refreshed from the driver when `update` is TRUE. Desktop:
// GetSystemPowerStatus; a desktop machine reports no backup battery.
BOOL WINAPI GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL update);

// CE: restarts the idle countdown that would turn the screen off and suspend the device. Desktop:
// SetThreadExecutionState with the display and the system required, once.
void WINAPI SystemIdleTimerReset(void);

// --- registry ---------------------------------------------------------------------------------

// CE ignores the access mask of RegCreateKeyExW and RegOpenKeyExW (CE code passes 0); desktop
// Windows grants exactly what is asked for, so a key opened with 0 could neither be read nor
// written. These give such a call every access, as CE does, and pass any other mask unchanged.
LONG WINAPI Win32CeRegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
                                   DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                   PHKEY result, LPDWORD disposition);
LONG WINAPI Win32CeRegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access,
                                 PHKEY result);

#ifdef __cplusplus
}  // extern "C"
#endif

#ifndef WIN32_CE_IMPLEMENTATION
#define RegCreateKeyExW Win32CeRegCreateKeyExW
#define RegOpenKeyExW Win32CeRegOpenKeyExW
#endif
