// Taking messages out of the calling thread's queue, and handing them to window procedures.
#include <algorithm>

#include "threads/thread_exit.h"
#include "windows/hardware_input.h"
#include "windows/window_manager.h"

namespace handset::windows {
namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

}  // namespace

std::optional<MessageFilter> WindowManager::MakeFilter(HWND handle, UINT first, UINT last) const {
  MessageFilter filter;
  filter.first = first;
  filter.last = last;
  if (!handle) return filter;
  if (handle == kThreadMessagesOnly) {
    filter.scope = MessageFilter::Scope::ThreadOnly;
    return filter;
  }
  auto window = Find(handle);
  if (!window) return std::nullopt;
  filter.scope = MessageFilter::Scope::TheseWindows;
  std::lock_guard lock(mutex_);
  for (const auto& w : tree_.Subtree(window)) filter.windows.push_back(w->handle);
  return filter;
}

std::optional<MSG> WindowManager::Retrieve(MessageQueue& queue, const MessageFilter& filter, bool remove) {
  while (auto sent = queue.TakeSent()) HandleSent(*sent);

  // Posted messages come before a person's input, as on Win32: the characters TranslateMessage
  // posts for a key are handled before the next key.
  auto posted = queue.TakePosted(remove, [&](const MSG& m) {
    // Messages posted to a window that is gone are dropped quietly.
    if (m.hwnd && !Find(m.hwnd)) return PostedVerdict::Drop;
    if (IsRawInput(m)) return PostedVerdict::Skip;
    return filter.Accepts(m) ? PostedVerdict::Take : PostedVerdict::Skip;
  });
  if (posted) return posted;
  // A person's input becomes its window message as it is taken out (hardware_input.h); it is
  // taken out of the queue first and resolved after, outside the queue's lock, since resolving
  // may act (a soft key presses its bar's key, which posts to this queue).
  std::optional<MSG> raw;
  queue.TakePosted(true, [&](const MSG& m) {
    if (raw || !IsRawInput(m)) return PostedVerdict::Skip;
    raw = m;
    return PostedVerdict::Drop;
  });
  if (raw) {
    auto input = Resolve(*raw);
    if (input && filter.Accepts(*input) && remove) return input;
    // Left for a later look: a message the filter does not take, or one only peeked at.
    if (input) queue.Post(*input);
    if (input && filter.Accepts(*input)) return input;
    return Retrieve(queue, filter, remove);
  }

  // The quit request passes any filter.
  if (auto exitCode = queue.TakeQuit(remove))
    return MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(*exitCode), 0);

  if (filter.AcceptsMessage(WM_PAINT))
    if (HWND window = NextToPaint(queue, filter)) return MakeMessage(window, WM_PAINT, 0, 0);

  if (filter.AcceptsMessage(WM_TIMER)) {
    auto timer = queue.TakeDueTimer(remove, [&](HWND window) { return filter.AcceptsWindow(window); });
    if (timer)
      return MakeMessage(timer->window, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->procedure));
  }
  return std::nullopt;
}

HWND WindowManager::NextToPaint(MessageQueue& queue, const MessageFilter& filter) const {
  auto invalid = queue.WindowsToPaint();
  auto waiting = [&](HWND handle) {
    return filter.AcceptsWindow(handle) && std::find(invalid.begin(), invalid.end(), handle) != invalid.end();
  };
  std::lock_guard lock(mutex_);
  const auto& tops = tree_.Desktop()->children;
  HWND chosen = nullptr;
  std::ptrdiff_t chosenDepth = -1;
  for (HWND handle : invalid) {
    if (!filter.AcceptsWindow(handle)) continue;
    auto window = handset_.Handles().Find<Window>(handle);
    if (!window || window->state == WindowState::Gone) continue;
    // The lowest top-level window first, so that what lies above it is drawn over it; within
    // it, a parent before its children.
    auto depth = std::find(tops.begin(), tops.end(), tree_.TopLevelAncestor(window)) - tops.begin();
    if (depth <= chosenDepth) continue;
    for (auto w = window->parent.lock(); w && w != tree_.Desktop(); w = w->parent.lock())
      if (waiting(w->handle)) handle = w->handle;
    chosen = handle;
    chosenDepth = depth;
  }
  return chosen;
}

int WindowManager::GetMessage(MSG& message, HWND window, UINT first, UINT last) {
  auto queue = CurrentQueue();
  for (;;) {
    auto seen = queue->Serial();
    threads::TerminationPoint();  // also when messages keep coming
    if (queue->Closed()) {  // the handset is shutting down: end the loop as WM_QUIT would
      message = MakeMessage(nullptr, WM_QUIT, 0, 0);
      return 0;
    }
    // Checked on every round: the filter window may be destroyed while we wait.
    auto filter = MakeFilter(window, first, last);
    if (!filter) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return -1;
    }
    if (auto found = Retrieve(*queue, *filter, true)) {
      message = *found;
      return message.message == WM_QUIT ? 0 : 1;
    }
    WaitForMessage(*queue, seen, std::nullopt);
  }
}

void WaitForMessage(MessageQueue& queue, std::uint64_t seen, std::optional<std::chrono::steady_clock::time_point> until) {
  // A blocking call where TerminateThread takes effect: asking the thread to end wakes it here.
  threads::EndRequestWatch endRequest([&queue] { queue.Wake(); });
  threads::TerminationPoint();
  queue.Wait(seen, until);
  threads::TerminationPoint();
}

bool WindowManager::PeekMessage(MSG& message, HWND window, UINT first, UINT last, bool remove) {
  auto filter = MakeFilter(window, first, last);
  if (!filter) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  auto found = Retrieve(*CurrentQueue(), *filter, remove);
  if (found) message = *found;
  return found.has_value();
}

LRESULT WindowManager::Dispatch(const MSG& message) {
  if (message.message == WM_TIMER && message.lParam) {
    // Only a procedure of one of the thread's live timers is called, never an arbitrary address
    // that a forged WM_TIMER carries.
    auto procedure = reinterpret_cast<TIMERPROC>(message.lParam);
    if (CurrentQueue()->HasTimer(message.hwnd, message.wParam, procedure))
      procedure(message.hwnd, WM_TIMER, message.wParam, GetTickCount());
    return 0;
  }
  if (!message.hwnd) return 0;
  auto window = FindOwn(message.hwnd);
  if (!window) return 0;
  return CallProcedure(window, message.message, message.wParam, message.lParam);
}

}  // namespace handset::windows
