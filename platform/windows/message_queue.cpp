#include "windows/message_queue.h"

#include <algorithm>

namespace handset::windows {

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{window, message, wParam, lParam, GetTickCount(), POINT{0, 0}};
}

void SentMessage::Answer(LRESULT value) {
  result_ = value;
  answered_.store(true, std::memory_order_release);
  if (auto queue = sender.lock()) queue->Wake();
}

std::uint64_t MessageQueue::Serial() const {
  std::lock_guard lock(mutex_);
  return SerialLocked();
}

std::uint64_t MessageQueue::SerialLocked() const { return serial_ + clockChanges_.Count(); }

void MessageQueue::WakeLocked() {
  ++serial_;
  changed_.notify_all();
}

void MessageQueue::Wake() {
  std::lock_guard lock(mutex_);
  WakeLocked();
}

void MessageQueue::Wait(std::uint64_t seen, std::optional<std::chrono::steady_clock::time_point> until) {
  // Only the owner sets its timers, so whether it has any cannot change while it waits. With timers,
  // a change of the clock may bring one due: the watch wakes the owner to look (before the lock:
  // see ClockWatch). A change that came before the watch was registered, while the owner looked
  // into the queue, has already moved the serial.
  std::optional<clock::ClockWatch> clockChanged;
  if (HasTimers()) clockChanged.emplace([this] { Wake(); });
  std::unique_lock lock(mutex_);
  auto woken = [&] { return SerialLocked() != seen || closed_; };
  // Setting a timer moves the serial, and so does a change of the clock, so the deadline computed
  // here stays right while we sleep.
  auto wake = until;
  if (auto timer = timers_.NextDeadline(TimerClock::Now())) {
    clock::Due due = clock::Clock().WhenDue(*timer);
    if (due.now) return;
    if (due.at && (!wake || *due.at < *wake)) wake = due.at;
  }
  if (wake)
    changed_.wait_until(lock, *wake, woken);
  else
    changed_.wait(lock, woken);
}

void MessageQueue::Close() {
  std::deque<std::shared_ptr<SentMessage>> unanswered;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    unanswered.swap(sent_);
    posted_.clear();
    invalid_.clear();
    timers_ = TimerList();
    WakeLocked();
  }
  for (auto& message : unanswered) message->Answer(0);
}

bool MessageQueue::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

bool MessageQueue::Post(const MSG& message) {
  std::lock_guard lock(mutex_);
  if (closed_) return false;
  posted_.push_back(message);
  WakeLocked();
  return true;
}

void MessageQueue::PostQuit(int exitCode) {
  std::lock_guard lock(mutex_);
  quitCode_ = exitCode;
  WakeLocked();
}

bool MessageQueue::Deliver(std::shared_ptr<SentMessage> message) {
  std::lock_guard lock(mutex_);
  if (closed_) return false;
  sent_.push_back(std::move(message));
  WakeLocked();
  return true;
}

void MessageQueue::Invalidate(HWND window) {
  std::lock_guard lock(mutex_);
  if (closed_ || std::find(invalid_.begin(), invalid_.end(), window) != invalid_.end()) return;
  invalid_.push_back(window);
  WakeLocked();
}

void MessageQueue::Validate(HWND window) {
  std::lock_guard lock(mutex_);
  std::erase(invalid_, window);
}

void MessageQueue::ForgetWindow(HWND window) {
  std::lock_guard lock(mutex_);
  std::erase_if(posted_, [&](const MSG& m) { return m.hwnd == window; });
  std::erase(invalid_, window);
  timers_.KillWindowTimers(window);
}

std::shared_ptr<SentMessage> MessageQueue::TakeSent() {
  std::lock_guard lock(mutex_);
  if (sent_.empty()) return nullptr;
  auto message = std::move(sent_.front());
  sent_.pop_front();
  return message;
}

std::optional<MSG> MessageQueue::TakePosted(bool remove, const std::function<PostedVerdict(const MSG&)>& verdict) {
  std::lock_guard lock(mutex_);
  for (auto it = posted_.begin(); it != posted_.end();) {
    switch (verdict(*it)) {
      case PostedVerdict::Drop:
        it = posted_.erase(it);
        break;
      case PostedVerdict::Skip:
        ++it;
        break;
      case PostedVerdict::Take: {
        MSG message = *it;
        if (remove) posted_.erase(it);
        return message;
      }
    }
  }
  return std::nullopt;
}

std::optional<int> MessageQueue::TakeQuit(bool remove) {
  std::lock_guard lock(mutex_);
  auto code = quitCode_;
  if (remove) quitCode_.reset();
  return code;
}

std::vector<HWND> MessageQueue::WindowsToPaint() const {
  std::lock_guard lock(mutex_);
  return invalid_;
}

std::optional<UINT_PTR> MessageQueue::SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  std::lock_guard lock(mutex_);
  if (closed_) return std::nullopt;
  UINT_PTR result = timers_.Set(window, id, elapse, procedure, TimerClock::Now());
  WakeLocked();  // a waiting owner must see the new deadline
  return result;
}

bool MessageQueue::KillTimer(HWND window, UINT_PTR id) {
  std::lock_guard lock(mutex_);
  return timers_.Kill(window, id);
}

bool MessageQueue::HasTimers() const {
  std::lock_guard lock(mutex_);
  return timers_.AnyCanFire();
}

bool MessageQueue::HasTimer(HWND window, UINT_PTR id, TIMERPROC procedure) const {
  std::lock_guard lock(mutex_);
  return timers_.Exists(window, id, procedure);
}

std::optional<Timer> MessageQueue::TakeDueTimer(bool remove, const std::function<bool(HWND)>& accepts) {
  std::lock_guard lock(mutex_);
  return timers_.TakeDue(TimerClock::Now(), remove, accepts);
}

}  // namespace handset::windows
