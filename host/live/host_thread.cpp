#include "live/host_thread.h"

#include <stdexcept>

namespace vlmhost::live {
namespace {

constexpr UINT kWorkMessage = WM_APP + 1;
constexpr UINT kStopMessage = WM_APP + 2;
constexpr WCHAR kClassName[] = u"VlmhostLiveHost";

using Work = std::function<void()>;

}  // namespace

HostThread::HostThread() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, kClassName, u"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (window_ == nullptr) throw std::runtime_error("cannot create the live session's host window");
}

HostThread::~HostThread() {
  stopping_ = true;
  // Work still queued is dropped with its promises, so that a waiting caller is told at once.
  MSG msg;
  while (PeekMessageW(&msg, window_, kWorkMessage, kWorkMessage, PM_REMOVE))
    delete reinterpret_cast<Work*>(msg.lParam);
  DestroyWindow(window_);
  UnregisterClassW(kClassName, nullptr);
}

void HostThread::Run() {
  MSG msg;
  while (!stopping_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void HostThread::Stop() {
  stopping_ = true;
  PostMessageW(window_, kStopMessage, 0, 0);
}

bool HostThread::Post(std::function<void()> work) {
  if (stopping_) return false;
  auto* posted = new Work(std::move(work));
  if (PostMessageW(window_, kWorkMessage, 0, reinterpret_cast<LPARAM>(posted))) return true;
  delete posted;
  return false;
}

LRESULT HostThread::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWorkMessage) {
    std::unique_ptr<Work> work(reinterpret_cast<Work*>(lParam));
    (*work)();
    return 0;
  }
  if (message == kStopMessage) {
    // A modal loop that takes the quit request ends and leaves it for the loop of Run.
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vlmhost::live
