// The scripted user: scenario files, and the steps that wait, move the clock and turn the screen.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "dialogs/dialog_test_support.h"
#include "handset/clock.h"
#include "handset/screen.h"
#include "handset/shell.h"
#include "handset/user.h"

#include <windows.h>

namespace {

using dialog_test::AlignedTemplate;
using dialog_test::HookedDialogProc;
namespace user = handset::user;

class ScriptedUserTest : public dialog_test::DialogTest {};

std::string ErrorOf(std::string_view scenario) {
  try {
    user::ParseScenario(scenario);
  } catch (const user::ScenarioError& e) {
    return e.what();
  }
  return "no error";
}

TEST_F(ScriptedUserTest, AScenarioReadsEveryKindOfStepWithItsLine) {
  auto steps = user::ParseScenario(
      "# the options screen\n"
      "\n"
      "expect dialog 7301 within 2000\n"
      "tap 1021\n"
      "  check 0x3FD\r\n"
      "uncheck 1022\n"
      "select 1030 2\n"
      "select 1031 \"Say \\\"hi\\\"\"\n"
      "type 1040 \"0123 456\"\n"
      "key RETURN\n"
      "ok\ncancel\nsoftkey 2\nanswer IDNO\nclose\n"
      "scroll LINEDOWN\nscroll 1050 40\n"
      "wait 500\nadvance 60000\nrotate 320x240\nrotate 180\nsip show\nswitch\n"
      "expect messagebox \"Sure\" within 10\nexpect window \"Options\"\nexpect control 7\nexpect text 1040 \"x\"\n");
  ASSERT_EQ(steps.size(), 25u);
  EXPECT_EQ(steps[0].line, 3);
  ASSERT_TRUE(steps[0].condition);
  EXPECT_EQ(steps[0].condition->id, 7301);
  EXPECT_EQ(steps[0].condition->within, std::chrono::milliseconds(2000));
  EXPECT_EQ(std::get<user::actions::Tap>(steps[1].action).id, 1021);
  EXPECT_EQ(std::get<user::actions::Tick>(steps[2].action).id, 0x3FD);
  EXPECT_EQ(steps[2].source, "check 0x3FD");
  EXPECT_FALSE(std::get<user::actions::Tick>(steps[3].action).checked);
  EXPECT_EQ(std::get<user::actions::Choose>(steps[4].action).index, 2);
  EXPECT_EQ(*std::get<user::actions::Choose>(steps[5].action).text, u"Say \"hi\"");
  EXPECT_EQ(std::get<user::actions::Type>(steps[6].action).text, u"0123 456");
  EXPECT_EQ(std::get<user::actions::Key>(steps[7].action).virtualKey, static_cast<UINT>(VK_RETURN));
  EXPECT_EQ(std::get<user::actions::Command>(steps[9].action).id, IDCANCEL);
  EXPECT_EQ(std::get<user::actions::Answer>(steps[11].action).result, IDNO);
  EXPECT_EQ(std::get<user::actions::Scroll>(steps[13].action).code, SB_LINEDOWN);
  auto scroll = std::get<user::actions::Scroll>(steps[14].action);
  EXPECT_EQ(scroll.id, 1050);
  EXPECT_EQ(scroll.code, SB_THUMBPOSITION);
  EXPECT_EQ(scroll.position, 40);
  EXPECT_EQ(std::get<user::actions::Rotate>(steps[17].action).width, 320);
  EXPECT_EQ(std::get<user::actions::Rotate>(steps[18].action).angle, 180);
  EXPECT_TRUE(std::get<user::actions::InputPanel>(steps[19].action).shown);
  EXPECT_TRUE(std::holds_alternative<user::actions::SwitchAway>(steps[20].action));
  EXPECT_EQ(steps[21].condition->text, u"Sure");
  EXPECT_EQ(steps[24].condition->kind, user::Condition::Kind::Text);
}

TEST_F(ScriptedUserTest, AScenarioThatCannotBeReadNamesTheLineAndWhatIsWrong) {
  EXPECT_EQ(ErrorOf("tap 1\ntapp 2\n"), "line 2: unknown step 'tapp'");
  EXPECT_EQ(ErrorOf("type 1040 hello\n"), "line 1: expected the text to type in double quotes, found 'hello'");
  EXPECT_EQ(ErrorOf("\n\ntype 1040 \"open\n"), "line 3: a text is not closed with \"");
  EXPECT_EQ(ErrorOf("answer YES\n"), "line 1: unknown answer 'YES'");
  EXPECT_EQ(ErrorOf("tap x12\n"), "line 1: expected a control id, found 'x12'");
  EXPECT_EQ(ErrorOf("tap 12 13\n"), "line 1: unexpected '13' at the end");
  EXPECT_EQ(ErrorOf("expect nothing\n"), "line 1: cannot expect 'nothing' (dialog, messagebox, window, control or text)");
  EXPECT_EQ(ErrorOf("select 1030\n"), "line 1: missing an entry index");
  EXPECT_EQ(ErrorOf("rotate 320xabc\n"), "line 1: expected a height, found 'abc'");
  EXPECT_EQ(ErrorOf("sip up\n"), "line 1: expected show or hide, found 'up'");
  EXPECT_EQ(ErrorOf("tap 12,y\n"), "line 1: expected a y coordinate, found 'y'");
  EXPECT_EQ(ErrorOf("drag 10,200\n"), "line 1: missing the screen point where the drag ends");
  EXPECT_EQ(ErrorOf("drag 10,200 40\n"), "line 1: expected a screen point such as 120,200, found '40'");
}

// Screen points are read as written and named as written in messages.
TEST_F(ScriptedUserTest, TapsAndDragsAtScreenPointsAreRead) {
  auto steps = user::ParseScenario("tap 120,200\ndrag 10,200 10,-40\n");
  ASSERT_EQ(steps.size(), 2u);
  auto tap = std::get<user::actions::TapPoint>(steps[0].action);
  EXPECT_EQ(tap.x, 120);
  EXPECT_EQ(tap.y, 200);
  auto drag = std::get<user::actions::Drag>(steps[1].action);
  EXPECT_EQ(drag.fromY, 200);
  EXPECT_EQ(drag.toY, -40);
  EXPECT_EQ(user::Drag(10, 200, 10, -40).source, "drag 10,200 10,-40");
}

// A scenario cannot hold the handset for longer than an hour per step, nor go backwards.
TEST_F(ScriptedUserTest, TimesAndKeysOutsideTheirRangeAreRefusedWithTheLine) {
  const struct {
    const char* scenario;
    const char* error;
  } refused[] = {
      {"wait -1\n", "line 1: a time of -1 ms; times are 0 to 3600000 ms (an hour)"},
      {"ok\nwait 2147483647\n", "line 2: a time of 2147483647 ms; times are 0 to 3600000 ms (an hour)"},
      {"wait 3600001\n", "line 1: a time of 3600001 ms; times are 0 to 3600000 ms (an hour)"},
      {"advance -60000\n", "line 1: a time of -60000 ms; times are 0 to 3600000 ms (an hour)"},
      {"expect dialog 7301 within -5\n", "line 1: a time of -5 ms; times are 0 to 3600000 ms (an hour)"},
      {"expect messagebox within 99999999\n", "line 1: a time of 99999999 ms; times are 0 to 3600000 ms (an hour)"},
      {"key -1\n", "line 1: key code -1 is not a virtual-key code (1 to 254)"},
      {"key 0\n", "line 1: key code 0 is not a virtual-key code (1 to 254)"},
      {"key 0x100\n", "line 1: key code 0x100 is not a virtual-key code (1 to 254)"},
  };
  for (const auto& [scenario, error] : refused) EXPECT_EQ(ErrorOf(scenario), error) << scenario;
  EXPECT_EQ(user::ParseScenario("wait 0\nwait 3600000\nadvance 3600000\nkey 254\nkey 1\n").size(), 5u);
}

// The run's time limit ends a wait that would outlast it, names the step, and ends the loops.
TEST_F(ScriptedUserTest, TheRunsTimeLimitFailsTheStepThenInFront) {
  AlignedTemplate t(dialog_test::SampleTemplate());
  const struct {
    const char* scenario;
    const char* failure;
  } cases[] = {
      {"wait 3600000\n", "line 1 \"wait 3600000\": the run's time limit of 100 ms passed at this step"},
      {"expect messagebox within 3600000\n",
       "line 1 \"expect messagebox within 3600000\": the run's time limit of 100 ms passed at this step"},
      {"wait 10\n\nwait 3600000\n", "line 3 \"wait 3600000\": the run's time limit"},
  };
  for (const auto& [scenario, failure] : cases) {
    SCOPED_TRACE(scenario);
    user::SetScript(user::ParseScenario(scenario), std::chrono::milliseconds(100));
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0), IDCANCEL);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    ASSERT_EQ(user::Failures().size(), 1u);
    EXPECT_TRUE(user::Failures()[0].message.starts_with(failure)) << user::Failures()[0].message;
  }
}

// A check of the caller's own that throws fails its step with the reason, and the run ends there.
TEST_F(ScriptedUserTest, ACheckThatThrowsFailsItsStep) {
  AlignedTemplate t(dialog_test::SampleTemplate());
  bool okTaken = false;
  auto step = user::Run("picture", [] { throw std::runtime_error("shot.png: cannot write: No space left on device"); });
  user::SetScript({std::move(step), user::Run("after", [&] { okTaken = true; }), user::Ok()});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0), IDCANCEL);
  ASSERT_EQ(user::Failures().size(), 1u);
  EXPECT_NE(user::Failures()[0].message.find("shot.png: cannot write: No space left on device"), std::string::npos);
  EXPECT_FALSE(okTaken);
  EXPECT_EQ(user::StepsLeft(), 2u);
}

TEST_F(ScriptedUserTest, AWaitLetsMessagesFromOtherThreadsArrive) {
  AlignedTemplate t(dialog_test::SampleTemplate());
  HWND modal = nullptr;
  std::thread poster;
  dialog_test::g_hook = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) {
      modal = dialog;
      poster = std::thread([dialog] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessageW(dialog, WM_USER + 111, 0, 0);
      });
    }
    if (message == WM_USER + 111) {
      EndDialog(dialog, 99);
      return TRUE;
    }
    return std::nullopt;
  };
  user::SetScript({user::Wait(std::chrono::seconds(10))});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0), 99);
  poster.join();
  EXPECT_TRUE(user::Failures().empty());
  EXPECT_EQ(user::StepsLeft(), 1u);  // the message ended the dialog while the step still waited
}

TEST_F(ScriptedUserTest, StepsMoveTheClockAndTurnTheScreenAndTheWindowsHearOfIt) {
  AlignedTemplate t(dialog_test::SampleTemplate());
  std::vector<WPARAM> settingChanges;
  handset::clock::Freeze();
  SYSTEMTIME before{}, after{};
  int width = 0, height = 0;
  user::SetScript({user::Run("before", [&] { GetSystemTime(&before); }), user::Advance(std::chrono::minutes(2)),
                   user::Run("after", [&] { GetSystemTime(&after); }), user::Rotate(320, 240),
                   user::Run("size", [&] {
                     width = GetSystemMetrics(SM_CXSCREEN);
                     height = GetSystemMetrics(SM_CYSCREEN);
                   }),
                   user::Cancel()});
  dialog_test::g_hook = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_SETTINGCHANGE) settingChanges.push_back(wParam);
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    return std::nullopt;
  };
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0), IDCANCEL);
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ((after.wMinute + 60 - before.wMinute) % 60, 2);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
  EXPECT_EQ(handset::screen::Angle(), 90);
  EXPECT_EQ(settingChanges, std::vector<WPARAM>{SETTINGCHANGE_RESET});
}

std::vector<std::pair<UINT, UINT>> g_fullScreenHeard;  // message, SWP_ flags or wParam

LRESULT FullScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE) g_fullScreenHeard.emplace_back(message, static_cast<UINT>(wParam));
  if (message == WM_WINDOWPOSCHANGED)
    g_fullScreenHeard.emplace_back(message, reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOOWNERZORDER);
  if (message == WM_SIZE) g_fullScreenHeard.emplace_back(message, static_cast<UINT>(lParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ScriptedUserTest, FullScreenWindowsFollowARotationAfterHearingOfIt) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = FullScreenProc;
  wc.lpszClassName = u"Full";
  RegisterClassW(&wc);
  HWND full = CreateWindowExW(0, u"Full", u"", WS_POPUP | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  HWND small = CreateWindowExW(0, u"Full", u"", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr, nullptr, nullptr);
  g_fullScreenHeard.clear();
  ASSERT_TRUE(handset::screen::Rotate(90));
  RECT r;
  GetWindowRect(full, &r);
  EXPECT_EQ(r.right, 320);
  EXPECT_EQ(r.bottom, 240);
  GetWindowRect(small, &r);
  EXPECT_EQ(r.right, 60);
  // Both hear the rotation first; then the full-screen one is resized, marked SWP_NOOWNERZORDER.
  EXPECT_EQ(g_fullScreenHeard, (std::vector<std::pair<UINT, UINT>>{{WM_SETTINGCHANGE, SETTINGCHANGE_RESET},
                                                                   {WM_SETTINGCHANGE, SETTINGCHANGE_RESET},
                                                                   {WM_WINDOWPOSCHANGED, SWP_NOOWNERZORDER},
                                                                   {WM_SIZE, MAKELONG(320, 240)}}));
}

TEST_F(ScriptedUserTest, TheInputPanelAndAnotherApplicationAreTheUsersToo) {
  AlignedTemplate t(dialog_test::SampleTemplate());
  std::vector<std::pair<UINT, WPARAM>> heard;
  LPARAM activatedInstead = 1;
  dialog_test::g_hook = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<INT_PTR> {
    if (message == WM_SETTINGCHANGE) heard.emplace_back(message, wParam);
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) activatedInstead = lParam;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    return std::nullopt;
  };
  bool panelShown = false;
  HWND activeAfterSwitch = reinterpret_cast<HWND>(1);
  user::SetScript({user::ShowInputPanel(true), user::Run("panel", [&] { panelShown = handset::shell::InputPanelShown(); }),
                   user::SwitchApplication(), user::Run("active", [&] { activeAfterSwitch = GetActiveWindow(); }),
                   user::Cancel()});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0), IDCANCEL);
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_TRUE(panelShown);
  EXPECT_EQ(heard, (std::vector<std::pair<UINT, WPARAM>>{{WM_SETTINGCHANGE, SPI_SETSIPINFO}}));
  EXPECT_EQ(activeAfterSwitch, nullptr);
  EXPECT_EQ(activatedInstead, 0);  // no window of this thread took over
}

}  // namespace
