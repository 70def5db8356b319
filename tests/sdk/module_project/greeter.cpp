#include <windows.h>

namespace {
HINSTANCE g_instance = nullptr;
}

// Copies the greeting of the current UI language into the buffer; its length in characters.
extern "C" int Greeting(WCHAR* buffer, int size) { return LoadStringW(g_instance, 1, buffer, size); }

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
  return TRUE;
}
