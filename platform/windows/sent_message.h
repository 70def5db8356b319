// A message sent with SendMessageW to a window of another thread: it waits in the receiving
// thread's queue until that thread handles it inside GetMessageW or PeekMessageW, and the sender
// sleeps until it is answered.
#pragma once

#include <atomic>
#include <memory>

#include <windows.h>

namespace handset::windows {

class MessageQueue;

struct SentMessage {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::weak_ptr<MessageQueue> sender;  // woken when the answer is in

  // Stores the procedure's result (0 when the window or its thread is gone) and wakes the sender.
  void Answer(LRESULT value);
  bool Answered() const { return answered_.load(std::memory_order_acquire); }
  LRESULT Result() const { return result_; }

 private:
  LRESULT result_ = 0;
  std::atomic<bool> answered_{false};
};

}  // namespace handset::windows
