#include <stdexcept>

#include "clock/calendar.h"
#include "clock/handset_clock.h"
#include "handset/clock.h"

namespace handset::clock {

void Set(const SYSTEMTIME& utc, bool running) {
  auto ticks = TicksFromSystemTime(utc);
  if (!ticks) throw std::invalid_argument("handset clock: not a valid SYSTEMTIME");
  Clock().Set(*ticks, running);
}

void Set(const FILETIME& utc, bool running) {
  std::uint64_t ticks = Ticks(utc);
  if (ticks > kMaxFileTime) throw std::invalid_argument("handset clock: file time out of range");
  Clock().Set(ticks, running);
}

void Freeze() { Clock().Freeze(); }
void Run() { Clock().Run(); }
void Advance(std::chrono::nanoseconds by) { Clock().Advance(by); }
void UseRealClock() { Clock().UseRealClock(); }
void SetTimeZoneBias(int minutes) { Clock().SetBias(minutes); }
int TimeZoneBias() { return Clock().Bias(); }

}  // namespace handset::clock
