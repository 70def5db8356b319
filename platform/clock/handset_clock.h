// The handset's clock: the real clock until a test sets it, freezes it or moves it.
//
// It counts handset time elapsed since the handset started (GetTickCount) and keeps the UTC time
// that belongs to elapsed time zero. Running adds real time to the elapsed count; moving forward
// adds the duration, as if that much time had passed. Setting the time or moving it back only
// shifts the UTC time, as a real device's tick count never jumps when its clock is set.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace handset::clock {

class HandsetClock {
 public:
  HandsetClock();

  // Now as a file time (100 ns since 1601, UTC), kept within the range the platform converts.
  std::uint64_t NowTicks() const;
  std::chrono::milliseconds Elapsed() const;

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
  using Steady = std::chrono::steady_clock;
  using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

  Ticks ElapsedLocked() const;
  void SetRunningLocked(bool running);

  mutable std::mutex mutex_;
  bool running_ = true;
  Ticks elapsedAtMark_{};           // elapsed handset time when the clock last ran or stopped
  Steady::time_point mark_;         // when it last started running
  Ticks utcAtStart_{};              // UTC at elapsed time zero
  int biasMinutes_ = 0;
};

// The current handset's clock.
HandsetClock& Clock();

}  // namespace handset::clock
