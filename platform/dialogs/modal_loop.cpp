#include "dialogs/modal_loop.h"

#include <algorithm>

#include "core/handset.h"
#include "windows/window_manager.h"

namespace handset::dialogs {
namespace {

// Registers the frame while its loop runs.
class FrameScope {
 public:
  explicit FrameScope(ModalFrame& frame) : frame_(frame) { Modal().Begin(&frame_); }
  ~FrameScope() { Modal().End(&frame_); }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  ModalFrame& frame_;
};

}  // namespace

ModalLoops& Modal() { return core::State<ModalLoops>(); }

const char* KindName(ModalKind kind) { return kind == ModalKind::MessageBox ? "messagebox" : "dialog"; }

void ModalLoops::InstallIdleHook(ModalIdleHook hook) {
  std::vector<HWND> waiting;
  {
    std::lock_guard lock(mutex_);
    hook_ = std::make_shared<const ModalIdleHook>(std::move(hook));
    for (const auto* frame : frames_) waiting.push_back(frame->window);
  }
  // A loop asleep in its queue looks again when a message comes.
  for (HWND window : waiting) PostMessageW(window, WM_NULL, 0, 0);
}

std::shared_ptr<const ModalIdleHook> ModalLoops::Hook() const {
  std::lock_guard lock(mutex_);
  return hook_;
}

IdleVerdict ModalLoops::Idle(ModalFrame& frame) const {
  auto hook = Hook();
  if (!hook || !hook->idle) return {IdleVerdict::Kind::Wait, std::nullopt};
  return hook->idle(frame);
}

bool ModalLoops::Abandoned() const {
  auto hook = Hook();
  return hook && hook->abandoned && hook->abandoned();
}

void ModalLoops::Begin(ModalFrame* frame) {
  std::lock_guard lock(mutex_);
  frames_.push_back(frame);
}

void ModalLoops::End(ModalFrame* frame) {
  std::lock_guard lock(mutex_);
  std::erase(frames_, frame);
}

void ModalLoops::ForEachFrame(const std::function<void(const ModalFrame&)>& visit) const {
  std::lock_guard lock(mutex_);
  for (const auto* frame : frames_) visit(*frame);
}

void RunModalLoop(ModalFrame& frame) {
  auto& manager = windows::Windows();
  auto& loops = Modal();
  auto queue = manager.CurrentQueue();
  FrameScope scope(frame);
  bool shown = false;
  while (!frame.ended()) {
    auto seen = queue->Serial();
    if (queue->Closed() || loops.Abandoned()) {  // shutting down, or nobody will answer
      frame.cancel();
      break;
    }
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The quit request is for the thread's own loop: leave it in the queue for that loop.
        PostQuitMessage(static_cast<int>(msg.wParam));
        frame.cancel();
        break;
      }
      if (!IsDialogMessageW(frame.window, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      // As on Win32, a dialog kept busy shows itself after its first WM_TIMER, so what that timer
      // posted finds it visible.
      if (!shown && msg.message == WM_TIMER && !frame.ended()) {
        shown = true;
        if (IsWindow(frame.window) && !IsWindowVisible(frame.window)) ShowWindow(frame.window, SW_SHOWNORMAL);
      }
      continue;
    }
    // A modal window made hidden shows itself once everything before it is done.
    if (!shown) {
      shown = true;
      if (IsWindow(frame.window) && !IsWindowVisible(frame.window)) {
        ShowWindow(frame.window, SW_SHOWNORMAL);
        continue;
      }
    }
    auto verdict = loops.Idle(frame);
    if (verdict.kind == IdleVerdict::Kind::End) {
      frame.cancel();
      break;
    }
    if (verdict.kind == IdleVerdict::Kind::Wait) windows::WaitForMessage(*queue, seen, verdict.until);
  }
}

}  // namespace handset::dialogs
