// What the scripted user does when a modal loop finds its queue empty: it looks at the next step,
// waits for its condition while there is time, and then acts on the innermost modal window as a
// person does, with taps and keys through handset::input at the screen points a finger would
// touch. The input reaches the windows when the loop takes it out of its queue, after this look.
#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <stdexcept>
#include <string>

#include "dialogs/dialog_query.h"
#include "handset/clock.h"
#include "handset/input.h"
#include "handset/text.h"
#include "user/reach.h"
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

// What a look at a step came to: it is done, it goes on at the next look (input was given that the
// loop handles first), or it failed.
struct Outcome {
  std::string error;
  bool again = false;
};

Outcome Done() { return {}; }
Outcome Again() { return {{}, true}; }
Outcome Failed(std::string error) { return {std::move(error), false}; }

// A control by id: in the innermost modal window, else in a window behind it (a person sees it
// there, and the step then finds what covers it).
HWND FindAnywhere(int id, const ModalFrame& frame) {
  if (HWND control = FindControl(frame.window, id)) return control;
  HWND found = nullptr;
  dialogs::Modal().ForEachFrame([&](const ModalFrame& other) {
    if (!found && other.window != frame.window) found = FindControl(other.window, id);
  });
  return found;
}

// The screen point where a finger touches `part` of the window (its client coordinates; the
// whole window when empty). When the part is out of sight, a tap on the scrolling page's bar is
// given instead and the step goes on at the next look; when no scroll brings it into sight, or
// another window covers it, the step fails with what is in the way.
Outcome Touch(HWND window, const std::string& name, std::optional<RECT> part, POINT& screen) {
  RECT rect;
  GetWindowRect(window, &rect);
  if (part) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    rect = {origin.x + part->left, origin.y + part->top, origin.x + part->right, origin.y + part->bottom};
  }
  auto& script = Script();
  auto progress = script.CurrentProgress();
  if (!InSight(window, rect)) {
    HWND page = ScrollingPage(window);
    std::string stays = name + " stays out of sight after scrolling to the end";
    if (!page) return Failed(stays + " (nothing scrolls it)");
    int position = GetScrollPos(page, SB_VERT);
    constexpr int kMostScrolls = 200;
    if ((progress.scrolledFrom && *progress.scrolledFrom == position) || progress.scrolls >= kMostScrolls)
      return Failed(stays);
    auto tap = ScrollBarTapTowards(page, rect);
    if (!tap) return Failed(stays + " (the page shows no scroll bar)");
    progress.scrolls++;
    progress.scrolledFrom = position;
    script.SetProgress(progress);
    input::Tap(tap->x, tap->y);
    return Again();
  }
  RECT seen = PartInSight(window);
  RECT target{std::max(rect.left, seen.left), std::max(rect.top, seen.top), std::min(rect.right, seen.right),
              std::min(rect.bottom, seen.bottom)};
  screen = Centre(target);
  std::string cover = CoveredBy(window, screen);
  if (!cover.empty()) return Failed(name + " is covered by " + cover);
  return Done();
}

std::string ControlName(int id) { return "control " + std::to_string(id); }

// A control the user can reach: found, visible and enabled. Empty `error` when found.
HWND Reachable(int id, const ModalFrame& frame, std::string& error) {
  HWND control = FindAnywhere(id, frame);
  if (!control)
    error = Missing(id, frame);
  else if (!IsWindowEnabled(control))
    error = ControlName(id) + " is disabled";
  return error.empty() ? control : nullptr;
}

// Taps the window (or a part of it) once it is in sight.
Outcome TapInSight(HWND window, const std::string& name, std::optional<RECT> part) {
  POINT screen;
  Outcome touch = Touch(window, name, part, screen);
  if (touch.error.empty() && !touch.again) input::Tap(screen.x, screen.y);
  return touch;
}

Outcome TapControl(HWND control, int id, std::optional<RECT> part = std::nullopt) {
  return TapInSight(control, ControlName(id), part);
}

Outcome Tap(const actions::Tap& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return Failed(error);
  return TapControl(control, a.id);
}

Outcome TapPoint(int x, int y) {
  if (!OnScreen({x, y}))
    return Failed("the point " + std::to_string(x) + "," + std::to_string(y) + " lies off the " +
                  std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
                  " screen");
  input::Tap(x, y);
  return Done();
}

Outcome Drag(const actions::Drag& a) {
  for (POINT p : {POINT{a.fromX, a.fromY}, POINT{a.toX, a.toY}})
    if (!OnScreen(p)) return TapPoint(p.x, p.y);  // names the point off the screen
  input::PointerDown(a.fromX, a.fromY);
  // A finger passes the points between: a few moves along the way, as the panel reports them.
  constexpr int kMoves = 4;
  for (int i = 1; i <= kMoves; ++i)
    input::PointerMove(a.fromX + (a.toX - a.fromX) * i / kMoves, a.fromY + (a.toY - a.fromY) * i / kMoves);
  input::PointerUp(a.toX, a.toY);
  return Done();
}

std::string CheckState(bool checked) { return checked ? "checked" : "unchecked"; }

Outcome Tick(const actions::Tick& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return Failed(error);
  if (!IsClass(control, u"button")) return Failed(ControlName(a.id) + " is not a check box");
  auto wanted = static_cast<LRESULT>(a.checked ? BST_CHECKED : BST_UNCHECKED);
  auto& script = Script();
  if (script.CurrentProgress().phase == 1) {  // tapped: the box must show it now
    if (IsWindow(control) && SendMessageW(control, BM_GETCHECK, 0, 0) != wanted)
      return Failed(ControlName(a.id) + " did not become " + CheckState(a.checked));
    return Done();
  }
  if (SendMessageW(control, BM_GETCHECK, 0, 0) == wanted) return Done();
  Outcome tap = TapControl(control, a.id);
  if (!tap.error.empty() || tap.again) return tap;
  auto progress = script.CurrentProgress();
  progress.phase = 1;
  script.SetProgress(progress);
  return Again();
}

// A combo box's entry: the list is dropped by a tap on the field, then the entry is tapped in
// the dropped list; an entry below the list's last row is reached with the d-pad instead.
Outcome ChooseInCombo(HWND combo, int id, int index) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(COMBOBOXINFO);
  if (!GetComboBoxInfo(combo, &info)) return Failed(ControlName(id) + " gives no combo box information");
  RECT field{0, 0, info.rcButton.right, info.rcButton.bottom};
  if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) {
    if (Script().CurrentProgress().phase == 1) return Failed(ControlName(id) + " did not drop its list when tapped");
    Outcome tap = TapControl(combo, id, field);
    if (!tap.error.empty() || tap.again) return tap;
    auto progress = Script().CurrentProgress();
    progress.phase = 1;
    Script().SetProgress(progress);
    return Again();
  }
  RECT client;
  GetClientRect(combo, &client);
  int line = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  LONG rowTop = field.bottom + index * line;
  if (line > 0 && rowTop + line <= client.bottom) return TapControl(combo, id, RECT{0, rowTop, client.right, rowTop + line});
  // Closed again with a tap on the field, then the d-pad walks the choice to the entry.
  Outcome tap = TapControl(combo, id, field);
  if (!tap.error.empty() || tap.again) return tap;
  int current = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  for (int i = current; i < index; ++i) input::Key(VK_DOWN);
  for (int i = current; i > index && i > 0; --i) input::Key(VK_UP);
  return Done();
}

Outcome Choose(const actions::Choose& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return Failed(error);
  bool list = IsClass(control, u"listbox");
  if (!list && !IsClass(control, u"combobox")) return Failed(ControlName(a.id) + " is not a list");
  int index = a.index;
  if (a.text) {
    index = static_cast<int>(SendMessageW(control, list ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(a.text->c_str())));
    if (index < 0) return Failed("no entry \"" + Utf8(*a.text) + "\" in " + ControlName(a.id));
  }
  int count = static_cast<int>(SendMessageW(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count)
    return Failed(ControlName(a.id) + " has " + std::to_string(count) + " entries, not an entry " + std::to_string(index));
  if (!list) return ChooseInCombo(control, a.id, index);
  // The list is scrolled to show the entry, then the entry is tapped.
  RECT client, item;
  GetClientRect(control, &client);
  SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.top < 0 || item.bottom > client.bottom) {
    SendMessageW(control, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  return TapControl(control, a.id, item);
}

// A tap into the edit gives it the focus; its old text is taken away with the keys a person uses
// (End, then Backspace for each character) before the new text comes from the input panel.
Outcome Type(const actions::Type& a, const ModalFrame& frame) {
  std::string error;
  HWND control = Reachable(a.id, frame, error);
  if (!control) return Failed(error);
  if (!IsClass(control, u"edit")) return Failed(ControlName(a.id) + " is not an edit");
  Outcome tap = TapControl(control, a.id);
  if (!tap.error.empty() || tap.again) return tap;
  int length = GetWindowTextLengthW(control);
  input::Key(VK_END);
  for (int i = 0; i < length; ++i) input::Key(VK_BACK);
  input::Type(a.text);
  return Done();
}

Outcome Answer(const actions::Answer& a, const ModalFrame& frame) {
  if (!frame.answer) return Failed("the modal window is " + Describe(frame) + ", not a message box");
  HWND button = FindControl(frame.window, a.result);
  if (!button) return Failed(Describe(frame) + " has no button for answer " + std::to_string(a.result));
  return TapInSight(button, "the button for answer " + std::to_string(a.result), std::nullopt);
}

Outcome ScrollBy(const actions::Scroll& a, const ModalFrame& frame) {
  HWND target = frame.window;
  if (a.id) {
    std::string error;
    target = Reachable(a.id, frame, error);
    if (!target) return Failed(error);
  }
  WPARAM request = MAKEWPARAM(a.code, a.position);
  // A scroll-bar control tells its parent; a window's own bar tells the window.
  if (IsClass(target, u"scrollbar"))
    SendMessageW(GetParent(target), WM_VSCROLL, request, reinterpret_cast<LPARAM>(target));
  else
    SendMessageW(target, WM_VSCROLL, request, 0);
  return Done();
}

// The shell's steps (a soft key, a tab, a picture) name the point to tap, or why there is none.
Outcome TapShellPoint(const std::string& why, HWND window, const std::string& name, std::optional<RECT> part) {
  if (!why.empty()) return Failed(why);
  if (!window) return Done();  // the step was done without a tap
  return TapInSight(window, name, part);
}

Outcome Perform(const Action& action, const ModalFrame& frame) {
  struct Visitor {
    const ModalFrame& frame;
    Outcome operator()(std::monostate) const { return Done(); }
    Outcome operator()(const actions::Tap& a) const { return Tap(a, frame); }
    Outcome operator()(const actions::TapPoint& a) const { return TapPoint(a.x, a.y); }
    Outcome operator()(const actions::Drag& a) const { return Drag(a); }
    Outcome operator()(const actions::Tick& a) const { return Tick(a, frame); }
    Outcome operator()(const actions::Choose& a) const { return Choose(a, frame); }
    Outcome operator()(const actions::Type& a) const { return Type(a, frame); }
    Outcome operator()(const actions::Key& a) const {
      input::Key(a.virtualKey);
      return Done();
    }
    Outcome operator()(const actions::Command& a) const {
      PostMessageW(frame.window, WM_COMMAND, MAKEWPARAM(a.id, BN_CLICKED), 0);
      return Done();
    }
    Outcome operator()(const actions::SoftKey& a) const {
      ShellPoint point = SoftKeyPoint(a, frame);
      return TapShellPoint(point.why, point.window, "soft key " + std::to_string(a.number), point.part);
    }
    Outcome operator()(const actions::ChangeTab& a) const {
      ShellPoint point = TabPoint(a, frame);
      return TapShellPoint(point.why, point.window, "the tab", point.part);
    }
    Outcome operator()(const actions::Pick& a) const {
      ShellPoint point = PicturePoint(a, frame);
      return TapShellPoint(point.why, point.window, "the picture", point.part);
    }
    Outcome operator()(const actions::Answer& a) const { return Answer(a, frame); }
    Outcome operator()(const actions::Close&) const {
      PostMessageW(frame.window, WM_CLOSE, 0, 0);
      return Done();
    }
    Outcome operator()(const actions::Scroll& a) const { return ScrollBy(a, frame); }
    Outcome operator()(const actions::Wait&) const { return Done(); }
    Outcome operator()(const actions::Advance& a) const {
      clock::Advance(a.by);
      return Done();
    }
    Outcome operator()(const actions::Rotate& a) const { return Outcome{TurnScreen(a)}; }
    Outcome operator()(const actions::InputPanel& a) const {
      SetInputPanel(a.shown);
      return Done();
    }
    Outcome operator()(const actions::SwitchAway&) const {
      SwitchAway();
      return Done();
    }
    Outcome operator()(const actions::Run& a) const {
      try {
        if (a.check) a.check();
      } catch (const std::exception& e) {
        return Failed(e.what());
      }
      return Done();
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
    // The step leaves the script while it acts, so that a modal loop it opens (a check that shows
    // a message box) takes the steps after it; one that goes on at the next look comes back.
    auto progress = script.CurrentProgress();
    script.Pop();
    script.SetProgress(progress);
    Outcome outcome = Perform(step.action, frame);
    if (outcome.again)
      script.PushFront(step);
    else
      script.SetProgress({});
    if (!outcome.error.empty()) {
      script.Fail(&step, outcome.error);
      return {IdleVerdict::Kind::End, std::nullopt};
    }
    return {IdleVerdict::Kind::Acted, std::nullopt};
  }
}

}  // namespace handset::user
