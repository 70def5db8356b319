// The list box's selection, caret and anchor as Win32 and Windows CE keep them, in a list of one
// selected item and in the lists of several (LBS_EXTENDEDSEL, LBS_MULTIPLESEL): each table is a
// sequence of messages with the answer each must give, sent in order to one fresh list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dialog_test_support.h"

#include <windows.h>

namespace {

using testing_support::kLParam;
using testing_support::kWParam;
using testing_support::Messages;

struct Step {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT expected;
};

class ListBoxTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog = CreateDialogIndirectParamW(nullptr, sample.Get(), nullptr, dialog_test::HookedDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
  }
  HWND List(DWORD style, int items = 4) {
    HWND list = CreateWindowExW(0, u"listbox", nullptr, WS_CHILD | WS_VISIBLE | LBS_NOTIFY | style, 0, 0, 100, 200,
                                dialog, reinterpret_cast<HMENU>(600), nullptr, nullptr);
    for (int i = 0; i < items; ++i)
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::u16string(1, u'a' + i).c_str()));
    Messages().Clear();
    return list;
  }
  static void Run(HWND list, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i)
      EXPECT_EQ(SendMessageW(list, steps[i].message, steps[i].wParam, steps[i].lParam), steps[i].expected)
          << "step " << i << ", message 0x" << std::hex << steps[i].message;
  }
  LPARAM Row(HWND list, int row) {
    auto height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    return MAKELPARAM(5, row * height + height / 2);
  }

  dialog_test::AlignedTemplate sample{dialog_test::SampleTemplate()};
  HWND dialog = nullptr;
};

TEST_F(ListBoxTest, AListOfOneSelectedItemKeepsItsCaretOnTheSelection) {
  Run(List(0), {
                   {LB_GETANCHORINDEX, 0, 0, -1},  // no anchor at first
                   {LB_GETCARETINDEX, 0, 0, 0},
                   {LB_SETSEL, TRUE, 1, LB_ERR},  // for lists of several only
                   {LB_GETSELCOUNT, 0, 0, LB_ERR},
                   {LB_SETCURSEL, 2, 0, 2},
                   {LB_GETCARETINDEX, 0, 0, 2},
                   {LB_GETSEL, 2, 0, 1},
                   {LB_GETSEL, 1, 0, 0},
                   {LB_GETSEL, 9, 0, LB_ERR},
                   {LB_SETITEMDATA, 1, 77, TRUE},
                   {LB_GETITEMDATA, 1, 0, 77},
                   {LB_SETITEMDATA, 9, 77, LB_ERR},
                   {LB_SETCARETINDEX, 9, 0, LB_ERR},
                   {LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"first"), 0},
                   {LB_GETCURSEL, 0, 0, 3},  // the selection stays on its item
               });
}

TEST_F(ListBoxTest, AnExtendedListAnswersItsCaretForTheCurrentSelection) {
  int selected[4] = {-1, -1, -1, -1};
  Run(List(LBS_EXTENDEDSEL), {
                                 {LB_GETCURSEL, 0, 0, 0},  // the caret, though nothing is selected
                                 {LB_SETCURSEL, 1, 0, LB_ERR},
                                 {LB_SETSEL, TRUE, 2, LB_OKAY},
                                 {LB_GETCURSEL, 0, 0, 2},
                                 {LB_GETANCHORINDEX, 0, 0, 2},
                                 {LB_SETSEL, TRUE, 9, LB_ERR},
                                 {LB_SELITEMRANGEEX, 0, 1, LB_OKAY},
                                 {LB_GETSELCOUNT, 0, 0, 3},
                                 {LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(selected), 2},
                                 {LB_SELITEMRANGEEX, 1, 0, LB_OKAY},  // first after last: deselects
                                 {LB_GETSELCOUNT, 0, 0, 1},
                                 {LB_SELITEMRANGE, TRUE, MAKELPARAM(3, 3), LB_OKAY},
                                 {LB_GETSEL, 3, 0, 1},
                                 {LB_SETANCHORINDEX, 3, 0, LB_OKAY},
                                 {LB_GETANCHORINDEX, 0, 0, 3},
                                 {LB_SETANCHORINDEX, 9, 0, LB_ERR},
                                 {LB_SETCARETINDEX, 1, 0, LB_OKAY},
                                 {LB_GETCURSEL, 0, 0, 1},
                                 {LB_DELETESTRING, 0, 0, 3},
                                 {LB_GETCURSEL, 0, 0, 0},  // the caret follows its item
                                 {LB_GETANCHORINDEX, 0, 0, 2},
                                 {LB_SETSEL, FALSE, static_cast<LPARAM>(-1), LB_OKAY},
                                 {LB_GETSELCOUNT, 0, 0, 0},
                             });
  EXPECT_EQ(selected[0], 0);
  EXPECT_EQ(selected[1], 1);
  EXPECT_EQ(selected[2], -1) << "never past the count asked for";
}

// LB_ITEMFROMPOINT: the nearest item in the low word, 1 in the high word off the items.
TEST_F(ListBoxTest, ItemFromPointAnswersTheNearestItem) {
  HWND list = List(0);
  auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  struct Case {
    int x, y;
    LRESULT expected;
  } cases[] = {
      {5, height / 2, MAKELONG(0, 0)},
      {5, 2 * height + 1, MAKELONG(2, 0)},
      {5, 6 * height, MAKELONG(3, 1)},    // below the last item
      {500, height / 2, MAKELONG(0, 1)},  // right of the client area
  };
  for (const auto& c : cases)
    EXPECT_EQ(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(c.x, c.y)), c.expected) << c.x << "," << c.y;
  EXPECT_EQ(SendMessageW(List(0, 0), LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 5)), MAKELONG(0xFFFF, 1)) << "an empty list";
}

TEST_F(ListBoxTest, TapsToggleItemsOfAMultipleListAndSelectOneItemOfAnExtendedList) {
  auto onlyNotifications = [](const testing_support::ReceivedMessage& m) {
    return m.message == WM_COMMAND && HIWORD(m.wParam) == LBN_SELCHANGE;
  };
  struct Case {
    DWORD style;
    std::vector<int> taps;
    std::vector<int> selected;  // afterwards
  } cases[] = {
      {LBS_MULTIPLESEL, {1, 3, 1}, {3}},
      {LBS_EXTENDEDSEL, {1, 3, 0}, {0}},
  };
  for (const auto& c : cases) {
    HWND list = List(c.style);
    for (int row : c.taps) SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, Row(list, row));
    std::vector<int> selected(4, -1);
    auto count = SendMessageW(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(selected.data()));
    selected.resize(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    EXPECT_EQ(selected, c.selected) << c.style;
    EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), c.taps.back()) << c.style;
    testing_support::MessageSequence expected(
        c.taps.size(), {WM_COMMAND, kWParam | kLParam | testing_support::kParent, MAKEWPARAM(600, LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list)});
    EXPECT_TRUE(Messages().Matches(expected, {list, onlyNotifications})) << c.style;
    DestroyWindow(list);
  }
}

}  // namespace
