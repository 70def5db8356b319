// The scripted user fails a step it cannot take as a person could not take it, and says why: a
// broken step must never let a screen test pass without doing what it says.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_test_support.h"
#include "handset/user.h"

#include <windows.h>

namespace {

using dialog_test::HookedDialogProc;
namespace user = handset::user;

class ReachingControlsTest : public dialog_test::DialogTest {
 protected:
  // Runs the sample dialog with the steps, the dialog first prepared by `prepare`; the one failure.
  std::string FailureOf(std::vector<user::Step> steps, std::function<void(HWND)> prepare = {}) {
    dialog_test::g_hook = [prepare](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
      if (message == WM_INITDIALOG && prepare) prepare(window);
      return std::nullopt;
    };
    user::SetScript(std::move(steps));
    DialogBoxIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0);
    auto failures = user::Failures();
    return failures.size() == 1 ? failures[0].message : std::to_string(failures.size()) + " failures";
  }
  dialog_test::AlignedTemplate sample{dialog_test::SampleTemplate()};
};

void MoveControl(HWND dialog, int id, int x, int y) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// Lays the edit over the control, above it.
void CoverWithEdit(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(GetDlgItem(dialog, 1040), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, 0);
}

TEST_F(ReachingControlsTest, AStepThatCannotBeTakenSaysWhy) {
  struct Case {
    user::Step step;
    std::function<void(HWND)> prepare;
    std::string says;
  } cases[] = {
      {user::Check(1040), {}, "\"check 1040\": control 1040 is not a check box"},
      {user::Type(1021, u"x"), {}, "\"type 1021 \"x\"\": control 1021 is not an edit"},
      {user::Select(1021, 0), {}, "control 1021 is not a list"},
      {user::Select(1030, 5), {}, "control 1030 has 0 entries, not an entry 5"},
      {user::Select(1031, u"none"), {}, "no entry \"none\" in control 1031"},
      {user::Tap(999), {}, "no visible control 999 in dialog \"Sample\""},
      {user::Answer(IDOK), {}, "the modal window is dialog \"Sample\", not a message box"},
      {user::SoftKey(1), {}, "no soft-key bar is up for dialog \"Sample\""},
      {user::Tab(0), {}, "no tabs in dialog \"Sample\""},
      {user::TapAt(500, 10), {}, "\"tap 500,10\": the point 500,10 lies off the 240x320 screen"},
      {user::Drag(10, 10, 10, -5), {}, "the point 10,-5 lies off the 240x320 screen"},
      {user::Tap(1021), [](HWND d) { EnableWindow(GetDlgItem(d, 1021), FALSE); }, "control 1021 is disabled"},
      {user::Check(1021), [](HWND d) { MoveControl(d, 1021, 10, 400); },
       "control 1021 stays out of sight after scrolling to the end (nothing scrolls it)"},
      {user::Tap(IDOK), [](HWND d) { CoverWithEdit(d, IDOK); }, "control 1 is covered by edit \"start\""},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.says);
    std::string failure = FailureOf({std::move(c.step)}, c.prepare);
    EXPECT_NE(failure.find(c.says), std::string::npos) << failure;
  }
}

// A control of the dialog behind a message box is covered by it: the tap would not reach it.
TEST_F(ReachingControlsTest, AControlBehindAMessageBoxIsCoveredByIt) {
  std::string failure = FailureOf(
      {user::Run("ask", [] { MessageBoxW(GetActiveWindow(), u"Sure?", u"Sample", MB_YESNO); }), user::Tap(1021)});
  EXPECT_NE(failure.find("\"tap 1021\": control 1021 is covered by messagebox \"Sure?\""), std::string::npos)
      << failure;
}

// A step through the screen does what it says: the box ticked, the entry chosen in the dropped
// list, the edit's text replaced, a tap at a point clicking what lies there.
TEST_F(ReachingControlsTest, StepsThroughTheScreenDoWhatTheySay) {
  int clicked = 0;
  WCHAR typed[32] = {};
  LRESULT checked = 0, chosen = -1;
  dialog_test::g_hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG)
      for (auto text : {u"one", u"two", u"three"}) SendDlgItemMessageW(window, 1031, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      ++clicked;
      checked = SendDlgItemMessageW(window, 1021, BM_GETCHECK, 0, 0);
      chosen = SendDlgItemMessageW(window, 1031, CB_GETCURSEL, 0, 0);
      GetDlgItemTextW(window, 1040, typed, 32);
      EndDialog(window, IDOK);
    }
    return std::nullopt;
  };
  POINT ok{0, 0};
  user::SetScript({user::Run("find OK",
                             [&] {
                               RECT r;
                               GetWindowRect(GetDlgItem(GetActiveWindow(), IDOK), &r);
                               ok = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                             }),
                   user::Cancel()});
  DialogBoxIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0);
  user::SetScript({user::Check(1021), user::Select(1031, u"three"), user::Type(1040, u"new"), user::TapAt(ok.x, ok.y)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0), IDOK);
  for (const auto& failure : user::Failures()) ADD_FAILURE() << failure.message;
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(checked, BST_CHECKED);
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(std::u16string(typed), u"new");
}

}  // namespace
