// Control API of the handset clock. It runs as the real clock until a test sets it; setting it
// to a time makes it run on from there or stay frozen there. Moving it forward lets that much
// handset time pass (GetTickCount moves too); setting it or moving it back changes only the
// time of day, as on a device whose clock is adjusted.
//
// Whatever waits for time to pass waits for the tick count: Sleep, WaitForSingleObject's timeout,
// timers (SetTimer) and the time stamps of the LED driver's log follow this clock. While it runs
// that is real time. While it is frozen it is virtual time: a Sleep(500) returns once the clock has
// been moved 500 ms forward in all, a timer fires at the first look into its queue after the clock
// has been moved past its due time (once, however far: no backlog), and the LED stamps stand still
// between moves. Nothing ends such a wait by itself: a thread sleeping on the frozen clock sleeps
// until the clock is moved or runs again (or the thread is terminated), on whatever thread it
// sleeps, so a test that freezes the clock moves it for every wait it starts
// (handset::threads::WaitUntilBlocked tells when a thread has reached its wait). Setting the time
// or moving it back does not end a wait, as the tick count does not move. The waits of the
// scripted user (`within`, `wait`) are the patience of whoever drives the handset: real time.
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
