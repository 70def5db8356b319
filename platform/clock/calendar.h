// Conversions between the platform's two forms of a time: SYSTEMTIME (calendar fields) and the
// file time, a count of 100-nanosecond intervals since 1601-01-01 00:00.
#pragma once

#include <cstdint>
#include <optional>

#include <windef.h>

namespace handset::clock {

inline constexpr std::uint64_t kTicksPerMillisecond = 10'000;
inline constexpr std::uint64_t kTicksPerMinute = 60 * 1000 * kTicksPerMillisecond;
// The largest file time the platform converts: the high bit must be clear.
inline constexpr std::uint64_t kMaxFileTime = 0x7FFFFFFFFFFFFFFFull;

std::uint64_t Ticks(const FILETIME& time);
FILETIME FileTime(std::uint64_t ticks);

// Empty when a field is out of range: the year outside 1601..30827, the month outside 1..12, a day
// the month does not have, the hour, minute, second or millisecond too large. wDayOfWeek is ignored.
std::optional<std::uint64_t> TicksFromSystemTime(const SYSTEMTIME& time);

// Empty when the high bit is set. Fills every field, wDayOfWeek with 0 for Sunday.
std::optional<SYSTEMTIME> SystemTimeFromTicks(std::uint64_t ticks);

}  // namespace handset::clock
