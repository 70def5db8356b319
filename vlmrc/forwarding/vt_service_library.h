// The binding to the 3G video-telephony service library, loaded by name on first use and kept for
// the life of the process, and the two request records handed to it.
#pragma once

#include <windows.h>

#include <vlmrc/vt_service.h>

// Either the handle and all four entry points are set, or all five are NULL.
typedef struct VTServiceLibrary {
  HMODULE hLibrary;
  PFN_ZARVO3GVT_SSCANCEL pfnSSCancel;
  PFN_ZARVO3GVT_GETCF pfnGetCF;
  PFN_ZARVO3GVT_SETCF pfnSetCF;
  PFN_ZARVO3GVT_GETVERSION pfnGetVersion;
} VTServiceLibrary;

extern VTServiceLibrary g_VTServiceLibrary;

// The records of the query and of the set requests. Each is reused for every request of its kind and
// lives as long as the module, so the library may keep the pointer until it has answered.
extern CFRequest g_CFQueryRequest;
extern CFRequest g_CFSetRequest;

// TRUE when the library is bound; a failed bind leaves nothing loaded, so the next call tries again.
BOOL LoadVTLib(void);
void FreeVTLib(void);

// Each binds the library first and returns the entry point's result, or 0 when it cannot be bound.
LONG VTSSCancel(void);
LONG VTGetCF(CFRequest* request);
LONG VTSetCF(CFRequest* request);
LONG VTGetVersion(void);
