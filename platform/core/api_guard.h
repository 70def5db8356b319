// The one exception boundary of the C surface: no C++ exception leaves an extern "C" function. A
// call that runs out of memory (or meets any other exception) inside Guarded fails the Win32 way
// instead, with its documented error result and ERROR_NOT_ENOUGH_MEMORY.
#pragma once

#include <windows.h>

#include <utility>

namespace handset::core {

template <class Result, class Body>
Result Guarded(Result failed, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return failed;
  }
}

}  // namespace handset::core
