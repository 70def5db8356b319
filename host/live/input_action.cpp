#include "live/input_action.h"

#include <commctrl.h>

#include <map>

#include "commands/values_for_run.h"
#include "handset/input.h"
#include "handset/screen.h"
#include "handset/text.h"
#include "handset/user.h"
#include "handset/windows.h"
#include "live/request_error.h"

namespace vlmhost::live {
namespace {

// The longest text one request types: a person's paste, not a file.
constexpr std::size_t kMaxTypedUnits = 1024;

POINT ReadPoint(const Json& value, const std::string& field) {
  if (!value.is_array() || value.size() != 2 || !value[0].is_number_integer() || !value[1].is_number_integer())
    throw BadRequest("\"" + field + "\" takes a screen point [x, y] in whole pixels");
  // Compared as JSON numbers before any conversion, so that a number too large for a pixel
  // coordinate is refused rather than cut down to one on the screen.
  auto size = handset::screen::CurrentSize();
  if (value[0] < 0 || value[1] < 0 || value[0] >= size.width || value[1] >= size.height)
    throw BadRequest("the point " + value[0].dump() + "," + value[1].dump() + " is off the " +
                     std::to_string(size.width) + "x" + std::to_string(size.height) + " screen");
  return POINT{value[0].get<LONG>(), value[1].get<LONG>()};
}

std::string PointText(POINT point) { return std::to_string(point.x) + "," + std::to_string(point.y); }

std::u16string TextOf(HWND window) {
  WCHAR buffer[1024];
  int length = GetWindowTextW(window, buffer, 1024);
  return std::u16string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool IsClass(HWND window, const char16_t* name) {
  WCHAR className[64] = {};
  GetClassNameW(window, className, 64);
  return lstrcmpiW(className, name) == 0;
}

// How the scenario says a tap at `point`: the tab it hit, the control with an id, or the point.
std::string TapLine(POINT point) {
  HWND hit = WindowFromPoint(point);
  if (hit && IsClass(hit, WC_TABCONTROLW)) {
    TCHITTESTINFO test{point, 0};
    ScreenToClient(hit, &test.pt);
    int index = static_cast<int>(SendMessageW(hit, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&test)));
    if (index >= 0) {
      std::u16string title = handset::user::TabTitle(hit, index);
      return title.empty() ? "tab " + std::to_string(index) : "tab " + Quoted(handset::Utf8(title));
    }
  }
  int id = hit && GetParent(hit) ? GetDlgCtrlID(hit) : 0;
  if (id > 0) return "tap " + std::to_string(id);
  return "tap " + PointText(point);
}

// Where typing into `edit` goes: its text and selection, which the typed text replaces, as the
// edit does.
ScenarioRecorder::Typing TypingPointOf(HWND edit, std::size_t& selectionEnd) {
  std::u16string text = TextOf(edit);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::size_t first = std::min<std::size_t>(start, text.size());
  selectionEnd = std::min<std::size_t>(std::max<std::size_t>(first, end), text.size());
  return {text, first};
}

// The template of the dialog the active window shows: its own, or that of the first visible
// dialog in it (a sheet's page), as a scenario's `expect dialog` finds it.
int FirstTemplate(const handset::windows::WindowInfo& window) {
  if (!window.visible) return 0;
  if (int own = handset::windows::DialogTemplate(window.handle)) return own;
  for (const auto& child : window.children)
    if (int found = FirstTemplate(child)) return found;
  return 0;
}

int InnermostTemplate() {
  HWND active = GetActiveWindow();
  for (const auto& window : handset::windows::TopLevelWindows())
    if (window.handle == active) return FirstTemplate(window);
  return 0;
}

struct Performer {
  DragState& drag;
  ScenarioRecorder& recorder;

  std::string Record(std::string line) const {
    recorder.Add(line);
    return line;
  }

  std::string operator()(const PointerAction& a) const {
    switch (a.kind) {
      case PointerAction::Kind::Tap: {
        std::string line = TapLine(a.point);
        handset::input::Tap(a.point.x, a.point.y);
        return Record(line);
      }
      case PointerAction::Kind::Down: {
        // The line waits for the up: a tap where it began, else a drag.
        drag = {true, a.point};
        handset::input::PointerDown(a.point.x, a.point.y);
        return {};
      }
      case PointerAction::Kind::Move:
        handset::input::PointerMove(a.point.x, a.point.y);
        return {};
      case PointerAction::Kind::Up: {
        DragState began = drag;
        drag = {};
        bool tap = began.down && began.start.x == a.point.x && began.start.y == a.point.y;
        std::string line = tap ? TapLine(a.point)
                               : began.down ? "drag " + PointText(began.start) + " " + PointText(a.point) : "";
        handset::input::PointerUp(a.point.x, a.point.y);
        return line.empty() ? line : Record(line);
      }
    }
    return {};
  }
  std::string operator()(const KeyAction& a) const {
    handset::input::Key(a.virtualKey);
    return Record("key " + a.word);
  }
  std::string operator()(const TypeAction& a) const {
    HWND focus = GetFocus();
    bool edit = focus && GetParent(focus) && IsClass(focus, u"edit");
    int id = edit ? GetDlgCtrlID(focus) : 0;
    handset::input::Type(a.text);
    // Typing where no edit with an id has the focus is nothing a scenario can name.
    if (id <= 0) return {};
    // Characters typed a moment ago may still be queued to the edit: the typing goes on from where
    // the recorder left it.
    std::size_t selectionEnd = 0;
    ScenarioRecorder::Typing at;
    if (auto going = recorder.TypingInto(id)) {
      at = *going;
      selectionEnd = at.caret;
    } else {
      at = TypingPointOf(focus, selectionEnd);
    }
    std::u16string after = at.text.substr(0, at.caret) + a.text + at.text.substr(selectionEnd);
    recorder.Typed(id, after, at.caret + a.text.size());
    return "type " + std::to_string(id) + " " + Quoted(handset::Utf8(after));
  }
  std::string operator()(const SoftKeyAction& a) const {
    handset::input::Key(a.number == 1 ? VK_F1 : VK_F2);
    return Record("softkey " + std::to_string(a.number));
  }
  std::string operator()(const TitleOkAction&) const {
    // The title bar's OK sends the window it serves the command its OK button would.
    HWND active = GetActiveWindow();
    if (!active || handset::user::ModalStack() == "none")
      throw RequestError(409, "no dialog is up whose title bar has an OK");
    PostMessageW(active, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return Record("ok");
  }
  std::string operator()(const RotateAction& a) const {
    std::string size = std::to_string(a.width) + "x" + std::to_string(a.height);
    if (auto why = handset::user::TurnScreen(a.width, a.height); !why.empty()) throw RequestError(409, why);
    return Record("rotate " + size);
  }
  std::string operator()(const InputPanelAction& a) const {
    handset::user::SetInputPanel(a.shown);
    return Record(a.shown ? "sip show" : "sip hide");
  }
  std::string operator()(const SwitchAction&) const {
    handset::user::SwitchAway();
    return Record("switch");
  }
};

}  // namespace

InputAction ReadInputAction(const Json& request) {
  if (!request.is_object() || request.size() != 1)
    throw BadRequest("an input is one JSON object with one action: tap, down, move, up, key, type, softkey, ok, "
                     "rotate, sip or switch");
  const std::string name = request.begin().key();
  const Json& value = request.begin().value();
  static const std::map<std::string, PointerAction::Kind> kPointer{{"tap", PointerAction::Kind::Tap},
                                                                   {"down", PointerAction::Kind::Down},
                                                                   {"move", PointerAction::Kind::Move},
                                                                   {"up", PointerAction::Kind::Up}};
  if (auto it = kPointer.find(name); it != kPointer.end()) return PointerAction{it->second, ReadPoint(value, name)};
  if (name == "key") {
    auto key = value.is_string() ? handset::user::KeyNamed(value.get<std::string>()) : std::nullopt;
    if (!key) throw BadRequest("\"key\" is one of RETURN, ESCAPE, TAB, UP, DOWN, LEFT, RIGHT, SPACE, BACK");
    return KeyAction{*key, value.get<std::string>()};
  }
  if (name == "type") {
    if (!value.is_string() || value.get<std::string>().empty()) throw BadRequest("\"type\" takes the text to type");
    std::u16string text = handset::Utf16(value.get<std::string>());
    if (text.size() > kMaxTypedUnits)
      throw BadRequest("\"type\" takes at most " + std::to_string(kMaxTypedUnits) + " characters at once");
    return TypeAction{std::move(text)};
  }
  if (name == "softkey") {
    if (!value.is_number_integer() || (value != 1 && value != 2))
      throw BadRequest("\"softkey\" is 1 (left) or 2 (right)");
    return SoftKeyAction{value.get<int>()};
  }
  if (name == "ok") {
    if (value != true) throw BadRequest("\"ok\" is true");
    return TitleOkAction{};
  }
  if (name == "rotate") {
    if (!value.is_string()) throw BadRequest("\"rotate\" takes a screen size WIDTHxHEIGHT, e.g. \"320x240\"");
    try {
      auto size = ParseScreenSize(value.get<std::string>());
      return RotateAction{size.width, size.height};
    } catch (const CommandError&) {
      throw BadRequest("\"rotate\" takes a screen size WIDTHxHEIGHT, e.g. \"320x240\"");
    }
  }
  if (name == "sip") {
    if (!value.is_boolean()) throw BadRequest("\"sip\" is true (show the input panel) or false (hide it)");
    return InputPanelAction{value.get<bool>()};
  }
  if (name == "switch") {
    if (value != true) throw BadRequest("\"switch\" is true");
    return SwitchAction{};
  }
  throw BadRequest("unknown input \"" + name + "\" (tap, down, move, up, key, type, softkey, ok, rotate, sip, switch)");
}

std::string Perform(const InputAction& action, DragState& drag, ScenarioRecorder& recorder) {
  recorder.NoteModalWindows(handset::user::ModalStack(), InnermostTemplate());
  return std::visit(Performer{drag, recorder}, action);
}

}  // namespace vlmhost::live
