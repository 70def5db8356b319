// The handset's clock control for the tests run on desktop Windows. The machine's clock is not the
// tests' to set, so the clock the library sees is: vlmrc.dll's import of GetSystemTime is pointed at
// a test clock (patched in the loaded module's import address table, as each test loads the library
// afresh). Only what the tests use is here: Set and UseRealClock.
// The control header names SYSTEMTIME, which desktop Windows declares in <windows.h>.
#include <windows.h>

#include "handset/clock.h"

#include <cstring>
#include <stdexcept>

namespace handset::clock {

namespace {

bool g_useTestClock = false;
bool g_running = false;
ULONGLONG g_setAt = 0;        // FILETIME units of the time set
ULONGLONG g_setAtTick = 0;    // GetTickCount64 when it was set

ULONGLONG Units(const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

void WINAPI TestGetSystemTime(LPSYSTEMTIME time) {
  if (!g_useTestClock) {
    GetSystemTime(time);
    return;
  }
  ULONGLONG now = g_setAt + (g_running ? (GetTickCount64() - g_setAtTick) * 10000 : 0);
  FILETIME file{static_cast<DWORD>(now), static_cast<DWORD>(now >> 32)};
  FileTimeToSystemTime(&file, time);
}

// Points the loaded library's import of kernel32's GetSystemTime at the test clock.
void RouteLibraryClock() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(L"vlmrc.dll"));
  if (base == nullptr) throw std::logic_error("the test clock is set after vlmrc.dll is loaded");
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name != 0;
       ++entry) {
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "GetSystemTime") != 0) continue;
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&TestGetSystemTime);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
      return;
    }
  }
  throw std::logic_error("vlmrc.dll imports no GetSystemTime");
}

}  // namespace

void Set(const SYSTEMTIME& utc, bool running) {
  FILETIME file;
  if (!SystemTimeToFileTime(&utc, &file)) throw std::invalid_argument("not a calendar time");
  RouteLibraryClock();
  g_setAt = Units(file);
  g_setAtTick = GetTickCount64();
  g_running = running;
  g_useTestClock = true;
}

void UseRealClock() { g_useTestClock = false; }

}  // namespace handset::clock
