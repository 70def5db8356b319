#include "windows/thread_queues.h"

#include <utility>

#include "windows/window_manager.h"

namespace handset::windows {
namespace {

// Per thread: the queues it owns, one per handset it has used. When the thread ends, each
// handset that is still alive is told, so that it closes the queue and drops the thread's windows.
struct ThreadEndWatch {
  struct Entry {
    std::weak_ptr<WindowManager> manager;
    std::weak_ptr<MessageQueue> queue;
  };
  std::vector<Entry> entries;

  ~ThreadEndWatch() {
    for (auto& entry : entries) {
      auto queue = entry.queue.lock();
      if (!queue) continue;
      if (auto manager = entry.manager.lock())
        manager->ThreadEnded(queue);
      else
        queue->Close();
    }
  }

  void Add(WindowManager& manager, const std::shared_ptr<MessageQueue>& queue) {
    std::erase_if(entries, [](const Entry& e) { return e.queue.expired(); });
    entries.push_back({manager.weak_from_this(), queue});
  }
};

thread_local ThreadEndWatch t_threadEndWatch;

}  // namespace

std::shared_ptr<MessageQueue> ThreadQueues::ForCurrentThread(WindowManager& manager) {
  DWORD threadId = GetCurrentThreadId();
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard lock(mutex_);
    auto& slot = queues_[threadId];
    // A closed queue under this id belonged to an earlier thread that had the same id.
    if (slot && !slot->Closed()) return slot;
    slot = queue = std::make_shared<MessageQueue>(threadId, clockChanges_);
  }
  t_threadEndWatch.Add(manager, queue);
  return queue;
}

std::shared_ptr<MessageQueue> ThreadQueues::Find(DWORD threadId) const {
  std::lock_guard lock(mutex_);
  auto it = queues_.find(threadId);
  if (it == queues_.end() || it->second->Closed()) return nullptr;
  return it->second;
}

std::vector<std::shared_ptr<MessageQueue>> ThreadQueues::All() const {
  std::lock_guard lock(mutex_);
  std::vector<std::shared_ptr<MessageQueue>> all;
  for (const auto& [id, queue] : queues_) all.push_back(queue);
  return all;
}

void ThreadQueues::Remove(const std::shared_ptr<MessageQueue>& queue) {
  std::lock_guard lock(mutex_);
  auto it = queues_.find(queue->ThreadId());
  if (it != queues_.end() && it->second == queue) queues_.erase(it);
}

}  // namespace handset::windows
