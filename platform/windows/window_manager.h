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
#include <unordered_map>
#include <vector>

#include <windows.h>

#include "core/handset.h"
#include "gdi/window_dc.h"
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

// One window's new place, as SetWindowPos and DeferWindowPos take it.
struct PositionChange {
  HWND window = nullptr;
  HWND insertAfter = nullptr;
  int x = 0, y = 0, cx = 0, cy = 0;
  UINT flags = 0;
};

// The window that has the keyboard focus and the active window of one thread.
struct InputState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
};

class WindowManager : public std::enable_shared_from_this<WindowManager> {
 public:
  // Starts with no class: the built-in classes are registered by the layers that provide them as
  // the window manager is made (see core::WhenMade).
  explicit WindowManager(core::Handset& handset);
  // Windows still alive at shutdown are released without messages: their procedures may live in
  // modules that are already unloaded, and a process that ends sends its windows nothing either.
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // --- classes (window_manager_classes.cpp) -----------------------------------------------
  ATOM RegisterClass(const WNDCLASSW& description);
  bool UnregisterClass(LPCWSTR nameOrAtom, HINSTANCE instance);
  // What GetClassInfoW reports of the class CreateWindowExW would use; false when there is none.
  bool ClassInfo(LPCWSTR nameOrAtom, HINSTANCE instance, WNDCLASSW& info) const;

  // --- windows (window_lifetime.cpp, window_manager.cpp) -----------------------------------
  // The window behind a handle, while the handle is valid (through WM_DESTROY).
  std::shared_ptr<Window> Find(HWND handle) const;
  // The same for a window the calling thread owns, as the functions that only its own thread may
  // call need it: null with ERROR_INVALID_WINDOW_HANDLE or ERROR_ACCESS_DENIED set otherwise.
  std::shared_ptr<Window> FindOwn(HWND handle) const;
  HWND Create(const CreateParameters& parameters);
  bool Destroy(HWND handle);
  HWND FindTopLevel(LPCWSTR className, LPCWSTR title) const;
  // Calls the window's current procedure on the calling thread.
  LRESULT CallProcedure(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam);
  std::u16string Text(const Window& window) const;
  void SetText(Window& window, std::u16string text);

  // --- window data (window_data.cpp) ---------------------------------------------------------
  // GWL_/GWLP_ fields and the extra bytes of `width` (4 or 8) at a non-negative offset; nothing
  // with the Win32 error set when the index does not fit the window.
  std::optional<LONG_PTR> GetData(HWND handle, int index, int width) const;
  std::optional<LONG_PTR> SetData(HWND handle, int index, LONG_PTR value, int width);
  std::u16string ClassName(const Window& window) const;

  // --- private states (window_private.cpp) ---------------------------------------------------
  std::shared_ptr<void> PrivateOf(const Window& window, std::type_index kind) const;
  std::shared_ptr<void> KeepPrivate(Window& window, std::type_index kind, std::shared_ptr<void> state, bool replace);
  std::size_t PrivateStateCount() const {
    std::lock_guard lock(mutex_);
    return privateStateCount_;
  }

  // --- the tree (window_relations.cpp) -------------------------------------------------------
  // A child's parent or a top-level window's owner, as GetParent answers.
  HWND Parent(HWND handle) const;
  HWND Related(HWND handle, UINT relation) const;
  HWND ChildById(HWND parent, int id) const;
  bool IsDescendant(HWND ancestor, HWND handle) const;
  // The window's children, in z-order.
  std::vector<HWND> Children(HWND handle) const;
  // The top-level windows in z-order, topmost first.
  std::vector<HWND> TopLevel() const;

  // --- geometry (window_geometry.cpp) --------------------------------------------------------
  std::optional<RECT> WindowRectOnScreen(HWND handle) const;
  std::optional<RECT> ClientRect(HWND handle) const;  // (0, 0, width, height)
  std::optional<POINT> ClientOriginOnScreen(HWND handle) const;
  // The window's rectangle in its parent's client coordinates.
  std::optional<RECT> PlacementRect(HWND handle) const;

  // WM_SIZE with the client size and WM_MOVE with the client origin (in the parent's client
  // coordinates), as a window hears them at creation and after a change of place.
  void SendSize(HWND handle);
  void SendMove(HWND handle);

  // --- places (window_positions.cpp) ---------------------------------------------------------
  // Applies every change at once, as EndDeferWindowPos does: WM_WINDOWPOSCHANGING to each window,
  // then all the new places, then one invalidation per window and parent, then
  // WM_WINDOWPOSCHANGED (whose default handling sends WM_MOVE and WM_SIZE) to each.
  bool ApplyPositions(std::vector<PositionChange> changes);

  // --- visible, enabled, focus, active (window_state.cpp) ------------------------------------
  bool Show(HWND handle, int command);
  bool IsVisible(HWND handle) const;
  // Returns whether the window was disabled before; nothing for an invalid window.
  std::optional<bool> Enable(HWND handle, bool enable);
  bool IsEnabled(HWND handle) const;
  // The calling thread's focus and active window.
  HWND SetFocus(HWND handle);
  HWND Focus() const;
  HWND Activate(HWND handle);
  HWND Active() const;
  // The active window is going away: its owner or another window of the thread takes over.
  void ActivateOther(HWND leaving);
  // The calling thread's capture (pointer_input.cpp): SetCapture answers the previous one.
  HWND SetCapture(HWND handle);
  HWND Capture() const;
  // The window under a screen point by WindowFromPoint's rules, and the thread to queue input for
  // a point to (the thread holding a capture, else that window's).
  HWND WindowAt(POINT screen) const;
  std::optional<DWORD> PointerThread(POINT screen) const;
  // Sets WS_ style bits on or off, for the window's own bookkeeping (scroll bars shown).
  void ChangeStyle(Window& window, DWORD set, DWORD clear);

  // --- paint (window_paint.cpp) --------------------------------------------------------------
  // `rect` in client coordinates, none for the whole client area. A window without
  // WS_CLIPCHILDREN passes the invalidation on to its visible children.
  void InvalidateArea(const std::shared_ptr<Window>& window, const RECT* rect, bool erase);
  void ValidateArea(const std::shared_ptr<Window>& window, const RECT* rect);
  // The update rectangle (client coordinates) and whether to erase, taken out of the window.
  std::optional<RECT> TakeUpdate(const std::shared_ptr<Window>& window, bool& erase);
  std::optional<RECT> PeekUpdate(const Window& window) const;

  // --- screen and device contexts (screen_link.cpp) -----------------------------------------
  // Where a window's device context paints: its client origin and the part of its client area
  // inside its ancestors' (nothing for a hidden window), in screen coordinates.
  std::optional<gdi::WindowArea> AreaOf(HWND handle) const;
  // The screen has a new size: WM_SETTINGCHANGE to the top-level windows, full-screen ones resized.
  void ScreenChanged(int width, int height);
  HBRUSH ClassBackground(const Window& window) const;

  // --- scroll bars (window_scroll.cpp) -------------------------------------------------------
  std::optional<int> SetScroll(HWND handle, int bar, const SCROLLINFO& info, bool redraw);
  bool GetScroll(HWND handle, int bar, SCROLLINFO& info) const;

  // --- messages (message_delivery.cpp) -------------------------------------------------------
  LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Whether the calling thread is handling a message sent from another thread (InSendMessage).
  bool InSend() const;
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
  // The window whose WM_PAINT comes next: the first invalid one, or an invalid ancestor of it.
  HWND NextToPaint(MessageQueue& queue, const MessageFilter& filter) const;
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
  InputState& InputLocked(DWORD threadId) { return input_[threadId]; }
  void ConnectScreen();
  void ForgetInput(const std::vector<std::shared_ptr<Window>>& released);
  void InvalidateLocked(Window& window, const RECT* rect, bool erase, std::vector<std::shared_ptr<MessageQueue>>& wake,
                        std::vector<HWND>& windows);
  void CoverAbove(const Window& window, const RECT& area, bool erase, std::vector<std::shared_ptr<MessageQueue>>& wake,
                  std::vector<HWND>& windows);
  std::optional<RECT> ClientRectLocked(const Window& window) const;
  POINT ClientOriginLocked(const Window& window) const;
  LRESULT SendToOtherThread(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam);
  bool IsVisibleLocked(const Window& window) const;

  core::Handset& handset_;
  mutable std::mutex mutex_;
  std::size_t privateStateCount_ = 0;  // the private states of every window not yet released
  ClassTable classes_;
  WindowTree tree_;
  ThreadQueues queues_;
  std::unordered_map<DWORD, InputState> input_;  // by thread
  SIZE screenSize_{0, 0};                         // as of the last change, to find full-screen windows
};

// The one wait of every message loop: sleeps until `queue` (the calling thread's) may hold
// something new since `seen`, its serial read before the last look, or until `until` (real time;
// the queue's timers wait in handset time). A request to
// end the thread (TerminateThread, shutdown) wakes it and takes effect here.
void WaitForMessage(MessageQueue& queue, std::uint64_t seen, std::optional<std::chrono::steady_clock::time_point> until);

// The current handset's window manager.
WindowManager& Windows();

}  // namespace handset::windows
