#include "threads/thread_table.h"

#include <exception>
#include <utility>
#include <vector>

#include "threads/current_thread.h"
#include "threads/thread_exit.h"

namespace handset::threads {

Deadline DeadlineAfter(DWORD milliseconds) {
  if (milliseconds == INFINITE) return std::nullopt;
  return clock::Clock().Uptime() + std::chrono::milliseconds(milliseconds);
}

ThreadTable::~ThreadTable() {
  std::vector<std::thread> running;
  {
    std::unique_lock lock(mutex_);
    for (auto& [id, thread] : threads_) {
      // Threads still running at shutdown end with exit code 0.
      if (!thread->finished) RequestEnd(*thread, 0);
      running.push_back(std::move(thread->thread));
    }
    // Threads the handset did not start that still sleep or wait here return before the table goes.
    closing_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return outsideWaiters_ == 0; });
  }
  for (auto& thread : running)
    if (thread.joinable()) thread.join();
}

std::shared_ptr<HandsetThread> ThreadTable::Start(LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  JoinEnded();
  std::lock_guard lock(mutex_);
  if (creationFails_) return nullptr;
  auto thread = std::make_shared<HandsetThread>(*this, NewThreadId());
  // The OS thread holds its record until it returns, so the record outlives a closed handle.
  thread->thread = std::thread([this, thread, start, parameter] { Run(thread, start, parameter); });
  threads_.emplace(thread->id, thread);
  return thread;
}

void ThreadTable::Run(const std::shared_ptr<HandsetThread>& self, LPTHREAD_START_ROUTINE start,
                      LPVOID parameter) {
  EnterThread(*self);
  DWORD code = 0;
  try {
    EndIfRequested(*self);  // asked to end before it began: the routine never runs
    code = start(parameter);
  } catch (const ThreadExit& exit) {
    code = exit.exitCode;
  }
  LeaveThread();
  std::lock_guard lock(mutex_);
  self->exitCode = self->terminationCode.value_or(code);
  self->finished = true;
  changed_.notify_all();
}

template <class Ready>
bool ThreadTable::WaitLocked(std::unique_lock<std::mutex>& lock, HandsetThread* self, Deadline deadline,
                             Ready ready) {
  auto done = [&] { return ready() || (self && self->terminationCode) || (!self && closing_); };
  if (!self) ++outsideWaiters_;
  while (!done()) {
    clock::Due due;
    if (deadline) {
      due = clock::Clock().WhenDue(*deadline);
      if (due.now) break;
    }
    if (self) {
      self->blocked = true;
      self->blockedUntil = deadline;
      changed_.notify_all();  // for WaitUntilBlocked
    }
    // Frozen, the clock only brings the deadline nearer when it changes, and ClockChanged wakes us.
    if (due.at)
      changed_.wait_until(lock, *due.at);
    else
      changed_.wait(lock);
  }
  if (!self && --outsideWaiters_ == 0) changed_.notify_all();
  if (self) self->blocked = false;
  if (self) ThrowIfEnding(*self);
  return ready();
}

void ThreadTable::ClockChanged() {
  std::lock_guard lock(mutex_);
  auto now = clock::Clock().Uptime();
  for (auto& [id, thread] : threads_)
    if (thread->blocked && thread->blockedUntil && *thread->blockedUntil <= now) thread->blocked = false;
  changed_.notify_all();
}

bool ThreadTable::WaitUntilBlocked(HandsetThread& target, std::chrono::milliseconds patience) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, patience, [&] { return target.blocked || target.finished; });
  return target.blocked && !target.finished;
}

void ThreadTable::ThrowIfEnding(const HandsetThread& self) {
  // While the thread already unwinds (a destructor that sleeps), its blocking calls just return.
  if (self.terminationCode && std::uncaught_exceptions() == 0) throw ThreadExit{*self.terminationCode};
}

void ThreadTable::RequestEnd(HandsetThread& thread, DWORD code) {
  if (!thread.terminationCode) thread.terminationCode = code;
  changed_.notify_all();
  if (thread.wakeOnEndRequest) thread.wakeOnEndRequest();
}

std::function<void()> ThreadTable::ExchangeEndRequestWake(HandsetThread& self, std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  return std::exchange(self.wakeOnEndRequest, std::move(wake));
}

DWORD ThreadTable::ExitCode(const HandsetThread& thread) {
  std::lock_guard lock(mutex_);
  return thread.exitCode;
}

void ThreadTable::Terminate(HandsetThread& target, DWORD exitCode) {
  HandsetThread* self = CurrentThread();
  std::thread ended;
  {
    std::unique_lock lock(mutex_);
    if (target.finished) return;
    RequestEnd(target, exitCode);
    if (&target == self) throw ThreadExit{*target.terminationCode};
    WaitLocked(lock, self, std::nullopt, [&] { return target.finished; });
    ended = std::move(target.thread);
    threads_.erase(target.id);
  }
  if (ended.joinable()) ended.join();
}

bool ThreadTable::WaitForEnd(HandsetThread& target, Deadline deadline) {
  std::unique_lock lock(mutex_);
  return WaitLocked(lock, CurrentThread(), deadline, [&] { return target.finished; });
}

void ThreadTable::SleepUntil(HandsetThread* self, Deadline deadline) {
  std::unique_lock lock(mutex_);
  WaitLocked(lock, self, deadline, [] { return false; });
}

void ThreadTable::EndIfRequested(HandsetThread& self) {
  std::lock_guard lock(mutex_);
  ThrowIfEnding(self);
}

std::size_t ThreadTable::LiveCount() {
  JoinEnded();
  std::lock_guard lock(mutex_);
  return threads_.size();
}

void ThreadTable::SetCreationFails(bool fails) {
  std::lock_guard lock(mutex_);
  creationFails_ = fails;
}

void ThreadTable::JoinEnded() {
  std::vector<std::thread> ended;
  {
    std::lock_guard lock(mutex_);
    for (auto it = threads_.begin(); it != threads_.end();) {
      if (it->second->finished) {
        ended.push_back(std::move(it->second->thread));
        it = threads_.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (auto& thread : ended)
    if (thread.joinable()) thread.join();
}

}  // namespace handset::threads
