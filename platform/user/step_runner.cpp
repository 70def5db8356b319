// What the scripted user does when a modal loop finds its queue empty: it looks at the next step,
// waits for its condition while there is time, and then acts on the innermost modal window the
// way a person's taps and key presses would, through the controls' own messages.
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "controls/user_input.h"
#include "dialogs/dialog_query.h"
#include "handset/clock.h"
#include "handset/text.h"
#include "user/screen_turn.h"
#include "user/shell_steps.h"
#include "user/user_script.h"
#include "user/window_search.h"

namespace handset::user {
namespace {

using Clock = UserScript::Clock;

bool ShowsDialog(const ModalFrame& frame, int templateId) {
  if (frame.templateId == templateId) return true;
  for (HWND window : Descendants(frame.window)) {
    if (dialogs::DialogTemplateOf(window) == templateId && IsWindowVisible(window)) return true;
  }
  return false;
}

std::u16string TextOf(HWND window) {
  WCHAR buffer[1024];
  int length = GetWindowTextW(window, buffer, 1024);
  return std::u16string(buffer, static_cast<std::size_t>(length));
}

// Whether the condition holds; if not, `why` says what is up instead.
bool Holds(const Condition& c, const ModalFrame& frame, std::string& why) {
  why = "up: " + Describe(frame);
  switch (c.kind) {
    case Condition::Kind::Dialog:
      return ShowsDialog(frame, c.id);
    case Condition::Kind::MessageBox:
      return frame.kind == dialogs::ModalKind::MessageBox && frame.text.find(c.text) != std::u16string::npos;
    case Condition::Kind::Window:
      return TextOf(frame.window) == c.text;
    case Condition::Kind::Control:
      return FindControl(frame.window, c.id) != nullptr;
    case Condition::Kind::Text: {
      HWND control = FindControl(frame.window, c.id);
      if (!control) return false;
      auto text = TextOf(control);
      why = "the text is \"" + Utf8(text) + "\"";
      return text == c.text;
    }
  }
  return false;
}

std::string Missing(int id, const ModalFrame& frame) {
  return "no visible control " + std::to_string(id) + " in " + Describe(frame);
}

// A control the user can reach: visible and enabled. Empty `error` when found.
HWND Reachable(int id, const ModalFrame& frame, std::string& error) {
  HWND control = FindControl(frame.window, id);
  if (!control)
    error = Missing(id, frame);
  else if (!IsWindowEnabled(control))
    error = "control " + std::to_string(id) + " is disabled";
  return error.empty() ? control : nullptr;
}

std::string Tap(const actions::Tap& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return error;
  if (IsClass(control, u"button"))
    SendMessageW(control, BM_CLICK, 0, 0);
  else
    TapAt(control, Centre(control));
  return {};
}

std::string Tick(const actions::Tick& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return error;
  if (!IsClass(control, u"button")) return "control " + std::to_string(a.id) + " is not a check box";
  UINT wanted = a.checked ? BST_CHECKED : BST_UNCHECKED;
  if (SendMessageW(control, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(wanted)) SendMessageW(control, BM_CLICK, 0, 0);
  if (IsWindow(control) && SendMessageW(control, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(wanted))
    return "control " + std::to_string(a.id) + " did not become " + (a.checked ? "checked" : "unchecked");
  return {};
}

std::string Choose(const actions::Choose& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return error;
  bool list = IsClass(control, u"listbox");
  if (!list && !IsClass(control, u"combobox")) return "control " + std::to_string(a.id) + " is not a list";
  int index = a.index;
  if (a.text) {
    index = static_cast<int>(SendMessageW(control, list ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(a.text->c_str())));
    if (index < 0) return "no entry \"" + Utf8(*a.text) + "\" in control " + std::to_string(a.id);
  }
  int count = static_cast<int>(SendMessageW(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count)
    return "control " + std::to_string(a.id) + " has " + std::to_string(count) + " entries, not an entry " +
           std::to_string(index);
  if (!list) return controls::ChooseComboItem(control, index) ? std::string() : "the entry could not be chosen";
  // A person scrolls the entry into sight and taps it.
  RECT client, item;
  GetClientRect(control, &client);
  SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.top < 0 || item.bottom > client.bottom) {
    SendMessageW(control, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  TapAt(control, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  return {};
}

std::string Type(const actions::Type& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return error;
  if (!IsClass(control, u"edit")) return "control " + std::to_string(a.id) + " is not an edit";
  SetFocus(control);
  SendMessageW(control, EM_SETSEL, 0, -1);
  if (a.text.empty()) SendMessageW(control, WM_CHAR, u'\b', 1);
  for (WCHAR c : a.text) SendMessageW(control, WM_CHAR, c, 1);
  return {};
}

void PostKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

std::string Answer(const actions::Answer& a, const ModalFrame& frame) {
  if (!frame.answer) return "the modal window is " + Describe(frame) + ", not a message box";
  return frame.answer(a.result) ? std::string() : Describe(frame) + " has no button for answer " + std::to_string(a.result);
}

std::string ScrollBy(const actions::Scroll& a, const ModalFrame& frame) {
  HWND target = frame.window;
  if (a.id) {
    std::string error;
    target = Reachable(a.id, frame, error);
    if (!target) return error;
  }
  WPARAM request = MAKEWPARAM(a.code, a.position);
  // A scroll-bar control tells its parent; a window's own bar tells the window.
  if (IsClass(target, u"scrollbar"))
    SendMessageW(GetParent(target), WM_VSCROLL, request, reinterpret_cast<LPARAM>(target));
  else
    SendMessageW(target, WM_VSCROLL, request, 0);
  return {};
}

std::string Perform(const Action& action, const ModalFrame& frame) {
  struct Visitor {
    const ModalFrame& frame;
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const actions::Tap& a) const { return Tap(a, frame); }
    std::string operator()(const actions::Tick& a) const { return Tick(a, frame); }
    std::string operator()(const actions::Choose& a) const { return Choose(a, frame); }
    std::string operator()(const actions::Type& a) const { return Type(a, frame); }
    std::string operator()(const actions::Key& a) const {
      HWND focus = GetFocus();
      PostKey(focus ? focus : frame.window, a.virtualKey);
      return {};
    }
    std::string operator()(const actions::Command& a) const {
      PostMessageW(frame.window, WM_COMMAND, MAKEWPARAM(a.id, BN_CLICKED), 0);
      return {};
    }
    std::string operator()(const actions::SoftKey& a) const { return PressSoftKey(a, frame); }
    std::string operator()(const actions::ChangeTab& a) const { return ChangeTab(a, frame); }
    std::string operator()(const actions::Pick& a) const { return PickPicture(a, frame); }
    std::string operator()(const actions::Answer& a) const { return Answer(a, frame); }
    std::string operator()(const actions::Close&) const {
      PostMessageW(frame.window, WM_CLOSE, 0, 0);
      return {};
    }
    std::string operator()(const actions::Scroll& a) const { return ScrollBy(a, frame); }
    std::string operator()(const actions::Wait&) const { return {}; }
    std::string operator()(const actions::Advance& a) const {
      clock::Advance(a.by);
      return {};
    }
    std::string operator()(const actions::Rotate& a) const { return TurnScreen(a); }
    std::string operator()(const actions::InputPanel& a) const {
      SetInputPanel(a.shown);
      return {};
    }
    std::string operator()(const actions::SwitchAway&) const {
      SwitchAway();
      return {};
    }
    std::string operator()(const actions::Run& a) const {
      try {
        if (a.check) a.check();
      } catch (const std::exception& e) {
        return e.what();
      }
      return {};
    }
  };
  return std::visit(Visitor{frame}, action);
}

}  // namespace

IdleVerdict OnIdle(ModalFrame& frame) {
  auto& script = Script();
  for (;;) {
    if (script.Failed()) return {IdleVerdict::Kind::End, std::nullopt};
    auto next = script.Peek();
    if (next.exhausted) {
      script.Fail(nullptr, "the script has no step left while " + Describe(frame) + " waits for the user");
      return {IdleVerdict::Kind::End, std::nullopt};
    }
    const Step& step = *next.step;
    auto limit = script.Limit();
    if (limit && Clock::now() >= limit->deadline) {
      script.Fail(&step, "the run's time limit of " + std::to_string(limit->limit.count()) + " ms passed at this step");
      return {IdleVerdict::Kind::End, std::nullopt};
    }
    // A wait ends at the run's time limit at the latest, so that the step is then named.
    auto bounded = [&](Clock::time_point deadline) { return limit ? std::min(deadline, limit->deadline) : deadline; };
    if (step.condition) {
      std::string why;
      if (!Holds(*step.condition, frame, why)) {
        auto deadline = next.waitingSince + step.condition->within;
        if (Clock::now() < deadline) return {IdleVerdict::Kind::Wait, bounded(deadline)};
        script.Fail(&step, DescribeCondition(*step.condition) + " did not come (" + why + ")");
        return {IdleVerdict::Kind::End, std::nullopt};
      }
    }
    if (std::holds_alternative<std::monostate>(step.action)) {
      script.Pop();
      continue;
    }
    if (auto* wait = std::get_if<actions::Wait>(&step.action)) {
      bool first;
      auto deadline = script.WaitDeadline(wait->duration, first);
      if (first) return {IdleVerdict::Kind::Wait, bounded(deadline)};
      if (limit && Clock::now() >= limit->deadline) continue;  // the time limit, not the wait, is up
      script.Pop();  // a message came, or the time is up
      continue;
    }
    script.Pop();
    std::string error = Perform(step.action, frame);
    if (!error.empty()) {
      script.Fail(&step, error);
      return {IdleVerdict::Kind::End, std::nullopt};
    }
    return {IdleVerdict::Kind::Acted, std::nullopt};
  }
}

}  // namespace handset::user
