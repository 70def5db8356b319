#include "clock/calendar.h"

#include <chrono>

namespace handset::clock {
namespace {

using namespace std::chrono;

constexpr std::uint64_t kTicksPerDay = 24 * 60 * kTicksPerMinute;
constexpr sys_days kEpoch = sys_days(year(1601) / January / 1);

}  // namespace

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTime(std::uint64_t ticks) {
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::optional<std::uint64_t> TicksFromSystemTime(const SYSTEMTIME& time) {
  // The ranges are checked before the calendar types hold the fields, which only keep small values.
  if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12 || time.wDay > 31 ||
      time.wHour > 23 || time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999)
    return std::nullopt;
  year_month_day date{year(time.wYear), month(time.wMonth), day(time.wDay)};
  if (!date.ok()) return std::nullopt;
  auto days = static_cast<std::uint64_t>((sys_days(date) - kEpoch).count());
  std::uint64_t milliseconds = ((time.wHour * 60ull + time.wMinute) * 60 + time.wSecond) * 1000 + time.wMilliseconds;
  return days * kTicksPerDay + milliseconds * kTicksPerMillisecond;
}

std::optional<SYSTEMTIME> SystemTimeFromTicks(std::uint64_t ticks) {
  if (ticks > kMaxFileTime) return std::nullopt;
  sys_days date = kEpoch + days(static_cast<int>(ticks / kTicksPerDay));
  year_month_day ymd(date);
  std::uint64_t milliseconds = ticks % kTicksPerDay / kTicksPerMillisecond;
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(static_cast<int>(ymd.year()));
  time.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
  time.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
  time.wDayOfWeek = static_cast<WORD>(weekday(date).c_encoding());
  time.wHour = static_cast<WORD>(milliseconds / 3'600'000);
  time.wMinute = static_cast<WORD>(milliseconds / 60'000 % 60);
  time.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
  time.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  return time;
}

}  // namespace handset::clock
