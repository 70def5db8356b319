#include <windows.h>

#include <cstdio>
#include <string>

#include "trace/trace.h"
#include "windows/window_manager.h"

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
  TraceMessage("SendMessageW", message);
  return Windows().Send(window, message, wParam, lParam);
}

BOOL InSendMessage(void) { return Windows().InSend() ? TRUE : FALSE; }

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TraceMessage("PostMessageW", message);
  return Windows().Post(window, message, wParam, lParam) ? TRUE : FALSE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  return Windows().PostToThread(threadId, message, wParam, lParam) ? TRUE : FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  return Windows().GetMessage(*msg, window, filterMin, filterMax);
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Windows().PeekMessage(*msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) { return msg ? Windows().Dispatch(*msg) : 0; }

void PostQuitMessage(int exitCode) { Windows().PostQuit(exitCode); }

}  // extern "C"
