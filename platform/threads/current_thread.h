// Which thread is calling: the handset thread it runs (if any) and its Win32 thread id.
#pragma once

#include "threads/handset_thread.h"

#include <windows.h>

namespace handset::threads {

// The handset thread running on the calling OS thread, or null on a thread the handset did not start.
HandsetThread* CurrentThread();

// Marks the calling OS thread as running the given handset thread, which gives it that thread's id.
void EnterThread(HandsetThread& thread);
void LeaveThread();

// A fresh thread id, unique in the process. Threads the handset did not start get one on their
// first GetCurrentThreadId.
DWORD NewThreadId();
DWORD CurrentThreadId();

}  // namespace handset::threads
