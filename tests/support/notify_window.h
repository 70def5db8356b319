// A window that stands where a forwarding dialog stands: it receives the service library's
// completions (WM_CF_NOTIFY) and records each with the error its SSNotify carried on arrival.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <vector>

namespace testing_support {

struct Completion {
  WPARAM code;
  LONG error;
  std::chrono::steady_clock::duration after;  // from the window's Arm() to the arrival
};

class NotifyWindow {
 public:
  NotifyWindow();
  ~NotifyWindow();
  NotifyWindow(const NotifyWindow&) = delete;
  NotifyWindow& operator=(const NotifyWindow&) = delete;

  HWND Handle() const { return window_; }
  // The window in the 32-bit form a request record carries.
  DWORD RequestHandle() const { return HandleToUlong(window_); }
  // Starts the clock for the completions that follow.
  void Arm();
  // Handles the thread's messages until a completion arrives or the time is up.
  std::optional<Completion> Wait(std::chrono::milliseconds limit);
  // Handles the thread's messages for that long; every completion that arrived meanwhile.
  std::vector<Completion> Drain(std::chrono::milliseconds duration);
  void Destroy();

 private:
  static LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::chrono::steady_clock::time_point armed_ = std::chrono::steady_clock::now();
  std::vector<Completion> arrived_;
};

}  // namespace testing_support
