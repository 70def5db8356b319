// Building steps in C++: each names itself as a scenario line would, for messages.
#include <utility>

#include "handset/text.h"
#include "handset/user.h"
#include "user/user_script.h"

namespace handset::user {
namespace {

Step Make(Action action, std::string source) {
  Step step;
  step.action = std::move(action);
  step.source = std::move(source);
  return step;
}

std::string Quoted(const std::u16string& text) { return "\"" + Utf8(text) + "\""; }

std::string Within(milliseconds within) {
  return within.count() ? " within " + std::to_string(within.count()) : std::string();
}

}  // namespace

std::string DescribeCondition(const Condition& c) {
  switch (c.kind) {
    case Condition::Kind::Dialog:
      return "dialog " + std::to_string(c.id) + Within(c.within);
    case Condition::Kind::MessageBox:
      return "messagebox" + (c.text.empty() ? std::string() : " " + Quoted(c.text)) + Within(c.within);
    case Condition::Kind::Window:
      return "window " + Quoted(c.text) + Within(c.within);
    case Condition::Kind::Control:
      return "control " + std::to_string(c.id) + Within(c.within);
    case Condition::Kind::Text:
      return "text " + std::to_string(c.id) + " " + Quoted(c.text) + Within(c.within);
  }
  return {};
}

Condition Dialog(int templateId, milliseconds within) { return {Condition::Kind::Dialog, templateId, {}, within}; }
Condition MessageBox(std::u16string text, milliseconds within) {
  return {Condition::Kind::MessageBox, 0, std::move(text), within};
}
Condition Window(std::u16string title, milliseconds within) {
  return {Condition::Kind::Window, 0, std::move(title), within};
}
Condition ControlShown(int id, milliseconds within) { return {Condition::Kind::Control, id, {}, within}; }
Condition ControlText(int id, std::u16string text, milliseconds within) {
  return {Condition::Kind::Text, id, std::move(text), within};
}

Step Step::When(Condition c) && {
  source += " when " + DescribeCondition(c);
  condition = std::move(c);
  return std::move(*this);
}

Step Expect(Condition condition) {
  Step step = Make(std::monostate{}, "expect " + DescribeCondition(condition));
  step.condition = std::move(condition);
  return step;
}

Step Tap(int id) { return Make(actions::Tap{id}, "tap " + std::to_string(id)); }
Step TapAt(int x, int y) {
  return Make(actions::TapPoint{x, y}, "tap " + std::to_string(x) + "," + std::to_string(y));
}
Step Drag(int fromX, int fromY, int toX, int toY) {
  return Make(actions::Drag{fromX, fromY, toX, toY}, "drag " + std::to_string(fromX) + "," + std::to_string(fromY) + " " +
                                                         std::to_string(toX) + "," + std::to_string(toY));
}
Step Check(int id) { return Make(actions::Tick{id, true}, "check " + std::to_string(id)); }
Step Uncheck(int id) { return Make(actions::Tick{id, false}, "uncheck " + std::to_string(id)); }
Step Select(int id, int index) {
  return Make(actions::Choose{id, index, std::nullopt}, "select " + std::to_string(id) + " " + std::to_string(index));
}
Step Select(int id, std::u16string text) {
  std::string source = "select " + std::to_string(id) + " " + Quoted(text);
  return Make(actions::Choose{id, -1, std::move(text)}, std::move(source));
}
Step Type(int id, std::u16string text) {
  std::string source = "type " + std::to_string(id) + " " + Quoted(text);
  return Make(actions::Type{id, std::move(text)}, std::move(source));
}
Step PressKey(UINT virtualKey) { return Make(actions::Key{virtualKey}, "key " + std::to_string(virtualKey)); }
Step Ok() { return Make(actions::Command{1}, "ok"); }
Step Cancel() { return Make(actions::Command{2}, "cancel"); }
Step SoftKey(int number) { return Make(actions::SoftKey{number}, "softkey " + std::to_string(number)); }
Step Answer(int result) { return Make(actions::Answer{result}, "answer " + std::to_string(result)); }
Step Close() { return Make(actions::Close{}, "close"); }
Step Scroll(int id, int code, int position) {
  return Make(actions::Scroll{id, code, position},
              "scroll " + std::to_string(id) + " " + std::to_string(code) + " " + std::to_string(position));
}
Step Wait(milliseconds duration) { return Make(actions::Wait{duration}, "wait " + std::to_string(duration.count())); }
Step Advance(milliseconds by) { return Make(actions::Advance{by}, "advance " + std::to_string(by.count())); }
Step Rotate(int width, int height) {
  return Make(actions::Rotate{width, height, 0}, "rotate " + std::to_string(width) + "x" + std::to_string(height));
}
Step RotateTo(int angle) { return Make(actions::Rotate{0, 0, angle}, "rotate " + std::to_string(angle)); }
Step ShowInputPanel(bool shown) {
  return Make(actions::InputPanel{shown}, shown ? "sip show" : "sip hide");
}
Step SwitchApplication() { return Make(actions::SwitchAway{}, "switch"); }
Step Tab(int index) { return Make(actions::ChangeTab{index, std::nullopt}, "tab " + std::to_string(index)); }
Step Tab(std::u16string title) {
  std::string source = "tab " + Quoted(title);
  return Make(actions::ChangeTab{-1, std::move(title)}, std::move(source));
}
Step Pick(std::u16string name) {
  std::string source = "pick " + Quoted(name);
  return Make(actions::Pick{std::move(name)}, std::move(source));
}
Step CancelPicker() { return Make(actions::Pick{std::nullopt}, "pick cancel"); }
Step Run(std::string name, std::function<void()> check) {
  std::string source = "run " + name;
  return Make(actions::Run{std::move(name), std::move(check)}, std::move(source));
}

}  // namespace handset::user
