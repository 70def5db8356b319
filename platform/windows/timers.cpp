#include "windows/timers.h"

#include <algorithm>

namespace handset::windows {
namespace {

// Win32 limits: shorter periods are raised to 10 ms, longer ones cut to about 24.8 days.
constexpr UINT kMinimumElapse = USER_TIMER_MINIMUM;
constexpr UINT kMaximumElapse = USER_TIMER_MAXIMUM;

}  // namespace

UINT_PTR TimerList::Set(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure, TimerClock::TimePoint now) {
  elapse = std::clamp(elapse, kMinimumElapse, kMaximumElapse);
  if (!window) {
    // The identifier asked for is ignored: a thread timer always gets one of its own.
    do {
      id = nextThreadTimerId_++;
      if (!nextThreadTimerId_) nextThreadTimerId_ = 1;
    } while (std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return !t.window && t.id == id; }));
  }
  Timer timer{window, id, elapse, procedure, TimerClock::NextDue(now, elapse)};
  auto existing = std::find_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.window == window && t.id == id; });
  if (existing != timers_.end())
    *existing = timer;
  else
    timers_.push_back(timer);
  return id;
}

bool TimerList::Kill(HWND window, UINT_PTR id) {
  auto it =
      std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

void TimerList::KillWindowTimers(HWND window) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

bool TimerList::Exists(HWND window, UINT_PTR id, TIMERPROC procedure) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [&](const Timer& t) { return t.window == window && t.id == id && t.procedure == procedure; });
}

bool TimerList::AnyCanFire() const {
  return std::any_of(timers_.begin(), timers_.end(), [](const Timer& timer) { return timer.CanFire(); });
}

std::optional<TimerClock::TimePoint> TimerList::NextDeadline(TimerClock::TimePoint now) const {
  std::optional<TimerClock::TimePoint> earliest;
  for (const auto& timer : timers_)
    if (timer.CanFire() && timer.due > now && (!earliest || timer.due < *earliest)) earliest = timer.due;
  return earliest;
}

}  // namespace handset::windows
