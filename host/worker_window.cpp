#include "worker_window.h"

#include <vlmrc/vlmrc.h>

#include <cstdio>
#include <stdexcept>

namespace vlmhost {
WorkerWindow* WorkerWindow::instance_ = nullptr;

WorkerWindow::WorkerWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.lpszClassName = VLMRC_WORKER_CLASS;
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, VLMRC_WORKER_CLASS, VLMRC_WORKER_TITLE, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                            nullptr);
  if (window_ == nullptr) throw std::runtime_error("cannot create the worker window");
  instance_ = this;
}

WorkerWindow::~WorkerWindow() {
  DestroyWindow(window_);
  UnregisterClassW(VLMRC_WORKER_CLASS, nullptr);
  instance_ = nullptr;
}

std::vector<Notification> WorkerWindow::TakeNotifications() {
  MSG msg;
  while (PeekMessageW(&msg, window_, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  std::vector<Notification> taken;
  taken.swap(received_);
  return taken;
}

LRESULT WorkerWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The library's messages to the worker window all lie in the private range.
  if (message >= WM_USER && instance_ != nullptr) instance_->received_.push_back({message, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

std::string NotificationName(const Notification& notification) {
  char hex[16];
  std::snprintf(hex, sizeof(hex), "0x%04X", notification.message);
  if (notification.message == WM_VTOPT_CHANGED) return std::string(hex) + " (VT option settings changed)";
  if (notification.message == WM_LOW_BATTERY)
    return std::string(hex) + " (low battery, " + std::to_string(notification.wParam) + " percent)";
  return hex;
}

}  // namespace vlmhost
