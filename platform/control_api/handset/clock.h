// Control API of the handset clock. It runs as the real clock until a test sets it; setting it
// to a time makes it run on from there or stay frozen there. Moving it forward lets that much
// handset time pass (GetTickCount moves too); setting it or moving it back changes only the
// time of day, as on a device whose clock is adjusted.
#pragma once

#include <chrono>

#include <windef.h>

namespace handset::clock {

// Throws std::invalid_argument for a time that SystemTimeToFileTime refuses.
void Set(const SYSTEMTIME& utc, bool running = true);
// Throws std::invalid_argument for a file time with the high bit set.
void Set(const FILETIME& utc, bool running = true);
void Freeze();
void Run();
// A negative duration moves the clock back.
void Advance(std::chrono::nanoseconds by);
// Back to the real time, running; the tick count goes on from where it is.
void UseRealClock();

// Minutes that local time lies behind UTC (local = UTC - bias, as in Win32's time-zone records);
// 0 on a fresh handset.
void SetTimeZoneBias(int minutes);
int TimeZoneBias();

}  // namespace handset::clock
