// Reading a scenario file: one step per line, words and quoted texts. A line that cannot be read
// stops the reading with the line's number and what was wrong with it.
#include <windows.h>

#include <cctype>
#include <charconv>
#include <map>

#include "handset/text.h"
#include "handset/user.h"

namespace handset::user {
namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

class Line {
 public:
  Line(int number, std::string_view text) : number_(number) { Split(text); }

  bool Done() const { return next_ >= tokens_.size(); }
  [[noreturn]] void Error(const std::string& what) const { throw ScenarioError(number_, what); }

  Token Take(const char* what) {
    if (Done()) Error("missing " + std::string(what));
    return tokens_[next_++];
  }
  std::string Word(const char* what) {
    Token t = Take(what);
    if (t.quoted) Error("expected " + std::string(what) + ", found a text");
    return t.text;
  }
  std::u16string Text(const char* what) {
    Token t = Take(what);
    if (!t.quoted) Error("expected " + std::string(what) + " in double quotes, found '" + t.text + "'");
    return Utf16(t.text);
  }
  int Number(const char* what) {
    std::string word = Word(what);
    return ToNumber(word, what);
  }
  int ToNumber(const std::string& word, const char* what) const {
    int value = 0;
    bool negative = !word.empty() && word[0] == '-';
    std::string_view digits(word);
    if (negative) digits.remove_prefix(1);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
      digits.remove_prefix(2);
      base = 16;
    }
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
      Error("expected " + std::string(what) + ", found '" + word + "'");
    return negative ? -value : value;
  }
  bool Peek(const char* word) const { return !Done() && !tokens_[next_].quoted && tokens_[next_].text == word; }
  bool PeekQuoted() const { return !Done() && tokens_[next_].quoted; }
  void End() const {
    if (!Done()) Error("unexpected '" + tokens_[next_].text + "' at the end");
  }
  int Number() const { return number_; }

 private:
  void Split(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
      if (std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
        continue;
      }
      Token token;
      if (text[i] == '"') {
        token.quoted = true;
        for (++i;; ++i) {
          if (i >= text.size()) Error("a text is not closed with \"");
          if (text[i] == '"') break;
          if (text[i] == '\\' && i + 1 < text.size()) ++i;
          token.text.push_back(text[i]);
        }
        ++i;
      } else {
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) token.text.push_back(text[i++]);
      }
      tokens_.push_back(std::move(token));
    }
  }

  int number_;
  std::vector<Token> tokens_;
  std::size_t next_ = 0;
};

// A time of `wait`, `advance` or `within`: no step waits or moves the clock backwards or for more
// than kMaxStepTime, so that a slip of the finger cannot hold the handset for days.
milliseconds Duration(Line& line) {
  int value = line.Number("a time in milliseconds");
  if (value < 0 || milliseconds(value) > kMaxStepTime)
    line.Error("a time of " + std::to_string(value) + " ms; times are 0 to " + std::to_string(kMaxStepTime.count()) +
               " ms (an hour)");
  return milliseconds(value);
}

milliseconds Within(Line& line) {
  if (!line.Peek("within")) return milliseconds(0);
  line.Word("within");
  return Duration(line);
}

Step ExpectStep(Line& line) {
  std::string what = line.Word("what to expect");
  Condition c;
  if (what == "dialog") {
    int id = line.Number("a template id");
    c = Dialog(id, Within(line));
  } else if (what == "messagebox" || what == "message") {
    std::u16string text = line.PeekQuoted() ? line.Text("the message") : std::u16string();
    c = MessageBox(std::move(text), Within(line));
  } else if (what == "window") {
    std::u16string title = line.Text("the window's title");
    c = Window(std::move(title), Within(line));
  } else if (what == "control") {
    int id = line.Number("a control id");
    c = ControlShown(id, Within(line));
  } else if (what == "text") {
    int id = line.Number("a control id");
    std::u16string text = line.Text("the text");
    c = ControlText(id, std::move(text), Within(line));
  } else {
    line.Error("cannot expect '" + what + "' (dialog, messagebox, window, control or text)");
  }
  return Expect(std::move(c));
}

int AnswerId(Line& line) {
  static const std::map<std::string, int> kAnswers{{"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
                                                   {"IDRETRY", IDRETRY},   {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},
                                                   {"IDNO", IDNO}};
  std::string word = line.Word("an answer such as IDOK");
  auto it = kAnswers.find(word);
  if (it == kAnswers.end()) line.Error("unknown answer '" + word + "'");
  return it->second;
}

UINT KeyCode(Line& line) {
  std::string word = line.Word("a key");
  if (auto key = KeyNamed(word)) return *key;
  // The virtual-key codes run from 1 to 254.
  int code = line.ToNumber(word, "a key name or code");
  if (code < 1 || code > 254) line.Error("key code " + word + " is not a virtual-key code (1 to 254)");
  return static_cast<UINT>(code);
}

int ScrollCode(Line& line, const std::string& word, int& position) {
  static const std::map<std::string, int> kCodes{{"LINEUP", SB_LINEUP},     {"LINEDOWN", SB_LINEDOWN},
                                                 {"PAGEUP", SB_PAGEUP},     {"PAGEDOWN", SB_PAGEDOWN},
                                                 {"TOP", SB_TOP},           {"BOTTOM", SB_BOTTOM}};
  auto it = kCodes.find(word);
  if (it != kCodes.end()) return it->second;
  position = line.ToNumber(word, "a scroll request or position");
  return SB_THUMBPOSITION;
}

Step ScrollStep(Line& line) {
  std::string first = line.Word("a scroll request");
  int id = 0;
  std::string request = first;
  if (!line.Done()) {  // scroll <id> <request>
    id = line.ToNumber(first, "a control id");
    request = line.Word("a scroll request");
  }
  int position = 0;
  int code = ScrollCode(line, request, position);
  return Scroll(id, code, position);
}

Step RotateStep(Line& line) {
  std::string word = line.Word("a size such as 320x240 or an angle");
  auto x = word.find('x');
  if (x == std::string::npos) return RotateTo(line.ToNumber(word, "an angle"));
  int width = line.ToNumber(word.substr(0, x), "a width");
  int height = line.ToNumber(word.substr(x + 1), "a height");
  return Rotate(width, height);
}

// A screen point written x,y.
POINT PointOf(Line& line, const std::string& word) {
  auto comma = word.find(',');
  if (comma == std::string::npos) line.Error("expected a screen point such as 120,200, found '" + word + "'");
  return {line.ToNumber(word.substr(0, comma), "an x coordinate"), line.ToNumber(word.substr(comma + 1), "a y coordinate")};
}

Step TapStep(Line& line) {
  std::string word = line.Word("a control id or a screen point");
  if (word.find(',') == std::string::npos) return Tap(line.ToNumber(word, "a control id"));
  POINT point = PointOf(line, word);
  return TapAt(point.x, point.y);
}

Step DragStep(Line& line) {
  POINT from = PointOf(line, line.Word("the screen point where the drag starts"));
  POINT to = PointOf(line, line.Word("the screen point where the drag ends"));
  return Drag(from.x, from.y, to.x, to.y);
}

Step ParseStep(Line& line) {
  std::string verb = line.Word("a step");
  if (verb == "expect") return ExpectStep(line);
  if (verb == "tap") return TapStep(line);
  if (verb == "drag") return DragStep(line);
  if (verb == "check") return Check(line.Number("a control id"));
  if (verb == "uncheck") return Uncheck(line.Number("a control id"));
  if (verb == "select") {
    int id = line.Number("a control id");
    if (line.PeekQuoted()) return Select(id, line.Text("the entry"));
    return Select(id, line.Number("an entry index"));
  }
  if (verb == "type") {
    int id = line.Number("a control id");
    return Type(id, line.Text("the text to type"));
  }
  if (verb == "key") return PressKey(KeyCode(line));
  if (verb == "ok") return Ok();
  if (verb == "cancel") return Cancel();
  if (verb == "softkey") return SoftKey(line.Number("a soft key number"));
  if (verb == "answer") return Answer(AnswerId(line));
  if (verb == "close") return Close();
  if (verb == "scroll") return ScrollStep(line);
  if (verb == "wait") return Wait(Duration(line));
  if (verb == "advance") return Advance(Duration(line));
  if (verb == "rotate") return RotateStep(line);
  if (verb == "sip") {
    std::string what = line.Word("show or hide");
    if (what != "show" && what != "hide") line.Error("expected show or hide, found '" + what + "'");
    return ShowInputPanel(what == "show");
  }
  if (verb == "switch") return SwitchApplication();
  if (verb == "tab") {
    if (line.PeekQuoted()) return Tab(line.Text("the tab's title"));
    return Tab(line.Number("a tab index"));
  }
  if (verb == "pick") {
    if (line.PeekQuoted()) return Pick(line.Text("the picture's file name"));
    std::string what = line.Word("a file name in double quotes or cancel");
    if (what != "cancel") line.Error("expected a file name in double quotes or cancel, found '" + what + "'");
    return CancelPicker();
  }
  line.Error("unknown step '" + verb + "'");
}

}  // namespace

std::optional<UINT> KeyNamed(std::string_view name) {
  static const std::map<std::string, UINT, std::less<>> kKeys{
      {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},     {"UP", VK_UP},
      {"DOWN", VK_DOWN},     {"LEFT", VK_LEFT},    {"RIGHT", VK_RIGHT},   {"SPACE", VK_SPACE}, {"BACK", VK_BACK}};
  if (auto it = kKeys.find(name); it != kKeys.end()) return it->second;
  return std::nullopt;
}

ScenarioError::ScenarioError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

std::vector<Step> ParseScenario(std::string_view text) {
  std::vector<Step> steps;
  int number = 0;
  while (!text.empty()) {
    auto end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    auto first = raw.find_first_not_of(" \t");
    if (first == std::string_view::npos || raw[first] == '#') continue;
    Line line(number, raw);
    Step step = ParseStep(line);
    line.End();
    step.line = number;
    step.source = std::string(raw.substr(first));
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace handset::user
