// The scripted user's state: the steps still to take, when the current step began waiting, and the
// failures recorded. It takes part in the modal loops once installed (handset::user::Install).
#pragma once

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include <windows.h>

#include "handset/user.h"
#include "dialogs/modal_frame.h"

namespace handset::user {

using dialogs::IdleVerdict;
using dialogs::ModalFrame;

class UserScript {
 public:
  using Clock = std::chrono::steady_clock;

  // With a time limit, the whole run must be over by now + `timeLimit`.
  void Set(std::vector<Step> steps, std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);
  std::size_t StepsLeft() const;
  std::vector<Failure> Failures() const;
  bool Failed() const;

  // The step to take now, taken out of the script, or why there is none.
  struct Next {
    std::optional<Step> step;
    bool exhausted = false;
    // The current step's condition began waiting at this time (for its `within`).
    Clock::time_point waitingSince;
  };
  Next Peek();
  void Pop();
  // Puts a step taken out back in front, with the progress it has made.
  void PushFront(Step step);

  // What the step in front has done so far over the loop's looks: a step acts through input, which
  // the loop handles after the look, so a step may take several looks (scroll its control into
  // sight, drop a list and then tap its entry, tap a box and then see it checked).
  struct Progress {
    int phase = 0;
    int scrolls = 0;                  // scroll-bar taps given to bring the control into sight
    std::optional<int> scrolledFrom;  // the page's scroll position before the last of them
  };
  Progress CurrentProgress() const;
  void SetProgress(const Progress& progress);
  // Recorded once per failure; every modal loop ends afterwards.
  void Fail(const Step* step, const std::string& what);

  // The deadline of the wait step in front: set at its first look to now + `duration`; `first`
  // tells whether this look set it.
  Clock::time_point WaitDeadline(std::chrono::milliseconds duration, bool& first);

  // When the run's time limit passes, if it has one.
  struct RunLimit {
    Clock::time_point deadline;
    std::chrono::milliseconds limit;
  };
  std::optional<RunLimit> Limit() const;

  // The modal frames up on every thread, innermost last: `dialog 7301 "Title" > messagebox "..."`.
  std::string Stack() const;

 private:
  mutable std::mutex mutex_;
  std::deque<Step> steps_;
  std::optional<Clock::time_point> waitingSince_;
  std::optional<Clock::time_point> waitDeadline_;
  Progress progress_;
  std::optional<RunLimit> runLimit_;
  std::vector<Failure> failures_;
  bool failed_ = false;
};

UserScript& Script();

// How a condition is written in a scenario file: `dialog 7301 within 2000`.
std::string DescribeCondition(const Condition& condition);

// How a modal frame is named in messages: `dialog 7301 "Title"`, `messagebox "text"`.
std::string Describe(const ModalFrame& frame);

// Called by a modal loop whose queue is empty, with its own (the innermost) frame: the next step
// of the script is taken, waited for, or recorded as failed.
IdleVerdict OnIdle(ModalFrame& frame);

}  // namespace handset::user
