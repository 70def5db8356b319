// Where a dialog puts the focus: at creation, on SetFocus and activation, through WM_NEXTDLGCTL, and
// when a modal dialog shows itself.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "dialog_test_support.h"
#include "handset/user.h"

#include <windows.h>

namespace {

using dialog_test::AlignedTemplate;
using dialog_test::DialogTest;
using dialog_test::g_hook;
using dialog_test::HookedDialogProc;
using dialog_test::Item;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// OK, a group of two radio buttons of which the hook checks the second, an edit and a push button.
std::vector<Item> RadioItems() {
  return {
      {0x80, 10, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 5, 5, 60, 12, u"One"},
      {0x80, 11, kChild | BS_AUTORADIOBUTTON, 5, 20, 60, 12, u"Two"},
      {0x81, 20, kChild | WS_TABSTOP | WS_GROUP, 5, 35, 60, 12, u"text"},
      {0x80, IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 60, 40, 14, u"OK"},
      {0x80, 30, kChild | WS_TABSTOP | BS_PUSHBUTTON, 50, 60, 40, 14, u"More"},
  };
}

class DialogFocusTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // TRUE: the dialog is asked to choose the first focus itself.
    g_hook = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
      if (message == WM_INITDIALOG) return TRUE;
      return std::nullopt;
    };
  }
  HWND Make(DWORD style, const std::vector<Item>& items, HWND owner = nullptr) {
    templates.emplace_back(dialog_test::Template(style, 0, 0, 100, 80, u"Focus", items));
    return CreateDialogIndirectParamW(nullptr, templates.back().Get(), owner, HookedDialogProc, 0);
  }
  std::vector<AlignedTemplate> templates;
};

TEST_F(DialogFocusTest, TheFirstFocusIsTheCheckedRadioButtonOfTheFirstGroupAlsoOnSetFocus) {
  g_hook = [](HWND dialog, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) {
      CheckDlgButton(dialog, 11, BST_CHECKED);
      return TRUE;
    }
    return std::nullopt;
  };
  HWND dialog = Make(WS_POPUP | WS_VISIBLE, RadioItems());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 11);
  SetFocus(GetDlgItem(dialog, 20));
  SetFocus(dialog);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 11);
}

TEST_F(DialogFocusTest, SetFocusOnTheDialogSelectsTheTextOfTheEditItFocuses) {
  HWND dialog = Make(WS_POPUP | WS_VISIBLE, {{0x81, 20, kChild | WS_TABSTOP, 5, 5, 60, 12, u"text"},
                                              {0x80, IDOK, kChild | WS_TABSTOP, 5, 60, 40, 14, u"OK"}});
  HWND edit = GetDlgItem(dialog, 20);
  SendMessageW(edit, EM_SETSEL, 2, 2);
  SetFocus(nullptr);
  SetFocus(dialog);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 4));
}

TEST_F(DialogFocusTest, ADialogWithoutTabStopsFocusesItsFirstControlAndAHiddenControlDialogNone) {
  HWND dialog = Make(WS_POPUP | WS_VISIBLE, {{0x81, 20, kChild, 5, 5, 60, 12, u"text"},
                                              {0x80, IDOK, kChild, 5, 60, 40, 14, u"OK"}});
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 20));

  HWND owner = Owner();
  SetFocus(owner);
  HWND part = Make(WS_CHILD | DS_CONTROL, RadioItems(), owner);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(DialogFocusTest, APushButtonReachedThroughNextDlgCtlTakesTheDefaultLook) {
  HWND dialog = Make(WS_POPUP | WS_VISIBLE, RadioItems());
  auto type = [&](int id) { return GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK; };
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 30)), TRUE);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 30);
  EXPECT_EQ(type(30), BS_DEFPUSHBUTTON);
  EXPECT_EQ(type(IDOK), BS_PUSHBUTTON);
  // An edit leaves the look where it is.
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 20)), TRUE);
  EXPECT_EQ(type(30), BS_DEFPUSHBUTTON);
}

// How a dialog is left and come back to, and which control has the focus afterwards. The dialog
// saves the focus when it is deactivated or hidden and gives it back on its next activation, once:
// a later WM_SETFOCUS on the dialog starts again from its first tab stop (checked under Wine).
struct Return {
  const char* name;
  std::function<void(HWND dialog, HWND other)> leaveAndComeBack;
  int focused;  // the control id that has the focus afterwards
};

TEST_F(DialogFocusTest, ADialogLeftAndActivatedAgainGivesTheFocusBackToItsControl) {
  const std::vector<Item> items{{0x80, IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 60, 40, 14, u"OK"},
                                {0x81, 20, kChild | WS_TABSTOP, 5, 5, 60, 12, u"text"},
                                {0x80, 30, kChild | WS_TABSTOP, 50, 60, 40, 14, u"More"}};
  auto modalOver = [this](DWORD style) {
    return [this, style](HWND dialog, HWND) {
      templates.emplace_back(dialog_test::Template(style, 0, 0, 60, 40, u"Over", {}));
      handset::user::SetScript({handset::user::Cancel()});
      DialogBoxIndirectParamW(nullptr, templates.back().Get(), dialog, HookedDialogProc, 0);
    };
  };
  const Return cases[] = {
      {"another window activated, then the dialog",
       [](HWND dialog, HWND other) {
         SetActiveWindow(other);
         SetActiveWindow(dialog);
       },
       30},
      {"the focus given to another window, then the dialog activated",
       [](HWND dialog, HWND other) {
         SetFocus(other);
         SetActiveWindow(dialog);
       },
       30},
      {"hidden and shown again",
       [](HWND dialog, HWND) {
         ShowWindow(dialog, SW_HIDE);
         ShowWindow(dialog, SW_SHOW);
       },
       30},
      {"a modal dialog over it", modalOver(WS_POPUP | WS_VISIBLE), 30},
      {"a modal dialog made hidden over it", modalOver(WS_POPUP), 30},
      {"given back once: SetFocus on the dialog afterwards starts from the first tab stop",
       [](HWND dialog, HWND other) {
         SetFocus(other);
         SetFocus(dialog);
       },
       IDOK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND other = Owner();
    HWND dialog = Make(WS_POPUP | WS_VISIBLE, items);
    ASSERT_NE(dialog, nullptr);
    SetFocus(GetDlgItem(dialog, 30));
    c.leaveAndComeBack(dialog, other);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.focused);
    EXPECT_EQ(GetActiveWindow(), dialog);
    DestroyWindow(dialog);
    DestroyWindow(other);
  }
}

// An edit given back its focus by activation keeps the selection it had.
TEST_F(DialogFocusTest, AnEditGivenBackItsFocusKeepsItsSelection) {
  HWND other = Owner();
  HWND dialog = Make(WS_POPUP | WS_VISIBLE, {{0x80, IDOK, kChild | WS_TABSTOP, 5, 60, 40, 14, u"OK"},
                                              {0x81, 20, kChild | WS_TABSTOP, 5, 5, 60, 12, u"text"}});
  HWND edit = GetDlgItem(dialog, 20);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 1, 2);
  SetActiveWindow(other);
  SetActiveWindow(dialog);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(1, 2));
}

TEST_F(DialogFocusTest, AModalDialogIsVisibleWhenWhatItsFirstTimerPostedArrives) {
  BOOL visible = FALSE;
  g_hook = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    switch (message) {
      case WM_INITDIALOG:
        SetTimer(dialog, 1, 1, nullptr);
        Sleep(20);  // due before the loop first finds its queue empty
        return TRUE;
      case WM_TIMER:
        KillTimer(dialog, 1);
        PostMessageW(dialog, WM_USER + 7, 0, 0);
        return TRUE;
      case WM_USER + 7:
        visible = IsWindowVisible(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
      default:
        return std::nullopt;
    }
  };
  // The user only waits: the timer ends the dialog.
  handset::user::SetScript({handset::user::Wait(std::chrono::milliseconds(5000))});
  templates.emplace_back(dialog_test::Template(WS_POPUP, 0, 0, 100, 80, u"Timer", RadioItems()));
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, templates.back().Get(), Owner(), HookedDialogProc, 0), IDOK);
  EXPECT_TRUE(visible);
}

}  // namespace
