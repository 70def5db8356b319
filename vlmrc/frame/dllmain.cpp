// The library's entry point. Attaching stores the instance handle; nothing else starts at load
// (registry keys are opened per call, the LED thread and the service library start on first use),
// and nothing is stopped at detach.
#include "frame/module.h"

HINSTANCE g_hInstance = NULL;
HINSTANCE g_hVersionInstance = NULL;

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved) {
  if (fdwReason == DLL_PROCESS_ATTACH) {
    g_hInstance = hinstDLL;
    g_hVersionInstance = hinstDLL;
  }
  return TRUE;
}
