// The handset's window manager: the subsystem state that holds the window classes, the window
// tree and the threads' message queues. The Win32 functions of winuser.h are thin shells over it.
//
// Locking: one lock guards the classes, the tree and every window's fields. It is never held while
// a window or timer procedure runs, so procedures may call any window function. Each message queue
// has its own lock; no code holds a queue's lock and this one together.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <windows.h>

#include "core/handset.h"
#include "windows/message_filter.h"
#include "windows/message_queue.h"
#include "windows/thread_queues.h"
#include "windows/window.h"
#include "windows/window_class.h"
#include "windows/window_tree.h"

namespace handset::windows {

struct CreateParameters {
  DWORD exStyle = 0;
  LPCWSTR className = nullptr;
  LPCWSTR windowName = nullptr;
  DWORD style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  HMENU menu = nullptr;
  HINSTANCE instance = nullptr;
  LPVOID param = nullptr;
};

class WindowManager : public std::enable_shared_from_this<WindowManager> {
 public:
  explicit WindowManager(core::Handset& handset) : handset_(handset) {}
  // Windows still alive at shutdown are released without messages: their procedures may live in
  // modules that are already unloaded, and a process that ends sends its windows nothing either.
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // --- classes (window_manager_classes.cpp) -----------------------------------------------
  ATOM RegisterClass(const WNDCLASSW& description);
  bool UnregisterClass(LPCWSTR nameOrAtom, HINSTANCE instance);

  // --- windows (window_lifetime.cpp, window_manager.cpp) -----------------------------------
  // The window behind a handle, while the handle is valid (through WM_DESTROY).
  std::shared_ptr<Window> Find(HWND handle) const;
  HWND Create(const CreateParameters& parameters);
  bool Destroy(HWND handle);
  HWND FindTopLevel(LPCWSTR className, LPCWSTR title) const;
  // Calls the window's current procedure on the calling thread.
  LRESULT CallProcedure(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam);
  std::u16string Text(const Window& window) const;
  void SetText(Window& window, std::u16string text);

  // --- paint (window_manager.cpp) ------------------------------------------------------------
  // The window needs (or no longer needs) WM_PAINT; its thread makes the message when idle.
  void Invalidate(const Window& window);
  void Validate(const Window& window);

  // --- messages (message_delivery.cpp) -------------------------------------------------------
  LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
  void PostQuit(int exitCode);

  // --- taking messages (message_retrieval.cpp) -----------------------------------------------
  // The filter for a window argument of GetMessageW / PeekMessageW; none when the window is invalid.
  std::optional<MessageFilter> MakeFilter(HWND window, UINT first, UINT last) const;
  // One look into the calling thread's queue, in Win32's order: messages sent by other threads are
  // handled first, then a posted message, the quit request, WM_PAINT, WM_TIMER. Loops that wait
  // for a message (GetMessageW, and modal loops) read the queue's serial, call this, and when it
  // finds nothing, sleep in WaitForMessage with that serial.
  std::optional<MSG> Retrieve(MessageQueue& queue, const MessageFilter& filter, bool remove);
  int GetMessage(MSG& message, HWND window, UINT first, UINT last);
  bool PeekMessage(MSG& message, HWND window, UINT first, UINT last, bool remove);
  LRESULT Dispatch(const MSG& message);

  // --- timers (window_manager_timers.cpp) ----------------------------------------------------
  UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
  bool KillTimer(HWND window, UINT_PTR id);

  // --- threads -------------------------------------------------------------------------------
  std::shared_ptr<MessageQueue> CurrentQueue() { return queues_.ForCurrentThread(*this); }
  // The thread of `queue` has ended: its queue closes and its windows are released quietly.
  void ThreadEnded(const std::shared_ptr<MessageQueue>& queue);

 private:
  void SendDestroyMessages(const std::shared_ptr<Window>& window);
  // Unlinks the window and its descendants and releases their handles, sending nothing.
  void Release(const std::shared_ptr<Window>& window);
  void HandleSent(SentMessage& message);
  LRESULT SendToOtherThread(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam);
  bool IsVisibleLocked(const Window& window) const;

  core::Handset& handset_;
  mutable std::mutex mutex_;
  ClassTable classes_;
  WindowTree tree_;
  ThreadQueues queues_;
};

// The one wait of every message loop: sleeps until `queue` (the calling thread's) may hold
// something new since `seen`, its serial read before the last look, or until `until`. A request to
// end the thread (TerminateThread, shutdown) wakes it and takes effect here.
void WaitForMessage(MessageQueue& queue, std::uint64_t seen, std::optional<TimerClock::TimePoint> until);

// The current handset's window manager.
WindowManager& Windows();

}  // namespace handset::windows
