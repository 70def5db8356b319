// The Win32 time functions, on the handset clock.
#include <algorithm>
#include <cstdint>

#include <windows.h>

#include "clock/calendar.h"
#include "clock/handset_clock.h"

namespace {

using namespace handset::clock;

BOOL Fail() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// The handset clock only holds convertible times, so the conversion cannot fail.
void StoreSystemTime(std::uint64_t ticks, LPSYSTEMTIME time) {
  if (time) *time = *SystemTimeFromTicks(ticks);
}

std::int64_t BiasTicks() { return static_cast<std::int64_t>(Clock().Bias()) * static_cast<std::int64_t>(kTicksPerMinute); }

}  // namespace

extern "C" {

void GetSystemTime(LPSYSTEMTIME time) { StoreSystemTime(Clock().NowTicks(), time); }

// Local time is UTC minus the bias, kept within the convertible range at its ends.
void GetLocalTime(LPSYSTEMTIME time) {
  auto local = static_cast<std::int64_t>(Clock().NowTicks()) - BiasTicks();
  StoreSystemTime(static_cast<std::uint64_t>(std::clamp<std::int64_t>(local, 0, kMaxFileTime)), time);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* time, LPFILETIME fileTime) {
  if (!time || !fileTime) return Fail();
  auto ticks = TicksFromSystemTime(*time);
  if (!ticks) return Fail();
  *fileTime = FileTime(*ticks);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME time) {
  if (!fileTime || !time) return Fail();
  auto converted = SystemTimeFromTicks(Ticks(*fileTime));
  if (!converted) return Fail();
  *time = *converted;
  return TRUE;
}

// Fails rather than wrap when the shift by the bias leaves the 64-bit range.
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime) {
  if (!fileTime || !localFileTime) return Fail();
  std::uint64_t ticks = Ticks(*fileTime);
  std::int64_t bias = BiasTicks();
  auto magnitude = static_cast<std::uint64_t>(bias < 0 ? -bias : bias);
  if (bias > 0 ? ticks < magnitude : ticks > UINT64_MAX - magnitude) return Fail();
  *localFileTime = FileTime(bias > 0 ? ticks - magnitude : ticks + magnitude);
  return TRUE;
}

DWORD GetTickCount(void) { return static_cast<DWORD>(Clock().Elapsed().count()); }

}  // extern "C"
