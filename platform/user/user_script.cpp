#include "user/user_script.h"

#include <algorithm>

#include "core/handset.h"
#include "handset/text.h"
#include "windows/window_manager.h"

namespace handset::user {

UserScript& Script() { return core::State<UserScript>(); }

void UserScript::Set(std::vector<Step> steps, std::optional<std::chrono::milliseconds> timeLimit) {
  std::lock_guard lock(mutex_);
  runLimit_.reset();
  if (timeLimit) runLimit_ = RunLimit{Clock::now() + *timeLimit, *timeLimit};
  steps_.assign(std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
  waitingSince_.reset();
  waitDeadline_.reset();
  progress_ = {};
  failures_.clear();
  failed_ = false;
}

std::size_t UserScript::StepsLeft() const {
  std::lock_guard lock(mutex_);
  return steps_.size();
}

std::vector<Failure> UserScript::Failures() const {
  std::lock_guard lock(mutex_);
  return failures_;
}

bool UserScript::Failed() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

UserScript::Next UserScript::Peek() {
  std::lock_guard lock(mutex_);
  Next next;
  if (steps_.empty()) {
    next.exhausted = true;
    return next;
  }
  if (!waitingSince_) waitingSince_ = Clock::now();
  next.step = steps_.front();
  next.waitingSince = *waitingSince_;
  return next;
}

void UserScript::Pop() {
  std::lock_guard lock(mutex_);
  if (!steps_.empty()) steps_.pop_front();
  waitingSince_.reset();
  waitDeadline_.reset();
  progress_ = {};
}

void UserScript::PushFront(Step step) {
  std::lock_guard lock(mutex_);
  steps_.push_front(std::move(step));
}

UserScript::Progress UserScript::CurrentProgress() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

void UserScript::SetProgress(const Progress& progress) {
  std::lock_guard lock(mutex_);
  progress_ = progress;
}

UserScript::Clock::time_point UserScript::WaitDeadline(std::chrono::milliseconds duration, bool& first) {
  std::lock_guard lock(mutex_);
  first = !waitDeadline_;
  if (first) waitDeadline_ = Clock::now() + duration;
  return *waitDeadline_;
}

std::optional<UserScript::RunLimit> UserScript::Limit() const {
  std::lock_guard lock(mutex_);
  return runLimit_;
}

void UserScript::Fail(const Step* step, const std::string& what) {
  std::string message;
  if (step) {
    message = step->line ? "line " + std::to_string(step->line) + " " : std::string();
    message += "\"" + step->source + "\": ";
  }
  message += what + "; modal windows: " + Stack();
  std::lock_guard lock(mutex_);
  failures_.push_back({message, step ? step->line : 0});
  failed_ = true;
}

std::string UserScript::Stack() const {
  std::vector<std::string> names;
  dialogs::Modal().ForEachFrame([&](const ModalFrame& frame) { names.push_back(Describe(frame)); });
  if (names.empty()) return "none";
  std::string stack;
  for (const auto& name : names) stack += (stack.empty() ? "" : " > ") + name;
  return stack;
}

std::string Describe(const ModalFrame& frame) {
  std::string name = dialogs::KindName(frame.kind);
  if (frame.templateId) name += " " + std::to_string(*frame.templateId);
  std::u16string text = frame.text;
  // The title as the window manager keeps it: asking the window could wait on another thread.
  if (text.empty())
    if (auto window = windows::Windows().Find(frame.window)) text = windows::Windows().Text(*window);
  if (!text.empty()) name += " \"" + Utf8(text) + "\"";
  return name;
}

// --- control API ------------------------------------------------------------------------------
void Install(Participant participant) {
  auto& loops = dialogs::Modal();
  switch (participant) {
    case Participant::None:
      loops.InstallIdleHook({});
      return;
    case Participant::Script:
      // A failed script abandons every loop.
      loops.InstallIdleHook({OnIdle, [] { return Script().Failed(); }});
      return;
    case Participant::Live:
      // A person answers by input, which wakes the loop; there is nothing to take when it is idle.
      loops.InstallIdleHook({[](ModalFrame&) { return IdleVerdict{IdleVerdict::Kind::Wait, std::nullopt}; }, {}});
      return;
  }
}

void EndModalLoops() {
  dialogs::Modal().InstallIdleHook({[](ModalFrame&) { return IdleVerdict{IdleVerdict::Kind::End, std::nullopt}; },
                                    [] { return true; }});
}

void SetScript(std::vector<Step> steps) {
  Script().Set(std::move(steps));
  Install(Participant::Script);
}

void SetScript(std::vector<Step> steps, milliseconds timeLimit) {
  Script().Set(std::move(steps), timeLimit);
  Install(Participant::Script);
}

std::size_t StepsLeft() { return Script().StepsLeft(); }

std::vector<Failure> Failures() { return Script().Failures(); }

std::string ModalStack() { return Script().Stack(); }

}  // namespace handset::user
