// The frame of a modal loop, and the hook through which whoever drives the handset from above (the
// scripted user, a live user) takes part in every modal loop.
//
// A modal kind (the dialog box, which the property sheet and the picker are made as, and the message
// box) runs its loop like this:
//   1. fill a ModalFrame: its kind, its window, `ended` and `cancel`, and `answer` when it takes
//      chosen answers (a message box's buttons);
//   2. call RunModalLoop(frame) (modal_loop.h). The frame is registered for as long as the loop
//      runs, so a description of what is up on the screen names it.
// The loop asks the installed hook before each message whether the loops are abandoned (they then
// end with their cancel results), and calls it whenever the thread's queue is empty, in the spirit
// of WM_ENTERIDLE; the hook's verdict says whether to look again, sleep, or end the loop.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace handset::dialogs {

enum class ModalKind { Dialog, MessageBox };

// How the kind is named in messages and scenario files.
const char* KindName(ModalKind kind);

struct ModalFrame {
  ModalKind kind = ModalKind::Dialog;
  HWND window = nullptr;
  std::optional<int> templateId;  // the dialog template the window was made from, when known
  std::u16string text;            // a message box's message

  // Whether the loop has ended (EndDialog, the window destroyed).
  std::function<bool()> ended;
  // Ends the loop with its cancel result; called on the loop's own thread.
  std::function<void()> cancel;
  // Ends the loop with a chosen answer (a message box's button); false when it has no such
  // answer. Empty for kinds that take no answer.
  std::function<bool(int)> answer;
};

// What a modal loop that found its queue empty does next.
struct IdleVerdict {
  enum class Kind {
    Acted,  // a step was taken; look into the queue again
    Wait,   // sleep until a message comes or `until` passes (none: until a message comes)
    End,    // end the loop with its cancel result
  };
  Kind kind = Kind::Acted;
  std::optional<std::chrono::steady_clock::time_point> until;
};

struct ModalIdleHook {
  // Called by a loop whose queue is empty, with its own (the innermost) frame.
  std::function<IdleVerdict(ModalFrame&)> idle;
  // Whether every modal loop must end now with its cancel result.
  std::function<bool()> abandoned;
};

// The modal loops of the handset: the frames up on every thread and the installed hook. Whoever
// runs the handset installs the hook (handset::user::Install), at any time: loops waiting for
// messages are woken to ask the new one. With no hook a loop waits for its messages like any
// message loop.
class ModalLoops {
 public:
  void InstallIdleHook(ModalIdleHook hook);
  IdleVerdict Idle(ModalFrame& frame) const;
  bool Abandoned() const;

  void Begin(ModalFrame* frame);
  void End(ModalFrame* frame);
  // Visits the frames of every thread in the order they began. The visit runs under the frames'
  // lock, so a frame cannot end while it is visited; it must not start or end a loop.
  void ForEachFrame(const std::function<void(const ModalFrame&)>& visit) const;

 private:
  // Shared so that a loop asks the hook it read even while another thread installs the next one.
  std::shared_ptr<const ModalIdleHook> Hook() const;

  mutable std::mutex mutex_;
  std::shared_ptr<const ModalIdleHook> hook_;
  std::vector<ModalFrame*> frames_;
};

ModalLoops& Modal();

}  // namespace handset::dialogs
