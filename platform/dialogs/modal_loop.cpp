#include "dialogs/modal_loop.h"

#include "windows/window_manager.h"

namespace handset::dialogs {

void RunModalLoop(user::ModalFrame& frame) {
  auto& manager = windows::Windows();
  auto queue = manager.CurrentQueue();
  user::ModalScope scope(frame);
  bool shown = false;
  while (!frame.ended()) {
    auto seen = queue->Serial();
    if (queue->Closed() || user::Failed()) {  // shutting down, or nobody will answer
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
    auto verdict = user::OnIdle(frame);
    if (verdict.kind == user::IdleVerdict::Kind::End) {
      frame.cancel();
      break;
    }
    if (verdict.kind == user::IdleVerdict::Kind::Wait) windows::WaitForMessage(*queue, seen, verdict.until);
  }
}

}  // namespace handset::dialogs
