// The Win32 thread functions of the handset.
#include <pthread.h>

#include <string>

#include "core/api_guard.h"
#include "core/handset.h"
#include "threads/current_thread.h"
#include "threads/thread_exit.h"
#include "threads/thread_table.h"
#include "trace/trace.h"

#include <windows.h>

using handset::core::Guarded;

namespace {

using handset::threads::HandsetThread;

std::shared_ptr<HandsetThread> FindThread(HANDLE handle) {
  return handset::core::Current().Handles().Find<HandsetThread>(handle);
}

}  // namespace

extern "C" {

HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, DWORD stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, LPDWORD threadId) {
  return Guarded<HANDLE>(nullptr, [&]() -> HANDLE {
    handset::trace::Record("CreateThread", {});
    // Without ResumeThread on this handset a suspended thread could never run.
    if (!start || (flags & CREATE_SUSPENDED)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    // A thread the system cannot start (std::system_error) fails through the guard, like an allocation.
    std::shared_ptr<HandsetThread> thread = handset::core::State<handset::threads::ThreadTable>().Start(start, parameter);
    if (!thread) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    if (threadId) *threadId = thread->id;
    auto& handles = handset::core::Current().Handles();
    return handles.ToHandle<HANDLE>(handles.Add(thread));
  });
}

// Sleeps in handset time, on any thread: with the handset clock frozen, until the clock is moved
// past the deadline.
void Sleep(DWORD milliseconds) {
  handset::threads::Deadline deadline = handset::threads::DeadlineAfter(milliseconds);
  if (HandsetThread* self = handset::threads::CurrentThread()) {
    self->table.SleepUntil(self, deadline);
    return;
  }
  handset::core::State<handset::threads::ThreadTable>().SleepUntil(nullptr, deadline);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = FindThread(thread);
    if (!found) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (!exitCode) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    *exitCode = found->table.ExitCode(*found);
    return TRUE;
  });
}

BOOL TerminateThread(HANDLE thread, DWORD exitCode) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    handset::trace::Record("TerminateThread", {std::to_string(exitCode)});
    auto found = FindThread(thread);
    if (!found) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    found->table.Terminate(*found, exitCode);
    return TRUE;
  });
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  return Guarded<DWORD>(WAIT_FAILED, [&]() -> DWORD {
    handset::threads::TerminationPoint();
    auto found = FindThread(object);
    if (!found) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    return found->table.WaitForEnd(*found, handset::threads::DeadlineAfter(milliseconds)) ? WAIT_OBJECT_0
                                                                                            : WAIT_TIMEOUT;
  });
}

DWORD GetCurrentThreadId(void) { return handset::threads::CurrentThreadId(); }

void ExitThread(DWORD exitCode) {
  if (handset::threads::CurrentThread()) throw handset::threads::ThreadExit{exitCode};
  // A thread the handset did not start ends the way its system ends threads, unwinding its frames.
  pthread_exit(nullptr);
}

}  // extern "C"
