// The standard controls: what their messages do, what they tell their parent, and what a user's
// input through the scripted user does to them.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dialog_test_support.h"
#include "support/handset_test.h"
#include "handset/gdi.h"
#include "handset/user.h"

#include <windows.h>

namespace {

using dialog_test::AlignedTemplate;
using dialog_test::HookedDialogProc;
using testing_support::kLParam;
using testing_support::kWParam;
using testing_support::Messages;
namespace user = handset::user;

class ControlsTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog = CreateDialogIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    Messages().Clear();
  }
  // The notifications the dialog received from control `id`, in order.
  std::vector<WORD> Notifications(int id) const {
    std::vector<WORD> codes;
    for (const auto& s : Messages().Received())
      if (s.message == WM_COMMAND && LOWORD(s.wParam) == id) codes.push_back(HIWORD(s.wParam));
    return codes;
  }
  std::u16string Text(int id) const {
    WCHAR buffer[64];
    GetDlgItemTextW(dialog, id, buffer, 64);
    return buffer;
  }
  // Runs the steps in a modal dialog of the same template, which the steps and the test after
  // them see as `dialog`.
  void RunScript(std::vector<user::Step> steps) {
    DestroyWindow(dialog);
    Messages().Clear();
    steps.push_back(user::Run("end", [this] { EndDialog(dialog, IDOK); }));
    user::SetScript(std::move(steps));
    dialog_test::g_hook = [this](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
      if (message == WM_INITDIALOG) dialog = window;
      return std::nullopt;
    };
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0), IDOK);
  }

  AlignedTemplate sample{dialog_test::SampleTemplate()};
  HWND dialog = nullptr;
};

TEST_F(ControlsTest, ACheckBoxTicksItselfAndTellsTheParentAndADisabledOneCannotBeTapped) {
  HWND box = GetDlgItem(dialog, 1021);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 1021), static_cast<UINT>(BST_CHECKED));
  EXPECT_TRUE(Messages().Matches(
      {{WM_COMMAND, kWParam | kLParam, MAKEWPARAM(1021, BN_CLICKED), reinterpret_cast<LPARAM>(box)}},
      {dialog, [](const auto& m) { return m.message == WM_COMMAND && LOWORD(m.wParam) == 1021; }}));
  // BM_SETCHECK is the program's: no notification.
  CheckDlgButton(dialog, 1021, BST_UNCHECKED);
  EXPECT_EQ(Notifications(1021).size(), 1u);
  EnableWindow(box, FALSE);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Notifications(1021).size(), 1u);
  // A push button cannot be checked.
  SendDlgItemMessageW(dialog, IDOK, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDOK, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ControlsTest, AutomaticRadioButtonsOfAGroupUncheckEachOther) {
  HWND a = CreateWindowExW(0, u"button", u"A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, 0, 50, 10,
                           dialog, reinterpret_cast<HMENU>(201), nullptr, nullptr);
  HWND b = CreateWindowExW(0, u"button", u"B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 10, 50, 10, dialog,
                           reinterpret_cast<HMENU>(202), nullptr, nullptr);
  HWND other = CreateWindowExW(0, u"button", u"C", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, 20, 50,
                               10, dialog, reinterpret_cast<HMENU>(203), nullptr, nullptr);
  SendMessageW(other, BM_CLICK, 0, 0);
  SendMessageW(a, BM_CLICK, 0, 0);
  SendMessageW(b, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED);  // another group
}

TEST_F(ControlsTest, AnEditLimitsWhatIsTypedButNotWhatTheProgramSets) {
  HWND edit = GetDlgItem(dialog, 1040);
  SendMessageW(edit, EM_LIMITTEXT, 7, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 7);
  SendMessageW(edit, EM_SETSEL, 5, 5);  // the caret after "start"
  for (WCHAR c : std::u16string(u"abcd")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(Text(1040), u"startab");
  EXPECT_EQ(Notifications(1040),
            (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_MAXTEXT, EN_MAXTEXT}));
  EXPECT_TRUE(SendMessageW(edit, EM_GETMODIFY, 0, 0));

  SetDlgItemTextW(dialog, 1040, u"a much longer text");
  EXPECT_EQ(Text(1040), u"a much longer text");
  // A selection is replaced by what is typed; backspace removes a character.
  SendMessageW(edit, EM_SETSEL, 0, -1);
  DWORD start = 9, end = 9;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 18u);
  SendMessageW(edit, WM_CHAR, u'x', 1);
  SendMessageW(edit, WM_CHAR, u'y', 1);
  SendMessageW(edit, WM_CHAR, u'\b', 1);
  EXPECT_EQ(Text(1040), u"x");
}

TEST_F(ControlsTest, ANumberEditTakesDigitsOnly) {
  HWND edit = CreateWindowExW(0, u"edit", u"", WS_CHILD | WS_VISIBLE | ES_NUMBER, 0, 0, 50, 12, dialog,
                              reinterpret_cast<HMENU>(300), nullptr, nullptr);
  for (WCHAR c : std::u16string(u"1a2-3")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(Text(300), u"123");
}

TEST_F(ControlsTest, AStaticTakesOnlyTheImageKindOfItsStyle) {
  HWND icon = CreateWindowExW(0, u"static", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, 0, 0, 32, 32, dialog,
                              reinterpret_cast<HMENU>(400), nullptr, nullptr);
  HICON first = LoadIconW(nullptr, IDI_HAND);
  HICON second = LoadIconW(nullptr, IDI_QUESTION);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(SendMessageW(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(first)), 0);
  EXPECT_EQ(SendMessageW(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(second)),
            reinterpret_cast<LRESULT>(first));
  EXPECT_EQ(SendMessageW(icon, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(second));
  EXPECT_EQ(SendMessageW(icon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  HWND label = GetDlgItem(dialog, 0xFFFF);
  EXPECT_EQ(SendMessageW(label, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(first)), 0);
  EXPECT_EQ(SendMessageW(label, STM_GETIMAGE, IMAGE_ICON, 0), 0);
  EXPECT_TRUE(DestroyIcon(first));  // a system icon stays
  EXPECT_EQ(LoadIconW(nullptr, IDI_HAND), first);
}

TEST_F(ControlsTest, AListBoxKeepsItsStringsAndSelectionAndOnlyTheUsersChoiceNotifies) {
  HWND list = GetDlgItem(dialog, 1030);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"one")), 0);
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"three")), 1);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(u"two")), 1);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"far")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 3, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);  // unchanged by the refused index
  WCHAR text[16];
  EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 3);
  EXPECT_EQ(std::u16string(text), u"two");
  EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"TWO")), 1);
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);  // the selection follows its string
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_TRUE(Notifications(1030).empty());
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);

  HWND sorted = CreateWindowExW(0, u"listbox", nullptr, WS_CHILD | LBS_SORT, 0, 0, 50, 50, dialog,
                                reinterpret_cast<HMENU>(500), nullptr, nullptr);
  for (auto s : {u"pear", u"Apple", u"fig"}) SendMessageW(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessageW(sorted, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::u16string(text), u"Apple");
}

TEST_F(ControlsTest, AComboBoxShowsItsChoiceAndAUsersChoiceCarriesTheWholeSequenceOfNotifications) {
  HWND combo = GetDlgItem(dialog, 1031);
  for (auto s : {u"Off", u"On", u"Auto"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(Text(1031), u"On");
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 7, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 2, 0), 4);
  EXPECT_TRUE(Notifications(1031).empty());

  RunScript({user::Run("fill", [this] {
               for (auto s : {u"Off", u"On", u"Auto"})
                 SendDlgItemMessageW(dialog, 1031, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
               for (auto s : {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h"})
                 SendDlgItemMessageW(dialog, 1030, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
             }),
             user::Select(1031, u"Auto"), user::Select(1030, 6)});
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  auto codes = Notifications(1031);
  std::erase_if(codes, [](WORD c) { return c == CBN_SETFOCUS || c == CBN_KILLFOCUS; });
  EXPECT_EQ(codes, (std::vector<WORD>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  auto listCodes = Notifications(1030);
  EXPECT_NE(std::find(listCodes.begin(), listCodes.end(), LBN_SELCHANGE), listCodes.end());
}

// WS_VSCROLL of a combo box is its dropped list's: the field has no scroll bar of its own.
TEST_F(ControlsTest, AComboBoxGivesItsScrollBarStyleToItsList) {
  HWND combo = CreateWindowExW(0, u"combobox", u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 80, 60,
                               dialog, nullptr, nullptr, nullptr);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & WS_VSCROLL, 0);
  RECT client{};
  GetClientRect(combo, &client);
  EXPECT_EQ(client.right, 80) << "no room taken by a scroll bar";
}

TEST_F(ControlsTest, TheScriptedUserTypesWithinTheLimitAndCannotReachDisabledControls) {
  dialog_test::g_hook = [](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) {
      SendDlgItemMessageW(window, 1040, EM_LIMITTEXT, 3, 0);
      EnableWindow(GetDlgItem(window, 1021), FALSE);
    }
    return std::nullopt;
  };
  HWND modal = nullptr;
  std::u16string typed;
  user::SetScript({user::Type(1040, u"hello"), user::Run("read", [&] {
                     modal = GetActiveWindow();
                     WCHAR buffer[16];
                     GetDlgItemTextW(modal, 1040, buffer, 16);
                     typed = buffer;
                   }),
                   user::Check(1021)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0), IDCANCEL);
  EXPECT_EQ(typed, u"hel");
  ASSERT_EQ(user::Failures().size(), 1u);
  EXPECT_NE(user::Failures()[0].message.find("control 1021 is disabled"), std::string::npos);
}

TEST_F(ControlsTest, ControlsPaintThemselvesThroughTheGdi) {
  SetDlgItemTextW(dialog, 1040, u"typed");
  handset::gdi::ClearDrawing();
  auto objects = handset::gdi::LiveObjects();
  // The dialog clips nothing out, so its controls are painted again with it.
  InvalidateRect(dialog, nullptr, TRUE);
  UpdateWindow(dialog);
  std::vector<std::u16string> texts;
  for (const auto& call : handset::gdi::Drawing("DrawTextW")) texts.push_back(call.text);
  for (auto expected : {u"OK", u"Cancel", u"Option", u"typed", u"Label"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end());
  EXPECT_EQ(handset::gdi::LiveObjects(), objects);  // every paint gives back what it made
}

}  // namespace

namespace {

// A bitmap static takes its bitmap's size whatever size it was made with; with SS_CENTERIMAGE its
// midpoint stays put. The image stays the caller's.
class StaticBitmapTest : public testing_support::HandsetTest {};

TEST_F(StaticBitmapTest, TakesTheSizeOfItsBitmap) {
  HWND parent = CreateWindowExW(0, u"static", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HDC dc = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 30, 10);
  ReleaseDC(nullptr, dc);
  struct Case {
    DWORD style;
    RECT expected;  // in the parent's client area
  } cases[] = {{SS_BITMAP, {10, 20, 40, 30}}, {SS_BITMAP | SS_CENTERIMAGE, {35, 40, 65, 50}}};
  for (const auto& c : cases) {
    HWND picture = CreateWindowExW(0, u"static", u"", WS_CHILD | WS_VISIBLE | c.style, 10, 20, 80, 50, parent, nullptr,
                                   nullptr, nullptr);
    SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    RECT rect{};
    GetWindowRect(picture, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rect), 2);
    EXPECT_EQ(rect.left, c.expected.left) << c.style;
    EXPECT_EQ(rect.top, c.expected.top) << c.style;
    EXPECT_EQ(rect.right, c.expected.right) << c.style;
    EXPECT_EQ(rect.bottom, c.expected.bottom) << c.style;
    DestroyWindow(picture);
  }
  DestroyWindow(parent);
  EXPECT_TRUE(DeleteObject(bitmap)) << "the caller's bitmap outlives the control";
}

}  // namespace
