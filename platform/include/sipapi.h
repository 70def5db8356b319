// The soft input panel: whether it is shown, where it lies and what part of the screen it leaves
// visible.
#pragma once

#include "windef.h"

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

extern "C" {

// Fills the record whose cbSize is sizeof(SIPINFO); FALSE with ERROR_INVALID_PARAMETER otherwise. The
// input method's own data (dwImDataSize, pvImData) is left as the caller set it: the handset's input
// panel has none.
BOOL SipGetInfo(SIPINFO* info);
// SIPF_ON shows the panel, SIPF_OFF hides it.
BOOL SipShowIM(DWORD flags);

}  // extern "C"
