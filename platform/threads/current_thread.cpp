#include "threads/current_thread.h"

#include <atomic>

#include "threads/thread_exit.h"
#include "threads/thread_table.h"

namespace handset::threads {
namespace {

thread_local HandsetThread* t_current = nullptr;
thread_local DWORD t_id = 0;

}  // namespace

HandsetThread* CurrentThread() { return t_current; }

void EnterThread(HandsetThread& thread) {
  t_current = &thread;
  t_id = thread.id;
}

void LeaveThread() { t_current = nullptr; }

DWORD NewThreadId() {
  // Win32 thread ids are non-zero multiples of four.
  static std::atomic<DWORD> next{0x1000};
  return next.fetch_add(4);
}

DWORD CurrentThreadId() {
  if (t_id == 0) t_id = NewThreadId();
  return t_id;
}

void TerminationPoint() {
  if (HandsetThread* self = t_current) self->table.EndIfRequested(*self);
}

EndRequestWatch::EndRequestWatch(std::function<void()> wake) {
  if (HandsetThread* self = t_current) previous_ = self->table.ExchangeEndRequestWake(*self, std::move(wake));
}

EndRequestWatch::~EndRequestWatch() {
  if (HandsetThread* self = t_current) self->table.ExchangeEndRequestWake(*self, std::move(previous_));
}

}  // namespace handset::threads
