// The timers of one thread (SetTimer): when each falls due and what WM_TIMER it makes. WM_TIMER is
// never queued; the thread's queue asks this list for a due timer when it has nothing else, so a
// killed timer never fires again and a slow thread sees one WM_TIMER per timer, not a backlog.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include <windows.h>

#include "clock/handset_clock.h"

namespace handset::windows {

// Timers run on handset time, the tick count: with the handset clock frozen a timer falls due
// when the clock is moved past its due time. Every due time is computed here, from this clock.
struct TimerClock {
  using TimePoint = clock::HandsetTime;
  static TimePoint Now() { return clock::Clock().Uptime(); }
  static TimePoint NextDue(TimePoint from, UINT elapse) { return from + std::chrono::milliseconds(elapse); }
};

struct Timer {
  HWND window = nullptr;  // null for a thread timer
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC procedure = nullptr;
  TimerClock::TimePoint due;

  // A thread timer without a procedure has nowhere to deliver WM_TIMER, so it never fires (CE).
  bool CanFire() const { return window || procedure; }
};

// Not locked: its message queue guards it.
class TimerList {
 public:
  // Sets (or resets) the timer of a window with `id`, or makes a thread timer with a fresh id when
  // `window` is null. Returns the timer's id.
  UINT_PTR Set(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure, TimerClock::TimePoint now);
  bool Kill(HWND window, UINT_PTR id);
  void KillWindowTimers(HWND window);
  bool Exists(HWND window, UINT_PTR id, TIMERPROC procedure) const;

  // The timer that has waited longest among those due at `now` that `accepts` takes; with `remove`
  // it starts its next period.
  template <class Accepts>
  std::optional<Timer> TakeDue(TimerClock::TimePoint now, bool remove, Accepts accepts) {
    Timer* chosen = nullptr;
    for (auto& timer : timers_)
      if (timer.CanFire() && timer.due <= now && (!chosen || timer.due < chosen->due) && accepts(timer.window))
        chosen = &timer;
    if (!chosen) return std::nullopt;
    Timer due = *chosen;
    if (remove) chosen->due = TimerClock::NextDue(now, chosen->elapse);
    return due;
  }

  bool AnyCanFire() const;
  // The earliest time after `now` at which a timer falls due: the longest a waiting thread sleeps.
  std::optional<TimerClock::TimePoint> NextDeadline(TimerClock::TimePoint now) const;

 private:
  std::vector<Timer> timers_;
  UINT_PTR nextThreadTimerId_ = 1;
};

}  // namespace handset::windows
