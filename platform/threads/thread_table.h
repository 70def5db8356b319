// The threads subsystem's state: every thread started by CreateThread until it has ended and been
// joined. One mutex and one condition variable serve every blocking call of the handset's threads,
// so a sleeping or waiting thread wakes both when what it waits for happens and when it is asked to
// end.
//
// A thread's end is requested by setting its termination code; it takes effect at the thread's next
// blocking call (Sleep, WaitForSingleObject, TerminateThread, DeviceIoControl), or at once when the
// thread is already blocked in one. A thread that computes without blocking is not interrupted:
// TerminateThread waits until it reaches a blocking call or returns.
//
// Timeouts are deadlines in handset time (clock/handset_clock.h): while the handset clock is frozen
// a sleeping thread sleeps until a test moves the clock past its deadline (or runs the clock again),
// however long that takes; the table watches the clock for that.
//
// At the handset's shutdown the destructor ends every running thread that way and joins them all.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "clock/handset_clock.h"
#include "threads/handset_thread.h"

#include <windows.h>

namespace handset::threads {

using Deadline = std::optional<clock::HandsetTime>;  // none: wait for ever

// A deadline this many milliseconds of handset time from now; INFINITE means none.
Deadline DeadlineAfter(DWORD milliseconds);

class ThreadTable {
 public:
  ThreadTable() = default;
  ~ThreadTable();
  ThreadTable(const ThreadTable&) = delete;
  ThreadTable& operator=(const ThreadTable&) = delete;

  // Starts a thread running start(parameter). Null when thread creation is set to fail; throws
  // std::system_error when the system refuses a thread.
  std::shared_ptr<HandsetThread> Start(LPTHREAD_START_ROUTINE start, LPVOID parameter);

  DWORD ExitCode(const HandsetThread& thread);

  // Ends the target at its next blocking call with the given exit code (the first request's code
  // wins) and returns once it has ended and been joined. Ending the calling thread itself does not
  // return. An already ended target keeps its exit code.
  void Terminate(HandsetThread& target, DWORD exitCode);

  // True when the target has ended before the deadline.
  bool WaitForEnd(HandsetThread& target, Deadline deadline);

  // Blocks the calling thread until the deadline; `self` is null on a thread the handset did not
  // start, which no TerminateThread can reach.
  void SleepUntil(HandsetThread* self, Deadline deadline);

  // True once the target is blocked in Sleep or a wait of this table (WaitForSingleObject) with
  // nothing yet to wake it: a test that drives the clock knows then that the thread waits for the
  // clock. A move of the clock that ends the target's wait counts it as running again before the
  // move returns. False when the target ends, or `patience` (real time) passes first.
  bool WaitUntilBlocked(HandsetThread& target, std::chrono::milliseconds patience);

  // Throws ThreadExit when the given (calling) thread has been asked to end.
  void EndIfRequested(HandsetThread& self);

  // Replaces the thread's wake-on-end-request function and returns the one it had.
  std::function<void()> ExchangeEndRequestWake(HandsetThread& self, std::function<void()> wake);

  // Threads started and not yet joined.
  std::size_t LiveCount();

  void SetCreationFails(bool fails);

 private:
  void Run(const std::shared_ptr<HandsetThread>& self, LPTHREAD_START_ROUTINE start, LPVOID parameter);
  // Waits until ready() holds or the deadline passes; returns ready(). The calling handset thread
  // (self, null for other threads) leaves through ThreadExit when it is asked to end meanwhile.
  template <class Ready>
  bool WaitLocked(std::unique_lock<std::mutex>& lock, HandsetThread* self, Deadline deadline, Ready ready);
  // Throws ThreadExit when the thread has been asked to end; called with the mutex held.
  static void ThrowIfEnding(const HandsetThread& self);
  // Asks the thread to end with `code` unless it already was; called with the mutex held.
  void RequestEnd(HandsetThread& thread, DWORD code);
  // Joins the threads that have ended and forgets them.
  void JoinEnded();
  // After every change of the clock: the blocked threads whose deadline has come wake.
  void ClockChanged();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<DWORD, std::shared_ptr<HandsetThread>> threads_;
  bool creationFails_ = false;
  // Waits of threads the handset did not start (a host's Sleep), and whether the table is being torn
  // down, which ends them.
  int outsideWaiters_ = 0;
  bool closing_ = false;
  // Last, so that it ends first: no change of the clock reaches a table being torn down.
  clock::ClockWatch clockWatch_{[this] { ClockChanged(); }};
};

}  // namespace handset::threads
