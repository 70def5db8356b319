// The handset's clock: the real clock until a test sets it, freezes it or moves it.
//
// It counts handset time elapsed since the handset started (GetTickCount) and keeps the UTC time
// that belongs to elapsed time zero. Running adds real time to the elapsed count; moving forward
// adds the duration, as if that much time had passed. Setting the time or moving it back only
// shifts the UTC time, as a real device's tick count never jumps when its clock is set.
//
// Everything of the handset that waits for time to pass (Sleep, waits with a timeout, timers) waits
// for elapsed handset time, not for real time: while the clock runs the two go at the same pace;
// while it is frozen only a move of the clock (or running it again) lets time pass, and whoever
// waits is woken by every change of the clock to look at the time again (ClockWatch).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace handset::clock {

// A moment in handset time: the elapsed time since the handset started.
using HandsetTime = std::chrono::nanoseconds;

// When a wait for a moment in handset time ends.
struct Due {
  bool now = false;  // the moment has come
  // Otherwise: when it comes on the steady clock while the clock runs; none while it is frozen.
  std::optional<std::chrono::steady_clock::time_point> at;
};

class ClockWatch;

class HandsetClock {
 public:
  HandsetClock();

  // Now as a file time (100 ns since 1601, UTC), kept within the range the platform converts.
  std::uint64_t NowTicks() const;
  std::chrono::milliseconds Elapsed() const;
  HandsetTime Uptime() const;
  Due WhenDue(HandsetTime moment) const;
  // The steady clock as the handset clock runs: equal to it while the clock has run all along;
  // it stands still while the clock is frozen and jumps when the clock is moved forward. The
  // devices stamp what they record with it.
  std::chrono::steady_clock::time_point SteadyNow() const;

  void Set(std::uint64_t utcTicks, bool running);
  void Freeze();
  void Run();
  void Advance(std::chrono::nanoseconds by);
  void UseRealClock();

  // Minutes that local time lies behind UTC: local = UTC - bias.
  void SetBias(int minutes);
  int Bias() const;
  // Changes the bias and moves UTC with it, so that local time goes on unchanged.
  void SetBiasKeepingLocalTime(int minutes);

 private:
  friend class ClockWatch;
  friend class ClockChanges;
  using Steady = std::chrono::steady_clock;
  using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

  // The watches of one clock. Shared with every watch, so that a watch that outlives the clock (a
  // thread still waiting while the handset shuts down) unregisters from something alive.
  struct Watches {
    std::mutex mutex;  // held while the watches run, so that none ends during its run
    std::vector<const std::function<void()>*> changed;
    std::atomic<std::uint64_t> count{0};  // the changes so far, moved before the watches run
  };

  Ticks ElapsedLocked() const;
  void SetRunningLocked(bool running);
  // Runs every watch; called after each change, with the clock's own mutex released.
  void Changed();

  const Steady::time_point started_;
  mutable std::mutex mutex_;
  bool running_ = true;
  Ticks elapsedAtMark_{};           // elapsed handset time when the clock last ran or stopped
  Steady::time_point mark_;         // when it last started running
  Ticks utcAtStart_{};              // UTC at elapsed time zero
  int biasMinutes_ = 0;
  std::shared_ptr<Watches> watches_ = std::make_shared<Watches>();
};

// The current handset's clock.
HandsetClock& Clock();

// While it lives, `changed` runs after every change of the current handset's clock (set, frozen,
// run, moved), on the thread that changed it. A wait that sleeps on a condition of its own keeps a
// watch that wakes it, so that it looks at the time again: register the watch before taking the
// lock the wait sleeps under, and let `changed` take that lock before it wakes the waiter, so that
// no change goes unseen. The destructor waits for a run of `changed` in progress.
class ClockWatch {
 public:
  explicit ClockWatch(std::function<void()> changed);
  ~ClockWatch();
  ClockWatch(const ClockWatch&) = delete;
  ClockWatch& operator=(const ClockWatch&) = delete;

 private:
  std::function<void()> changed_;
  std::shared_ptr<HandsetClock::Watches> watches_;
};

// How many changes the current handset's clock has had, read at any time. A waiter that reads it
// before it looks at the time and again under its own lock sees a change that came before its
// ClockWatch was registered. Like a watch, it may outlive the clock.
class ClockChanges {
 public:
  ClockChanges();
  std::uint64_t Count() const { return watches_->count.load(); }

 private:
  std::shared_ptr<HandsetClock::Watches> watches_;
};

}  // namespace handset::clock
