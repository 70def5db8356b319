// GetTimeZoneInformation and SetTimeZoneInformation on the handset clock, as Windows CE documents
// them where it differs from desktop Win32: setting a time zone leaves local time as it was and
// moves UTC instead (the device's clock keeps local time), and a failed GetTimeZoneInformation
// answers TIME_ZONE_ID_UNKNOWN rather than TIME_ZONE_ID_INVALID.
//
// The clock holds the bias in effect (UTC = local + bias); the record here holds the rest: the
// names, the transition dates and the standard and daylight biases. The handset runs no
// daylight-saving service (on the device the shell switches the period), so standard time is in
// effect: the clock's bias is Bias + StandardBias, and the time zone reports TIME_ZONE_ID_STANDARD,
// or TIME_ZONE_ID_UNKNOWN when it has no transition dates.
#include <cstdint>
#include <limits>
#include <mutex>

#include <windows.h>

#include "clock/calendar.h"
#include "clock/handset_clock.h"
#include "core/handset.h"

namespace {

using handset::clock::Clock;

struct TimeZoneRecord {
  std::mutex mutex;
  TIME_ZONE_INFORMATION info{};  // Bias unused: the clock holds the bias in effect
};

TimeZoneRecord& Record() { return handset::core::State<TimeZoneRecord>(); }

// A transition date is absent (wMonth 0), absolute (a valid date and time), or "the wDay-th
// wDayOfWeek of wMonth" with wYear 0, wDay 5 meaning the last.
bool IsValidTransition(const SYSTEMTIME& date) {
  if (date.wMonth == 0) return true;
  if (date.wYear != 0) return handset::clock::TicksFromSystemTime(date).has_value();
  return date.wMonth <= 12 && date.wDay >= 1 && date.wDay <= 5 && date.wDayOfWeek <= 6 && date.wHour <= 23 &&
         date.wMinute <= 59 && date.wSecond <= 59 && date.wMilliseconds <= 999;
}

}  // namespace

extern "C" {

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION timeZone) {
  if (!timeZone) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_UNKNOWN;
  }
  TimeZoneRecord& record = Record();
  std::lock_guard lock(record.mutex);
  *timeZone = record.info;
  timeZone->Bias = static_cast<LONG>(static_cast<std::int64_t>(Clock().Bias()) - record.info.StandardBias);
  return record.info.StandardDate.wMonth == 0 ? TIME_ZONE_ID_UNKNOWN : TIME_ZONE_ID_STANDARD;
}

// Refuses dates of neither form, one transition date without the other, and biases whose sum
// does not fit a LONG.
BOOL SetTimeZoneInformation(const TIME_ZONE_INFORMATION* timeZone) {
  std::int64_t inEffect = timeZone ? static_cast<std::int64_t>(timeZone->Bias) + timeZone->StandardBias : 0;
  if (!timeZone || !IsValidTransition(timeZone->StandardDate) || !IsValidTransition(timeZone->DaylightDate) ||
      (timeZone->StandardDate.wMonth == 0) != (timeZone->DaylightDate.wMonth == 0) ||
      inEffect < std::numeric_limits<LONG>::min() || inEffect > std::numeric_limits<LONG>::max()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TimeZoneRecord& record = Record();
  std::lock_guard lock(record.mutex);
  record.info = *timeZone;
  Clock().SetBiasKeepingLocalTime(static_cast<int>(inEffect));
  return TRUE;
}

}  // extern "C"
