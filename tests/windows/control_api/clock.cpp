// The handset's clock control for the tests run on desktop Windows. The machine's clock is not the
// tests' to set, so the clock the library sees is: vlmrc.dll's import of GetSystemTime is pointed at
// a test clock (RouteLibraryClock, whenever a test loads the library). Only what the tests use is
// here: Set and UseRealClock.
// The control header names SYSTEMTIME, which desktop Windows declares in <windows.h>.
#include <windows.h>

#include "handset/clock.h"

#include <stdexcept>

#include "control_api/import_table.h"

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

}  // namespace

void Set(const SYSTEMTIME& utc, bool running) {
  FILETIME file;
  if (!SystemTimeToFileTime(&utc, &file)) throw std::invalid_argument("not a calendar time");
  g_setAt = Units(file);
  g_setAtTick = GetTickCount64();
  g_running = running;
  g_useTestClock = true;
}

void UseRealClock() { g_useTestClock = false; }

}  // namespace handset::clock

void testing_windows::RouteLibraryClock(HMODULE library) {
  if (!RouteImport(library, "GetSystemTime", reinterpret_cast<const void*>(&handset::clock::TestGetSystemTime)))
    throw std::logic_error("vlmrc.dll imports no GetSystemTime");
}
