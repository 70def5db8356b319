// Control API of the handset's users. Whoever runs the handset installs the user who takes part in
// its modal loops (Install): the scripted user, a live user, or none.
//
// With the scripted user, every modal loop (dialog box, message box, ...) that
// finds its queue empty takes the next step of the script: a step may wait for a condition (a
// dialog, a message box, a window, a control or a text to be up, within a time) and then acts (taps
// a control, ticks a box, chooses an entry, types, presses a key, answers a message box, waits
// for messages, moves the clock, turns the screen, shows the input panel, switches to another
// application, runs a check). When the script is exhausted
// while a loop waits for the user, or a condition does not hold in time, or an action cannot be
// done, the failure is recorded with the stack of modal windows, and every modal loop ends with
// its cancel result: a test fails with a message and never hangs.
//
// Steps act on the innermost modal window of the thread whose loop is waiting: a control is found
// by its id among that window's visible descendants (so the controls of a page inside a sheet are
// found too). They act as a person does, through handset::input at the screen point a finger
// would touch: a control in the hidden part of a scrolling page is first brought into sight by
// taps on the page's scroll bar; a control that no scroll brings into sight, that another window
// covers, or that is disabled fails the step with what is in the way.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <windef.h>

namespace handset::user {

using std::chrono::milliseconds;

// --- conditions -------------------------------------------------------------------------------
struct Condition {
  enum class Kind {
    Dialog,      // a dialog made from template `id` is up: the modal window or a visible dialog in it
    MessageBox,  // a message box is up whose text contains `text` (any message box for "")
    Window,      // the modal window's title is `text`
    Control,     // the modal window shows a control with `id`
    Text,        // the control `id` of the modal window has the text `text`
  };
  Kind kind = Kind::Dialog;
  int id = 0;
  std::u16string text;
  milliseconds within{0};  // how long the step waits for the condition; 0: it must hold now
};

Condition Dialog(int templateId, milliseconds within = milliseconds(0));
Condition MessageBox(std::u16string textContains = {}, milliseconds within = milliseconds(0));
Condition Window(std::u16string title, milliseconds within = milliseconds(0));
Condition ControlShown(int id, milliseconds within = milliseconds(0));
Condition ControlText(int id, std::u16string text, milliseconds within = milliseconds(0));

// --- actions ----------------------------------------------------------------------------------
namespace actions {
struct Tap {  // a tap on the control: a button is clicked, another control takes the focus
  int id;
};
struct TapPoint {  // a tap exactly at a screen point, whatever lies there
  int x;
  int y;
};
struct Drag {  // a finger put down at one screen point, moved to another and lifted there
  int fromX;
  int fromY;
  int toX;
  int toY;
};
struct Tick {  // a check box brought to the state by tapping it (nothing when already so)
  int id;
  bool checked;
};
struct Choose {  // an entry of a list box or combo box, by index or, when `text` is set, by text
  int id;
  int index;
  std::optional<std::u16string> text;
};
struct Type {  // replaces the text of an edit by typing, character by character
  int id;
  std::u16string text;
};
struct Key {  // a key press (WM_KEYDOWN, WM_CHAR, WM_KEYUP) to the focused window
  UINT virtualKey;
};
struct Command {  // what the OK and Cancel buttons of the title bar send: WM_COMMAND with the id
  int id;
};
struct SoftKey {  // a tap on a soft key of the soft-key bar up: 1 (left) or 2 (right); a failed step
                 // when no bar is up
  int number;
};
struct Answer {  // closes the message box with the button of this result (IDOK, IDYES, ...)
  int result;
};
struct Close {};  // WM_CLOSE to the modal window
struct Scroll {   // a scroll request (SB_LINEDOWN, SB_THUMBPOSITION with a position, ...)
  int id;         // the control whose bar scrolls, 0 for the modal window's own vertical bar
  int code;
  int position;
};
struct Wait {  // lets the loop wait for messages: until one comes or the time passes
  milliseconds duration;
};
struct Advance {  // moves the handset clock on
  milliseconds by;
};
struct Rotate {  // turns the screen to this size (the other orientation of the current size
  int width;     // turns it by 90 degrees), or, with width 0, to `angle`
  int height;
  int angle;
};
struct InputPanel {  // the user shows or hides the soft input panel; the top-level windows hear
  bool shown;       // WM_SETTINGCHANGE with SPI_SETSIPINFO
};
struct SwitchAway {};  // another application comes to the front: the modal window's thread has no
                       // active window, and the one that was active hears WA_INACTIVE with no window
struct ChangeTab {  // taps a tab of the tab control in the modal window (a property sheet's tabs):
  int index;       // by its index, or, when `title` is set, by its text
  std::optional<std::u16string> title;
};
struct Pick {  // in the picture picker: taps the picture named `name`, or cancels the picker when
  std::optional<std::u16string> name;  // `name` is empty
};
struct Run {  // runs a check of the test's own; a std::exception it throws fails the step with its text
  std::string name;
  std::function<void()> check;
};
}  // namespace actions

using Action = std::variant<std::monostate, actions::Tap, actions::TapPoint, actions::Drag, actions::Tick, actions::Choose, actions::Type, actions::Key,
                            actions::Command, actions::SoftKey, actions::Answer, actions::Close, actions::Scroll,
                            actions::Wait, actions::Advance, actions::Rotate, actions::InputPanel,
                            actions::SwitchAway, actions::ChangeTab, actions::Pick, actions::Run>;

struct Step {
  std::optional<Condition> condition;
  Action action;  // std::monostate: the step only waits for its condition
  int line = 0;   // of the scenario file, 0 for a step built in C++
  std::string source;  // the step as written, for messages

  // The same step, waiting for `condition` first.
  Step When(Condition c) &&;
};

Step Expect(Condition condition);
Step Tap(int id);
Step TapAt(int x, int y);
Step Drag(int fromX, int fromY, int toX, int toY);
Step Check(int id);
Step Uncheck(int id);
Step Select(int id, int index);
Step Select(int id, std::u16string text);
Step Type(int id, std::u16string text);
Step PressKey(UINT virtualKey);
Step Ok();
Step Cancel();
Step SoftKey(int number);
Step Answer(int result);
Step Close();
Step Scroll(int id, int code, int position = 0);
Step Wait(milliseconds duration);
Step Advance(milliseconds by);
Step Rotate(int width, int height);
Step RotateTo(int angle);
Step ShowInputPanel(bool shown);
Step SwitchApplication();
Step Tab(int index);
Step Tab(std::u16string title);
Step Pick(std::u16string name);
Step CancelPicker();
Step Run(std::string name, std::function<void()> check);

// --- who answers the modal loops -------------------------------------------------------------
// A fresh handset has no user: a modal loop then waits for its messages like any message loop.
enum class Participant {
  None,
  Script,  // the scripted user: the steps of SetScript; a failure ends every loop with its cancel result
  Live,    // a person at the screen: a loop waits for input (handset::input, posted messages) and
           // never fails for want of steps
};
// Takes effect at each loop's next look at its queue; loops that wait are woken to look.
void Install(Participant participant);
// Ends every modal loop up now with its cancel result, and each one begun later at once, until a
// user is installed again: how a live session closes its screens on the way out.
void EndModalLoops();

// --- what a person does besides input ---------------------------------------------------------
// The steps `rotate`, `sip show|hide` and `switch` do these; a live handset calls them for its
// person. Each is called on the thread of the top-level windows, which hear of it.
// Turns the screen to this size as `rotate WxH` does; empty when done, else why it cannot.
std::string TurnScreen(int width, int height);
// Shows or hides the input panel; the top-level windows hear WM_SETTINGCHANGE with SPI_SETSIPINFO.
void SetInputPanel(bool shown);
// Another application comes to the front: the active window hears WA_INACTIVE with no window.
void SwitchAway();

// --- the script -------------------------------------------------------------------------------
// Replaces the script, forgets earlier failures, and installs the scripted user: modal loops wait
// for the script's steps again.
void SetScript(std::vector<Step> steps);
// The same with a time limit for the whole run, counted from now: a step still to be taken when it
// has passed fails, named, as a condition that did not come in time does.
void SetScript(std::vector<Step> steps, milliseconds timeLimit);
std::size_t StepsLeft();

struct Failure {
  std::string message;  // names the step, what went wrong and the stack of modal windows
  int line = 0;         // of the scenario file, 0 for a step built in C++
};
std::vector<Failure> Failures();

// The modal windows up now, outermost first, e.g. `dialog 7301 "Options" > messagebox "Sure?"`.
std::string ModalStack();

// --- scenario files ---------------------------------------------------------------------------
// One step per line; blank lines and lines starting with # are skipped. Numbers are decimal or
// 0x hex; texts are in double quotes (\" and \\ inside). An `expect` line waits for its condition.
//   tap 1021                 check 1021 / uncheck 1021
//   tap 120,200              drag 10,200 10,40  (exactly at screen points; a point off the screen
//                                                fails the step)
//   select 1030 2            select 1030 "Text"
//   type 1040 "text"         key RETURN | ESCAPE | TAB | UP | DOWN | LEFT | RIGHT | SPACE | <1 to 254>
//   ok / cancel              softkey 1 | 2
//   answer IDOK | IDCANCEL | IDYES | IDNO | IDABORT | IDRETRY | IDIGNORE
//   close                    scroll [<id>] LINEUP | LINEDOWN | PAGEUP | PAGEDOWN | TOP | BOTTOM | <position>
//   wait 500                 advance 500        (0 to kMaxStepTime, as is `within`)
//   rotate 320x240           rotate 90
//   sip show / sip hide      switch
//   tab 1                    tab "About"        (a tab of the sheet, by index from 0 or by title)
//   pick "photo.jpg"         pick cancel        (a picture of the picker, by file name)
//   expect dialog 7301 [within 2000]       expect messagebox ["text"] [within <ms>]
//   expect window "Title"    expect control 1021    expect text 1040 "value"
class ScenarioError : public std::runtime_error {
 public:
  ScenarioError(int line, const std::string& message);
  int Line() const { return line_; }

 private:
  int line_;
};

// The longest `wait`, `advance` or `within` of a scenario file: an hour.
inline constexpr milliseconds kMaxStepTime{60 * 60 * 1000};

// Throws ScenarioError naming the line of the first step that cannot be read.
std::vector<Step> ParseScenario(std::string_view text);

// The title of tab `index` of a tab control as `tab "TITLE"` names it; empty when the tab has none
// or there is no such tab.
std::u16string TabTitle(HWND tabs, int index);

// The virtual-key code of a key as a scenario names it (RETURN, ENTER, ESCAPE, TAB, UP, DOWN, LEFT,
// RIGHT, SPACE, BACK), or none.
std::optional<UINT> KeyNamed(std::string_view name);

// The largest scenario file that is read: some ten thousand steps.
inline constexpr std::size_t kMaxScenarioFileBytes = 256 * 1024;

// The text of a scenario file: only a regular file (or a link to one) of at most
// kMaxScenarioFileBytes, both checked before it is read. Throws std::runtime_error naming the file
// and the reason otherwise.
std::string ReadScenarioFile(const std::filesystem::path& file);

}  // namespace handset::user
