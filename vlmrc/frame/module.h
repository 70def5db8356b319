// The library's own instance handle, stored when the library is attached to the process and never
// changed afterwards. Every string, dialog template, menu, bitmap and icon lookup passes it, and
// windows the library creates belong to it.
#pragma once

#include <windows.h>

// The handle passed to resource and window calls.
extern HINSTANCE g_hInstance;
// The same handle, handed to the version routine of the options screen.
extern HINSTANCE g_hVersionInstance;

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved);
