#include <windows.h>

#include <cstdio>
#include <string>

#include "core/api_guard.h"
#include "trace/trace.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

namespace {

void TraceMessage(const char* function, UINT message) {
  if (!handset::trace::Enabled()) return;
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", message);
  handset::trace::Record(function, {text});
}

}  // namespace

extern "C" {

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    TraceMessage("SendMessageW", message);
    return Windows().Send(window, message, wParam, lParam);
  });
}

BOOL InSendMessage(void) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().InSend() ? TRUE : FALSE; });
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    TraceMessage("PostMessageW", message);
    return Windows().Post(window, message, wParam, lParam) ? TRUE : FALSE;
  });
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return Windows().PostToThread(threadId, message, wParam, lParam) ? TRUE : FALSE;
  });
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  return Guarded<BOOL>(-1, [&]() -> BOOL {
    if (!msg) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return -1;
    }
    return Windows().GetMessage(*msg, window, filterMin, filterMax);
  });
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!msg) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    return Windows().PeekMessage(*msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
  });
}

LRESULT DispatchMessageW(const MSG* msg) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT { return msg ? Windows().Dispatch(*msg) : 0; });
}

void PostQuitMessage(int exitCode) { Windows().PostQuit(exitCode); }

}  // extern "C"
