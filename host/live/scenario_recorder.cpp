#include "live/scenario_recorder.h"

#include "handset/text.h"

namespace vlmhost::live {
namespace {

// `expect` for the innermost window of a stack as ModalStack names it, e.g. `dialog 7301 "Options"
// > messagebox "Sure?"`; empty when the innermost one has no template to wait for.
std::string ExpectInnermost(const std::string& stack, int innermostTemplate) {
  auto separator = stack.rfind(" > ");
  std::string innermost = separator == std::string::npos ? stack : stack.substr(separator + 3);
  const std::string within = " within " + std::to_string(kReplayWaitMs);
  if (innermost.rfind("messagebox", 0) == 0) return "expect messagebox" + within;
  if (innermostTemplate == 0) return {};
  return "expect dialog " + std::to_string(innermostTemplate) + within;
}

}  // namespace

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

void ScenarioRecorder::Restart(const std::string& heading) {
  std::lock_guard lock(mutex_);
  lines_ = {"# " + heading};
  seen_ = "none";
  typingInto_ = 0;
}

void ScenarioRecorder::NoteModalWindows(const std::string& stack, int innermostTemplate) {
  std::lock_guard lock(mutex_);
  // A page changed within the same window (a tab) needs no wait.
  if (stack == seen_) return;
  bool opened = seen_ == "none";
  seen_ = stack;
  typingInto_ = 0;
  // The first modal window is the options screen itself, which the replay opens.
  if (opened || stack == "none") return;
  if (auto expect = ExpectInnermost(stack, innermostTemplate); !expect.empty()) lines_.push_back(expect);
}

void ScenarioRecorder::Add(std::string line) {
  std::lock_guard lock(mutex_);
  lines_.push_back(std::move(line));
  typingInto_ = 0;
}

void ScenarioRecorder::Typed(int id, std::u16string text, std::size_t caret) {
  std::lock_guard lock(mutex_);
  std::string line = "type " + std::to_string(id) + " " + Quoted(handset::Utf8(text));
  if (typingInto_ == id && !lines_.empty())
    lines_.back() = std::move(line);
  else
    lines_.push_back(std::move(line));
  typingInto_ = id;
  typing_ = {std::move(text), caret};
}

std::optional<ScenarioRecorder::Typing> ScenarioRecorder::TypingInto(int id) const {
  std::lock_guard lock(mutex_);
  if (id == 0 || typingInto_ != id) return std::nullopt;
  return typing_;
}

std::vector<std::string> ScenarioRecorder::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::string ScenarioRecorder::Text() const {
  std::string text;
  for (const auto& line : Lines()) text += line + "\n";
  return text;
}

}  // namespace vlmhost::live
