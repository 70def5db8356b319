// Sending and posting. A message sent to a window of the calling thread calls its procedure
// directly; one sent to another thread's window waits in that thread's queue until the thread
// takes messages, while the sender sleeps, still handling what others send to it meanwhile (as
// Win32 does, so that two threads sending to each other do not deadlock).
#include "windows/window_manager.h"

namespace handset::windows {

namespace {

// The message sent from another thread that this thread's procedures are handling now, if any:
// what InSendMessage reports. Nested handling restores the outer one when it ends.
thread_local const SentMessage* t_handlingSent = nullptr;

}  // namespace

bool WindowManager::InSend() const { return t_handlingSent != nullptr; }

LRESULT WindowManager::Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (window->threadId == GetCurrentThreadId()) return CallProcedure(window, message, wParam, lParam);
  return SendToOtherThread(window, message, wParam, lParam);
}

LRESULT WindowManager::SendToOtherThread(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  auto self = CurrentQueue();
  auto sent = std::make_shared<SentMessage>();
  sent->window = window->handle;
  sent->message = message;
  sent->wParam = wParam;
  sent->lParam = lParam;
  sent->sender = self;
  if (!window->queue->Deliver(sent)) return 0;  // its thread has ended
  for (;;) {
    auto seen = self->Serial();
    if (sent->Answered()) return sent->Result();
    if (self->Closed()) return 0;  // the handset is shutting down
    if (auto incoming = self->TakeSent())
      HandleSent(*incoming);
    else
      WaitForMessage(*self, seen, std::nullopt);
  }
}

void WindowManager::HandleSent(SentMessage& sent) {
  // The sender is answered even when the procedure does not return (its thread is terminated).
  struct AnswerZeroUnlessAnswered {
    SentMessage& sent;
    ~AnswerZeroUnlessAnswered() {
      if (!sent.Answered()) sent.Answer(0);
    }
  } guard{sent};
  struct RestoreOuter {
    const SentMessage* outer = t_handlingSent;
    ~RestoreOuter() { t_handlingSent = outer; }
  } restore;
  t_handlingSent = &sent;
  if (auto window = Find(sent.window)) sent.Answer(CallProcedure(window, sent.message, sent.wParam, sent.lParam));
}

bool WindowManager::Post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!handle) return CurrentQueue()->Post(MakeMessage(nullptr, message, wParam, lParam));
  auto window = Find(handle);
  // A window destroyed after this point loses the message when its thread looks for it.
  if (!window || !window->queue->Post(MakeMessage(handle, message, wParam, lParam))) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  return true;
}

bool WindowManager::PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  auto queue = queues_.Find(threadId);
  if (!queue || !queue->Post(MakeMessage(nullptr, message, wParam, lParam))) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return false;
  }
  return true;
}

void WindowManager::PostQuit(int exitCode) { CurrentQueue()->PostQuit(exitCode); }

}  // namespace handset::windows
