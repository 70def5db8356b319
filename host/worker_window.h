// The host's worker window ("VelmoraWorker"), to which the library reports changed settings. It
// records every message it receives from the library so that vlmhost can report them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vlmhost {

struct Notification {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class WorkerWindow {
 public:
  WorkerWindow();
  ~WorkerWindow();
  WorkerWindow(const WorkerWindow&) = delete;
  WorkerWindow& operator=(const WorkerWindow&) = delete;

  HWND Handle() const { return window_; }

  // Handles what was posted or sent to the window so far, then hands over and forgets what arrived.
  std::vector<Notification> TakeNotifications();

 private:
  static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The host owns one worker window; its procedure finds it here.
  static WorkerWindow* instance_;
  HWND window_ = nullptr;
  std::vector<Notification> received_;
};

// A readable name of a message the library sends to the worker window.
std::string NotificationName(const Notification& notification);

}  // namespace vlmhost
