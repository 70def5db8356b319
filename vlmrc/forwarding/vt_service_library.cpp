#include "forwarding/vt_service_library.h"

VTServiceLibrary g_VTServiceLibrary = {NULL, NULL, NULL, NULL, NULL};
CFRequest g_CFQueryRequest;
CFRequest g_CFSetRequest;

// Resolves one entry point into *slot; TRUE when the library has it. The address goes through the
// generic function type that every function pointer converts to without complaint.
template <class EntryPoint>
static BOOL ResolveEntryPoint(LPCWSTR name, EntryPoint* slot) {
  *slot = (EntryPoint)(void (*)(void))GetProcAddressW(g_VTServiceLibrary.hLibrary, name);
  return *slot != NULL;
}

BOOL LoadVTLib(void) {
  if (g_VTServiceLibrary.hLibrary != NULL) return TRUE;

  g_VTServiceLibrary.hLibrary = LoadLibraryW(VT_SERVICE_LIBRARY_NAME);
  if (g_VTServiceLibrary.hLibrary != NULL &&
      ResolveEntryPoint(VT_SERVICE_SSCANCEL_NAME, &g_VTServiceLibrary.pfnSSCancel) &&
      ResolveEntryPoint(VT_SERVICE_GETCF_NAME, &g_VTServiceLibrary.pfnGetCF) &&
      ResolveEntryPoint(VT_SERVICE_SETCF_NAME, &g_VTServiceLibrary.pfnSetCF) &&
      ResolveEntryPoint(VT_SERVICE_GETVERSION_NAME, &g_VTServiceLibrary.pfnGetVersion))
    return TRUE;

  FreeVTLib();
  return FALSE;
}

void FreeVTLib(void) {
  if (g_VTServiceLibrary.hLibrary != NULL) FreeLibrary(g_VTServiceLibrary.hLibrary);
  g_VTServiceLibrary.hLibrary = NULL;
  g_VTServiceLibrary.pfnSSCancel = NULL;
  g_VTServiceLibrary.pfnGetCF = NULL;
  g_VTServiceLibrary.pfnSetCF = NULL;
  g_VTServiceLibrary.pfnGetVersion = NULL;
}

LONG VTSSCancel(void) {
  if (!LoadVTLib()) return 0;
  return g_VTServiceLibrary.pfnSSCancel();
}

LONG VTGetCF(CFRequest* request) {
  if (!LoadVTLib()) return 0;
  return g_VTServiceLibrary.pfnGetCF(request);
}

LONG VTSetCF(CFRequest* request) {
  if (!LoadVTLib()) return 0;
  return g_VTServiceLibrary.pfnSetCF(request);
}

LONG VTGetVersion(void) {
  if (!LoadVTLib()) return 0;
  return g_VTServiceLibrary.pfnGetVersion();
}
