// The one exception boundary of the C surface: no C++ exception leaves an extern "C" function. A
// call that runs out of memory (or meets any other exception) inside Guarded fails the Win32 way
// instead, with its documented error result and ERROR_NOT_ENOUGH_MEMORY (the registry functions,
// which report through their result, return ERROR_NOT_ENOUGH_MEMORY itself).
//
// Every entry point that has an error result runs its body inside Guarded. The few without one
// (SetLastError, GetLastError, Sleep, GetCurrentThreadId, the clock functions, PostQuitMessage, the
// string functions, the debug output) allocate nothing on the way or have no failure to report: an
// allocation failure there ends the process, as it would end a device process that ran out of
// memory in the same place.
//
// The end of a thread is not a failure and passes every boundary: a handset thread asked to end
// unwinds with a ThreadUnwinding, a thread the handset did not start with the system's own forced
// unwind (pthread_exit).
#pragma once

#include <windows.h>

#include <cxxabi.h>
#include <utility>

namespace handset::core {

struct ThreadUnwinding {};

template <class Result, class Body>
Result Guarded(Result failed, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (const ThreadUnwinding&) {
    throw;
  } catch (abi::__forced_unwind&) {
    throw;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return failed;
  }
}

}  // namespace handset::core
