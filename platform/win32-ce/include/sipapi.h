// CE's soft input panel (sipapi.h of the CE SDK). A desktop machine has none: the layer reports a
// panel that is off and a visible desktop that is the work area.
#pragma once

#include <windows.h>

#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001
#define SIPF_DOCKED 0x00000002
#define SIPF_LOCKED 0x00000004

typedef struct tagSIPINFO {
  DWORD cbSize;  // sizeof(SIPINFO)
  DWORD fdwFlags;
  RECT rcVisibleDesktop;
  RECT rcSipRect;
  DWORD dwImDataSize;
  void* pvImData;
} SIPINFO, *PSIPINFO;

#ifdef __cplusplus
extern "C" {
#endif

// CE: the panel's state and the part of the screen it leaves visible. FALSE with
// ERROR_INVALID_PARAMETER when cbSize is not sizeof(SIPINFO).
BOOL WINAPI SipGetInfo(SIPINFO* info);

#ifdef __cplusplus
}  // extern "C"
#endif
