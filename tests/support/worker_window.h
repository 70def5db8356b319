// The host phone application's worker window, made with the test's procedure: the library finds it
// by its class and title to tell it of stored settings and to run AvoidSystemIdle's timer on it.
// Plain Win32, so that the Windows runner of the shared tests makes it the same way.
#pragma once

#include <windows.h>

#include <vlmrc/vlmrc.h>

namespace testing_support {

inline HWND CreateWorkerWindow(WNDPROC procedure) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.lpszClassName = VLMRC_WORKER_CLASS;
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, VLMRC_WORKER_CLASS, VLMRC_WORKER_TITLE, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                         nullptr);
}

}  // namespace testing_support
