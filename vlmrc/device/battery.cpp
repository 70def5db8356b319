// The battery reading that the host shows.
#include <windows.h>

#include <vlmrc/vlmrc.h>

extern "C" {

// Stores the battery's percentage and flags, widened to 32 bits. When the platform cannot read the
// battery both become 0, so the caller never sees the undefined contents of a failed reading. Null
// pointers get nothing stored and the result is FALSE.
BOOL WINAPI GetBattery(DWORD* percent, DWORD* flags) {
  if (percent == NULL || flags == NULL) return FALSE;
  SYSTEM_POWER_STATUS_EX status;
  BOOL read = GetSystemPowerStatusEx(&status, TRUE);
  *percent = read ? status.BatteryLifePercent : 0;
  *flags = read ? status.BatteryFlag : 0;
  return read;
}

}  // extern "C"
