// Which thread owns which message queue. A thread gets its queue the first time it needs one
// (creates a window, asks for a message, sets a timer, sends to another thread), and loses it when
// it ends: the queue is closed and the thread's windows go with it.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <windows.h>

#include "windows/message_queue.h"

namespace handset::windows {

class WindowManager;

class ThreadQueues {
 public:
  // The calling thread's queue, made on first use; `manager` hears of the thread's end.
  std::shared_ptr<MessageQueue> ForCurrentThread(WindowManager& manager);
  // The queue of a thread, or null when the thread has none or has ended.
  std::shared_ptr<MessageQueue> Find(DWORD threadId) const;
  std::vector<std::shared_ptr<MessageQueue>> All() const;
  void Remove(const std::shared_ptr<MessageQueue>& queue);

 private:
  mutable std::mutex mutex_;
  std::unordered_map<DWORD, std::shared_ptr<MessageQueue>> queues_;
  // Taken with the window manager, so that a queue made later, under the lock, asks nothing of
  // the handset.
  const clock::ClockChanges clockChanges_;
};

}  // namespace handset::windows
