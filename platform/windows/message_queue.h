// One thread's message queue: the messages posted to it and to its windows, the messages other
// threads send it, its quit request, the windows it must paint and its timers. Any thread may post
// or send; only the owner thread takes messages out. WM_PAINT and WM_TIMER are never stored: the
// owner makes them when it finds nothing else, as Win32 does.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include <windows.h>

#include "windows/sent_message.h"
#include "windows/timers.h"

namespace handset::windows {

// A message as the queue hands it out, stamped with the tick count of the moment.
MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the owner thread does with a posted message it comes across.
enum class PostedVerdict { Take, Skip, Drop };

class MessageQueue {
 public:
  MessageQueue(DWORD threadId, clock::ClockChanges clockChanges)
      : threadId_(threadId), clockChanges_(std::move(clockChanges)) {}
  DWORD ThreadId() const { return threadId_; }

  // --- waiting -------------------------------------------------------------------------------
  // Every change that may give the owner something to do moves the serial on, a change of the
  // handset clock included. A waiter reads it before looking into the queue and then sleeps until
  // it moves, so no wake-up is ever lost.
  std::uint64_t Serial() const;
  // Sleeps until the serial moves past `seen`, the queue is closed, `until` passes (real time: the
  // patience of whoever drives the handset), or a timer falls due (handset time). With timers set,
  // a change of the handset clock wakes it too, so that the caller looks at them again.
  void Wait(std::uint64_t seen, std::optional<std::chrono::steady_clock::time_point> until);
  void Wake();
  // The thread has ended or the handset is shutting down: waiters wake, messages waiting to be
  // sent are answered with 0, later posts and sends are refused.
  void Close();
  bool Closed() const;

  // --- any thread ----------------------------------------------------------------------------
  bool Post(const MSG& message);  // false when the queue is closed
  void PostQuit(int exitCode);
  bool Deliver(std::shared_ptr<SentMessage> message);  // false when the queue is closed
  void Invalidate(HWND window);                        // the window needs WM_PAINT
  void Validate(HWND window);
  // Drops what belongs to a window that is gone: its posted messages, paint request and timers.
  void ForgetWindow(HWND window);

  // --- the owner thread ----------------------------------------------------------------------
  std::shared_ptr<SentMessage> TakeSent();
  std::optional<MSG> TakePosted(bool remove, const std::function<PostedVerdict(const MSG&)>& verdict);
  std::optional<int> TakeQuit(bool remove);
  // The windows waiting for WM_PAINT, in the order they became invalid.
  std::vector<HWND> WindowsToPaint() const;

  // The timer's id; none when the queue is closed.
  std::optional<UINT_PTR> SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
  bool KillTimer(HWND window, UINT_PTR id);
  bool HasTimer(HWND window, UINT_PTR id, TIMERPROC procedure) const;
  // Whether a timer that can fire is still to fall due.
  bool HasTimers() const;  // any that can fire, due or not
  std::optional<Timer> TakeDueTimer(bool remove, const std::function<bool(HWND)>& accepts);

 private:
  void WakeLocked();
  std::uint64_t SerialLocked() const;

  const DWORD threadId_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t serial_ = 0;
  bool closed_ = false;
  std::deque<MSG> posted_;
  std::deque<std::shared_ptr<SentMessage>> sent_;
  std::optional<int> quitCode_;
  std::vector<HWND> invalid_;
  TimerList timers_;
  const clock::ClockChanges clockChanges_;
};

}  // namespace handset::windows
