// A test module: a few exports, one function that stays private, C++ runtime code inside (whose
// symbols must stay local), and an entry point that notes its calls.
#include <windows.h>

#include <string>
#include <vector>

#include "entry_log.h"

namespace {
HINSTANCE g_attached = nullptr;
}

extern "C" int Twice(int value) { return 2 * value; }

extern "C" int NameOnly(void) { return 7; }

extern "C" HINSTANCE AttachedInstance(void) { return g_attached; }

extern "C" int CountLetters(const char* text) {
  std::vector<std::string> words{std::string(text)};
  return static_cast<int>(words.front().size());
}

extern "C" int NotExported(int value) { return value + 1; }

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) g_attached = instance;
  NoteEntryCall("resmod", instance, reason, reserved);
  return TRUE;
}
