// How a handset thread ends early (TerminateThread, ExitThread): the blocking call where the end
// takes effect throws ThreadExit, which unwinds the thread's own frames (running their destructors)
// back to the thread's start in the thread table, where it is caught and becomes the exit code.
//
// The type is private to the handset and deliberately not a std::exception, so that no handler of
// the thread's own code catches it except a catch-all. A catch-all that swallows it only delays the
// end: the termination stays pending, the next blocking call throws again, and the thread's exit
// code is the requested one however the routine ends.
#pragma once

#include <functional>

#include <windows.h>

#include "core/api_guard.h"

namespace handset::threads {

// A ThreadUnwinding, so that the entry points' exception boundary lets it through.
struct ThreadExit : core::ThreadUnwinding {
  explicit ThreadExit(DWORD code) : exitCode(code) {}
  DWORD exitCode;
};

// A blocking call's first step: ends the calling handset thread here when it has been asked to end.
// Does nothing on threads the handset did not start.
void TerminationPoint();

// For a blocking call that sleeps on a condition of its own rather than the thread table's (a
// message queue): while the watch lives, asking the calling handset thread to end also runs `wake`,
// so that the call comes round to its next TerminationPoint. Watches nest; the innermost one wakes.
// Does nothing on threads the handset did not start.
class EndRequestWatch {
 public:
  explicit EndRequestWatch(std::function<void()> wake);
  ~EndRequestWatch();
  EndRequestWatch(const EndRequestWatch&) = delete;
  EndRequestWatch& operator=(const EndRequestWatch&) = delete;

 private:
  std::function<void()> previous_;
};

}  // namespace handset::threads
