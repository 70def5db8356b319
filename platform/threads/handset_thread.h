// One thread started by CreateThread. Its handle in the handle table and the thread table both hold
// it; the fields that change while it runs are guarded by the table's mutex.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include <windows.h>

namespace handset::threads {

class ThreadTable;

struct HandsetThread {
  HandsetThread(ThreadTable& owner, DWORD threadId) : table(owner), id(threadId) {}

  ThreadTable& table;
  const DWORD id;

  bool finished = false;
  DWORD exitCode = STILL_ACTIVE;
  // Set once TerminateThread (or the handset's shutdown) has asked the thread to end, with the exit
  // code it ends with.
  std::optional<DWORD> terminationCode;
  // Set while the thread sleeps on a condition of its own (a message queue): wakes it when it is
  // asked to end. See EndRequestWatch.
  std::function<void()> wakeOnEndRequest;
  // Set while the thread is blocked in a wait of the thread table with nothing yet to wake it,
  // with the wait's deadline (none: for ever).
  bool blocked = false;
  std::optional<std::chrono::nanoseconds> blockedUntil;
  // Joinable until the table joins the ended thread.
  std::thread thread;
};

}  // namespace handset::threads
