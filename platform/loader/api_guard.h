// The C surface never lets a C++ exception out: a call that runs out of memory (or meets any other
// exception) fails the Win32 way instead.
#pragma once

#include <windows.h>

#include <utility>

namespace handset::loader {

template <class Result, class Body>
Result Guarded(Result failed, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return failed;
  }
}

}  // namespace handset::loader
