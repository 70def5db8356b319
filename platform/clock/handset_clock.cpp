#include "clock/handset_clock.h"

#include <algorithm>

#include "clock/calendar.h"
#include "core/handset.h"

namespace handset::clock {
namespace {

using std::chrono::duration_cast;

// The Unix epoch as a file time.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000;

}  // namespace

HandsetClock::HandsetClock() : started_(Steady::now()), mark_(started_) { UseRealClock(); }

HandsetClock::Ticks HandsetClock::ElapsedLocked() const {
  return running_ ? elapsedAtMark_ + duration_cast<Ticks>(Steady::now() - mark_) : elapsedAtMark_;
}

void HandsetClock::SetRunningLocked(bool running) {
  elapsedAtMark_ = ElapsedLocked();
  mark_ = Steady::now();
  running_ = running;
}

std::uint64_t HandsetClock::NowTicks() const {
  std::lock_guard lock(mutex_);
  std::int64_t now = (utcAtStart_ + ElapsedLocked()).count();
  return static_cast<std::uint64_t>(std::clamp<std::int64_t>(now, 0, static_cast<std::int64_t>(kMaxFileTime)));
}

std::chrono::milliseconds HandsetClock::Elapsed() const {
  std::lock_guard lock(mutex_);
  return duration_cast<std::chrono::milliseconds>(ElapsedLocked());
}

HandsetTime HandsetClock::Uptime() const {
  std::lock_guard lock(mutex_);
  return ElapsedLocked();
}

Due HandsetClock::WhenDue(HandsetTime moment) const {
  std::lock_guard lock(mutex_);
  HandsetTime left = moment - HandsetTime(ElapsedLocked());
  if (left <= HandsetTime::zero()) return {true, std::nullopt};
  if (!running_) return {false, std::nullopt};
  return {false, Steady::now() + left};
}

std::chrono::steady_clock::time_point HandsetClock::SteadyNow() const {
  std::lock_guard lock(mutex_);
  return started_ + ElapsedLocked();
}

void HandsetClock::Set(std::uint64_t utcTicks, bool running) {
  {
    std::lock_guard lock(mutex_);
    SetRunningLocked(running);
    utcAtStart_ = Ticks(static_cast<std::int64_t>(utcTicks)) - elapsedAtMark_;
  }
  Changed();
}

void HandsetClock::Freeze() {
  {
    std::lock_guard lock(mutex_);
    SetRunningLocked(false);
  }
  Changed();
}

void HandsetClock::Run() {
  {
    std::lock_guard lock(mutex_);
    SetRunningLocked(true);
  }
  Changed();
}

void HandsetClock::Advance(std::chrono::nanoseconds by) {
  {
    std::lock_guard lock(mutex_);
    auto ticks = duration_cast<Ticks>(by);
    if (ticks.count() >= 0)
      elapsedAtMark_ += ticks;
    else
      utcAtStart_ += ticks;
  }
  Changed();
}

void HandsetClock::UseRealClock() {
  {
    std::lock_guard lock(mutex_);
    SetRunningLocked(true);
    auto sinceUnixEpoch = duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch());
    utcAtStart_ = Ticks(kUnixEpochTicks) + sinceUnixEpoch - elapsedAtMark_;
  }
  Changed();
}

void HandsetClock::SetBias(int minutes) {
  std::lock_guard lock(mutex_);
  biasMinutes_ = minutes;
}

int HandsetClock::Bias() const {
  std::lock_guard lock(mutex_);
  return biasMinutes_;
}

void HandsetClock::SetBiasKeepingLocalTime(int minutes) {
  {
    std::lock_guard lock(mutex_);
    utcAtStart_ += std::chrono::duration_cast<Ticks>(std::chrono::minutes(minutes - biasMinutes_));
    biasMinutes_ = minutes;
  }
  Changed();
}

void HandsetClock::Changed() {
  ++watches_->count;
  std::lock_guard lock(watches_->mutex);
  for (const auto* changed : watches_->changed) (*changed)();
}

HandsetClock& Clock() { return core::State<HandsetClock>(); }

ClockWatch::ClockWatch(std::function<void()> changed)
    : changed_(std::move(changed)), watches_(Clock().watches_) {
  std::lock_guard lock(watches_->mutex);
  watches_->changed.push_back(&changed_);
}

ClockChanges::ClockChanges() : watches_(Clock().watches_) {}

ClockWatch::~ClockWatch() {
  std::lock_guard lock(watches_->mutex);
  std::erase(watches_->changed, &changed_);
}

}  // namespace handset::clock
