#include "support/notify_window.h"

#include <thread>

#include <vlmrc/vt_service.h>

namespace testing_support {
namespace {

const WCHAR kClassName[] = u"TestNotifyWindow";

void PumpFor(std::chrono::milliseconds duration, const std::vector<Completion>& arrived, std::size_t until) {
  auto end = std::chrono::steady_clock::now() + duration;
  MSG msg;
  while (std::chrono::steady_clock::now() < end && arrived.size() < until) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // real time: the handset's clock may be held
  }
}

}  // namespace

NotifyWindow::NotifyWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Proc;
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);  // a second window finds the class registered already
  window_ = CreateWindowExW(0, kClassName, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotifyWindow::~NotifyWindow() { Destroy(); }

void NotifyWindow::Destroy() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

void NotifyWindow::Arm() {
  armed_ = std::chrono::steady_clock::now();
  arrived_.clear();
}

std::optional<Completion> NotifyWindow::Wait(std::chrono::milliseconds limit) {
  std::size_t before = arrived_.size();
  PumpFor(limit, arrived_, before + 1);
  if (arrived_.size() == before) return std::nullopt;
  return arrived_.back();
}

std::vector<Completion> NotifyWindow::Drain(std::chrono::milliseconds duration) {
  std::size_t before = arrived_.size();
  PumpFor(duration, arrived_, SIZE_MAX);
  return {arrived_.begin() + static_cast<std::ptrdiff_t>(before), arrived_.end()};
}

LRESULT NotifyWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_CF_NOTIFY && self != nullptr) {
    const auto* notify = reinterpret_cast<const SSNotify*>(lParam);
    self->arrived_.push_back({wParam, notify->nError, std::chrono::steady_clock::now() - self->armed_});
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace testing_support
