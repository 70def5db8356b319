// A test module whose entry point refuses the load.
#include <windows.h>

#include "entry_log.h"

extern "C" int Unreachable(void) { return 1; }

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  NoteEntryCall("refuser", instance, reason, reserved);
  return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
}
