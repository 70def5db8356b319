// One thread started by CreateThread. Its handle in the handle table and the thread table both hold
// it; the fields that change while it runs are guarded by the table's mutex.
#pragma once

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
  // Joinable until the table joins the ended thread.
  std::thread thread;
};

}  // namespace handset::threads
