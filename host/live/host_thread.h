// The one thread that runs the handset in a live session, as the phone's host application has one:
// a hidden window of its own and a GetMessage loop. The server's threads hand it work by posting
// to that window, which every modal loop on the thread dispatches too, so work still runs while
// the options screen is up.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace vlmhost::live {

class HostThread {
 public:
  // Made on the thread that then calls Run.
  HostThread();
  ~HostThread();
  HostThread(const HostThread&) = delete;
  HostThread& operator=(const HostThread&) = delete;

  // Runs the thread's messages until Stop; from the host thread.
  void Run();
  // Any thread: the loop ends once it has handled what came before.
  void Stop();
  bool Stopping() const { return stopping_; }

  // Any thread: `work` runs on the host thread. False when the loop has stopped taking work.
  bool Post(std::function<void()> work);

  // Any thread: runs `work` on the host thread and hands back its result (or rethrows what it
  // threw); nothing when the host thread did not finish it within `limit`.
  template <class Result>
  std::optional<Result> Call(std::function<Result()> work, std::chrono::milliseconds limit) {
    auto promise = std::make_shared<std::promise<Result>>();
    auto future = promise->get_future();
    bool posted = Post([promise, work = std::move(work)] {
      try {
        promise->set_value(work());
      } catch (...) {
        promise->set_exception(std::current_exception());
      }
    });
    if (!posted || future.wait_for(limit) != std::future_status::ready) return std::nullopt;
    return future.get();
  }

 private:
  static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::atomic<bool> stopping_ = false;
};

}  // namespace vlmhost::live
