// A modal loop as the scripted user sees it: what kind of window it runs (a dialog box, a message
// box; property sheets and pickers bring their own kinds), how it is ended with its cancel result,
// and what answers it takes. Each loop registers its frame for as long as it runs.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include <windows.h>

namespace handset::user {

struct ModalFrame {
  std::string kind;  // "dialog", "messagebox", ...
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

// Registers the frame while a loop runs it; the innermost frame of a thread is its last.
class ModalScope {
 public:
  explicit ModalScope(ModalFrame& frame);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  ModalFrame& frame_;
};

// What a modal loop that found its queue empty does next.
struct IdleVerdict {
  enum class Kind {
    Acted,  // a step was taken; look into the queue again
    Wait,   // sleep until a message comes or `until` passes, then look again
    End,    // the script failed or is exhausted: end the loop with its cancel result
  };
  Kind kind = Kind::Acted;
  std::optional<std::chrono::steady_clock::time_point> until;
};

// Called by a modal loop whose queue is empty, with its own (the innermost) frame.
IdleVerdict OnIdle(ModalFrame& frame);

// Whether the modal loops must end: the script has failed since it was set.
bool Failed();

}  // namespace handset::user
