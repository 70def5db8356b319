// Test modules note each call of their entry point in the environment variable
// HANDSET_TEST_ENTRY_LOG, as "<module> <reason> <instance> <null|set>;" (the last word tells
// whether the reserved argument was null), so a test sees the calls made while a module loads and
// unloads, even of a module that refuses to load.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline void NoteEntryCall(const char* module, HINSTANCE instance, DWORD reason, LPVOID reserved) {
  const char* before = std::getenv("HANDSET_TEST_ENTRY_LOG");
  char entry[96];
  std::snprintf(entry, sizeof entry, "%s %u %u %s;", module, static_cast<unsigned>(reason),
                static_cast<unsigned>(HandleToUlong(instance)), reserved ? "set" : "null");
  setenv("HANDSET_TEST_ENTRY_LOG", (std::string(before ? before : "") + entry).c_str(), 1);
}
